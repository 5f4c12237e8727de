#pragma once
// Reading the game's demo log: the frame rates of every counted repetition of
// the demo, cut from the log's lines and rounded to whole numbers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/diagnostic_log.h"

namespace fw {

// One counted repetition, in whole frames per second.
struct RunScores {
    std::int32_t minimum = 0;
    std::int32_t average = 0;
    std::int32_t maximum = 0;
};

// The chart's and the trace's form of a value.
std::string DecimalText(std::int32_t value);
// The report's form: the decimal text and " FPS".
std::string ReportText(std::int32_t value);

// The value text after `label`: it starts one character (the separator) after
// the label and ends before the next space or at the end of the line. None when
// the line does not hold the label.
std::optional<std::string> ReadScoreText(std::string_view line, std::string_view label);

// The first "," becomes "."; without a comma the first "." becomes ",".
std::string SwapDecimalMark(std::string text);

// The nearest whole number, halves to the even one. The text must be a plain
// decimal number (optional sign, digits, at most one decimal mark) in the
// system's decimal mark, or become one after SwapDecimalMark. None for anything
// else and for values outside the 32-bit range.
std::optional<std::int32_t> ConvertScore(std::string_view text, char decimalMark);

// The run count text "1".."5"; anything else plays once.
int RunsFromText(const std::string& runCount);

struct CollectInput {
    std::string demoLogPath;
    std::optional<std::string> logText;  // none: the game wrote no log
    int runs = 1;                        // 1..5
    std::string runTag;
    std::string customWidth;
    std::string customHeight;
    char decimalMark = '.';
};

enum class CollectStatus {
    Complete,
    // Missing, or not more than 5 x runs + 2 lines: the game stopped early.
    Incomplete,
    // Long enough, but a block is cut short or holds no valid number.
    Malformed,
};

struct CollectOutput {
    CollectStatus status = CollectStatus::Incomplete;
    // The resolution's heading and one result line per counted run; empty
    // unless the log was complete and every value valid.
    std::vector<std::string> reportLines;
    // The first counted run, for the chart.
    std::optional<RunScores> chartScores;
    // The report text of the last value read; empty when none was.
    std::string lastScore;
};

// Parses one resolution's demo log and writes the results section of the trace.
CollectOutput ParseDemoResults(const CollectInput& input, DiagnosticLog& trace);

// The message for a run that ends at a missing or short log. `gameLogText` is
// the game's "Game.log", none when it does not exist.
std::string AbortMessage(bool isVista, const std::optional<std::string>& gameLogText);

// The message for a log whose lines hold no valid score.
inline constexpr std::string_view kMalformedLogMessage =
    "Benchmark aborted! The demo log holds no valid score.";

}  // namespace fw
