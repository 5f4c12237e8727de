#include "results/demo_log.h"

#include <cstddef>
#include <limits>
#include <span>
#include <utility>

#include "common/text.h"
#include "results/report.h"

namespace fw {
namespace {

// Two lines before the first block and two after the last.
constexpr std::size_t kLeadingLines = 2;
constexpr std::size_t kTrailingLines = 2;
constexpr std::size_t kBlockLines = 5;
constexpr int kMaxRuns = 5;

constexpr std::string_view kAverageLabel = "Average FPS:";
constexpr std::string_view kMinimumLabel = "Min FPS:";
constexpr std::string_view kMaximumLabel = "Max FPS:";

// Section titles of the parsing trace (Windows-1252), each with its own row.
constexpr std::string_view kHomogenisedTitle =
    "TempStringlist tartalma az eredm\xE9nyek homogeniz\xE1l\xE1sa ut\xE1n";
constexpr std::string_view kFirstCutTitle =
    "TempStringlist tartalma az els\xF5 eredm\xE9ny kiv\xE1g\xE1sa ut\xE1n";
constexpr std::string_view kBlockRemovedTitle = "TempStringlist tartalma t\xF6rl\xE9s ut\xE1n";
// "\xE1" is split from the "ad" that follows, which would read as more hex digits.
constexpr std::string_view kMinChartTitle =
    "Min eredm\xE9ny hozz\xE1"
    "ad\xE1sa a charthoz";
constexpr std::string_view kAverageChartTitle =
    "Average eredm\xE9ny hozz\xE1"
    "ad\xE1sa a charthoz";
constexpr std::string_view kMaxChartTitle =
    "Max eredm\xE9ny hozz\xE1"
    "ad\xE1sa a charthoz";
constexpr int kHomogenisedRow = 58;
constexpr int kFirstCutRow = 58;
constexpr int kBlockRemovedRow = 35;
constexpr int kMinChartRow = 34;
constexpr int kAverageChartRow = 38;
constexpr int kMaxChartRow = 35;

constexpr std::string_view kRunawayThread = "[Error] Runaway thread";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Strict decimal text in one decimal mark, rounded exactly on its digits so
// that no binary fraction moves a half.
std::optional<std::int32_t> ParsePlainDecimal(std::string_view text, char decimalMark) {
    constexpr std::uint64_t kLargestMagnitude = 2147483648ULL;  // -2^31
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t whole = 0;
    bool tooLarge = false;
    std::size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        whole = whole * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (whole > kLargestMagnitude) {
            tooLarge = true;
            whole = kLargestMagnitude + 1;
        }
    }
    int firstFraction = -1;
    bool restNonZero = false;
    if (i < text.size() && text[i] == decimalMark) {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
            if (firstFraction < 0) {
                firstFraction = text[i] - '0';
            } else if (text[i] != '0') {
                restNonZero = true;
            }
        }
    }
    if (i != text.size() || digits == 0 || tooLarge) {
        return std::nullopt;
    }
    const bool roundUp =
        firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1));
    const std::uint64_t magnitude = whole + (roundUp ? 1 : 0);
    const std::uint64_t limit = negative ? kLargestMagnitude : kLargestMagnitude - 1;
    if (magnitude > limit) {
        return std::nullopt;
    }
    const auto value = static_cast<std::int64_t>(magnitude);
    return static_cast<std::int32_t>(negative ? -value : value);
}

// TempStringlist: the log's lines, consumed from the top while parsing.
class WorkingList {
public:
    explicit WorkingList(std::vector<std::string> lines)
        : lines_(std::move(lines)), end_(lines_.size()) {}

    std::size_t Size() const { return end_ - top_; }
    const std::string& Front() const { return lines_[top_]; }
    void DropFront(std::size_t n) { top_ += n < Size() ? n : Size(); }
    void DropBack(std::size_t n) { end_ -= n < Size() ? n : Size(); }
    std::span<const std::string> Remaining() const {
        return std::span<const std::string>(lines_).subspan(top_, Size());
    }

private:
    std::vector<std::string> lines_;
    std::size_t top_ = 0;
    std::size_t end_ = 0;
};

void TraceList(DiagnosticLog& trace, std::string_view title, int row, const WorkingList& list) {
    trace.Head(title, row);
    trace.AddList(list.Remaining());
}

// Cuts one value out of `line` and converts it, tracing the text as cut.
std::optional<std::int32_t> CutScore(DiagnosticLog& trace, std::string_view title,
                                     const std::string& line, std::string_view label,
                                     char decimalMark) {
    trace.Head(title);
    const std::optional<std::string> text = ReadScoreText(line, label);
    if (!text) {
        trace.Add("Demo log unusable: no \"" + std::string(label) + "\" in the line");
        return std::nullopt;
    }
    trace.Add(*text);
    std::optional<std::int32_t> value = ConvertScore(*text, decimalMark);
    if (!value) {
        trace.Add("Demo log unusable: no valid score");
    }
    return value;
}

void TraceScore(DiagnosticLog& trace, std::string_view which, std::int32_t value) {
    trace.Add("ScoreHTML (" + std::string(which) + "): " + ReportText(value) +
              "  ScoreChart: " + DecimalText(value));
}

void TraceChartValue(DiagnosticLog& trace, std::string_view title, int row, std::int32_t value) {
    trace.Head(title, row);
    trace.Add(DecimalText(value));
}

CollectOutput Malformed() {
    CollectOutput out;
    out.status = CollectStatus::Malformed;
    return out;
}

}  // namespace

std::string DecimalText(std::int32_t value) {
    return std::to_string(value);
}

std::string ReportText(std::int32_t value) {
    return DecimalText(value) + " FPS";
}

std::optional<std::string> ReadScoreText(std::string_view line, std::string_view label) {
    const std::size_t at = line.find(label);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    // One separator character lies between the label and the number.
    const std::size_t start = at + label.size() + 1;
    if (start >= line.size()) {
        return std::string();
    }
    const std::size_t space = line.find(' ', start);
    return std::string(line.substr(start, space == std::string_view::npos ? space : space - start));
}

std::string SwapDecimalMark(std::string text) {
    if (const std::size_t comma = text.find(','); comma != std::string::npos) {
        text[comma] = '.';
    } else if (const std::size_t point = text.find('.'); point != std::string::npos) {
        text[point] = ',';
    }
    return text;
}

std::optional<std::int32_t> ConvertScore(std::string_view text, char decimalMark) {
    if (auto value = ParsePlainDecimal(text, decimalMark)) {
        return value;
    }
    // A log written under the other decimal mark.
    return ParsePlainDecimal(SwapDecimalMark(std::string(text)), decimalMark);
}

int RunsFromText(const std::string& runCount) {
    if (runCount.size() == 1 && runCount[0] >= '1' && runCount[0] <= '0' + kMaxRuns) {
        return runCount[0] - '0';
    }
    return 1;
}

CollectOutput ParseDemoResults(const CollectInput& input, DiagnosticLog& trace) {
    const int runs = input.runs >= 1 && input.runs <= kMaxRuns ? input.runs : 1;
    trace.Head(kResultTitle);
    std::vector<std::string> lines;
    if (input.logText) {
        trace.Add("Log file exist: " + input.demoLogPath);
        trace.Add("");
        trace.AddText(*input.logText);
        lines = SplitLines(*input.logText);
    } else {
        trace.Add("Log file NOT exist: " + input.demoLogPath);
        trace.Add("");
    }
    // Complete means longer than the blocks and two lines more; a last block
    // that the game cut short still passes and is caught while parsing.
    if (lines.size() <= kBlockLines * static_cast<std::size_t>(runs) + kLeadingLines) {
        return CollectOutput{};
    }

    CollectOutput out;
    out.reportLines.push_back(
        ResolutionHeading(input.runTag, input.customWidth, input.customHeight));

    WorkingList list(std::move(lines));
    list.DropFront(kLeadingLines);
    list.DropBack(kTrailingLines);
    TraceList(trace, kHomogenisedTitle, kHomogenisedRow, list);
    trace.Add("");

    // The first repetition includes loading the level, so it never counts when
    // there are others.
    int count = 1;
    if (runs >= 2) {
        list.DropFront(kBlockLines);
        count = runs - 1;
    }
    TraceList(trace, kFirstCutTitle, kFirstCutRow, list);
    trace.Add("");

    for (int i = 1; i <= count; ++i) {
        if (list.Size() < kBlockLines) {
            // The game stopped inside the block; the trailing lines were its own.
            trace.Add("Demo log unusable: result block " + std::to_string(i) + " is short");
            return Malformed();
        }
        list.DropFront(1);
        RunScores scores;
        const auto average = CutScore(trace, "Average Score cutting", list.Front(), kAverageLabel,
                                      input.decimalMark);
        if (!average) {
            return Malformed();
        }
        scores.average = *average;
        TraceScore(trace, "Av", scores.average);

        list.DropFront(1);
        const auto minimum =
            CutScore(trace, "Min Score cutting", list.Front(), kMinimumLabel, input.decimalMark);
        if (!minimum) {
            return Malformed();
        }
        scores.minimum = *minimum;
        TraceScore(trace, "Min", scores.minimum);

        const auto maximum =
            CutScore(trace, "Max Score cutting", list.Front(), kMaximumLabel, input.decimalMark);
        if (!maximum) {
            return Malformed();
        }
        scores.maximum = *maximum;
        TraceScore(trace, "Max", scores.maximum);

        list.DropFront(3);
        TraceList(trace, kBlockRemovedTitle, kBlockRemovedRow, list);
        out.reportLines.push_back(ResultLine(i, scores));
        out.lastScore = ReportText(scores.maximum);
        if (i == 1) {
            // Traced whether or not the chart takes the points: only the caller
            // knows how many resolutions the run has.
            TraceChartValue(trace, kMinChartTitle, kMinChartRow, scores.minimum);
            TraceChartValue(trace, kAverageChartTitle, kAverageChartRow, scores.average);
            TraceChartValue(trace, kMaxChartTitle, kMaxChartRow, scores.maximum);
            out.chartScores = scores;
        }
    }
    out.status = CollectStatus::Complete;
    return out;
}

std::string AbortMessage(bool isVista, const std::optional<std::string>& gameLogText) {
    // A card without DirectX 10 leaves this error in the game's own log on Vista.
    if (isVista && gameLogText && Contains(*gameLogText, kRunawayThread)) {
        return "Maybe your VGA card isn't DirectX 10-capable. Benchmark aborted!";
    }
    return "Benchmark aborted!";
}

}  // namespace fw
