#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "results/demo_log.h"
#include "results/diagnostic_log.h"

namespace fw {
namespace {

constexpr std::int32_t kInt32Max = 2147483647;
constexpr std::int32_t kInt32Min = -2147483647 - 1;

// One repetition's five lines as the game writes them, with its value texts.
struct Block {
    std::string average;
    std::string minimum;
    std::string maximum;
};

std::vector<std::string> BlockLines(int number, const Block& b) {
    return {
        "!TimeDemo Run " + std::to_string(number) + " Finished.",
        "    Play Time: 61.29s, Average FPS: " + b.average,
        "    Min FPS: " + b.minimum + " at frame 1955, Max FPS: " + b.maximum + " at frame 78",
        "    Average Tri/Sec: -13398170, Tri/Frame: -410563",
        "    Recorded/Played Tris ratio: -2.23",
    };
}

std::vector<std::string> LogLines(const std::vector<Block>& blocks) {
    std::vector<std::string> lines = {
        "==============================================================",
        "TimeDemo Play Started , (Total Frames: 2000, Recorded Time: 111.86s)",
    };
    int number = 0;
    for (const Block& b : blocks) {
        for (std::string& line : BlockLines(number++, b)) {
            lines.push_back(std::move(line));
        }
    }
    lines.push_back("TimeDemo Play Ended, (" + std::to_string(blocks.size()) + " Runs Performed)");
    lines.push_back("==============================================================");
    return lines;
}

std::string Join(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n") {
    std::string text;
    for (const std::string& line : lines) {
        text += line + lineEnd;
    }
    return text;
}

std::string LogText(const std::vector<Block>& blocks, const std::string& lineEnd = "\r\n") {
    return Join(LogLines(blocks), lineEnd);
}

// The log without its last `n` lines, as a game stopped early leaves it.
std::string Truncated(const std::vector<Block>& blocks, std::size_t n) {
    std::vector<std::string> lines = LogLines(blocks);
    lines.resize(lines.size() - n);
    return Join(lines);
}

const Block kSlow{"32.63", "20.91", "40.19"};
const Block kFast{"38.18", "20.91", "44.06"};
const Block kThird{"41.50", "25.49", "52.51"};
const Block kFourth{"40.2", "30.7", "50.9"};
const Block kFifth{"39.99", "29.01", "61"};

const std::string kHeading800 =
    "<BR><B><FONT size=5>Resolution: 800\xD7"
    "600</FONT></B><BR>";

std::string Result(int i, const char* mn, const char* av, const char* mx) {
    return std::string("<span class=\"style5\"><b>Result(") + std::to_string(i) +
           "):</b>&nbsp;&nbsp;&nbsp;Minimum= " + mn +
           " FPS&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Average= " + av +
           " FPS&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Max= " + mx + " FPS</b></span><br>";
}

struct ParseCase {
    const char* name;
    std::optional<std::string> log;
    int runs;
    char decimalMark;
    const char* tag;
    CollectStatus status;
    std::vector<std::string> reportLines;
    std::optional<RunScores> chart;
    const char* lastScore;
};

std::vector<ParseCase> ParseCases() {
    return {
        {"one run counts its only block",
         LogText({kSlow}),
         1,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "21", "33", "40")},
         RunScores{21, 33, 40},
         "40 FPS"},
        {"two runs drop the first block",
         LogText({kSlow, kFast}),
         2,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "21", "38", "44")},
         RunScores{21, 38, 44},
         "44 FPS"},
        {"three runs give two lines, chart from block 2",
         LogText({kSlow, kFast, kThird}),
         3,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "21", "38", "44"), Result(2, "25", "42", "53")},
         RunScores{21, 38, 44},
         "53 FPS"},
        {"five runs give four lines",
         LogText({kSlow, kFast, kThird, kFourth, kFifth}),
         5,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "21", "38", "44"), Result(2, "25", "42", "53"),
          Result(3, "31", "40", "51"), Result(4, "29", "40", "61")},
         RunScores{21, 38, 44},
         "61 FPS"},
        {"missing log",
         std::nullopt,
         1,
         '.',
         "800",
         CollectStatus::Incomplete,
         {},
         std::nullopt,
         ""},
        {"empty log",
         std::string(),
         1,
         '.',
         "800",
         CollectStatus::Incomplete,
         {},
         std::nullopt,
         ""},
        {"5 x runs + 2 lines is short (runs 1)",
         Truncated({kSlow}, 2),
         1,
         '.',
         "800",
         CollectStatus::Incomplete,
         {},
         std::nullopt,
         ""},
        {"5 x runs + 2 lines is short (runs 3)",
         Truncated({kSlow, kFast, kThird}, 2),
         3,
         '.',
         "800",
         CollectStatus::Incomplete,
         {},
         std::nullopt,
         ""},
        {"a log of fewer runs than asked for",
         LogText({kSlow}),
         2,
         '.',
         "800",
         CollectStatus::Incomplete,
         {},
         std::nullopt,
         ""},
        {"5 x runs + 3 lines leaves the last block short (runs 1)",
         Truncated({kSlow}, 1),
         1,
         '.',
         "800",
         CollectStatus::Malformed,
         {},
         std::nullopt,
         ""},
        {"5 x runs + 3 lines leaves the last block short (runs 3)",
         Truncated({kSlow, kFast, kThird}, 1),
         3,
         '.',
         "800",
         CollectStatus::Malformed,
         {},
         std::nullopt,
         ""},
        {"one extra line at the end is ignored",
         LogText({kSlow, kFast}) + "Unexpected trailer\r\n",
         2,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "21", "38", "44")},
         RunScores{21, 38, 44},
         "44 FPS"},
        {"commas on a system with a decimal point",
         LogText({{"22,75", "20,49", "30,51"}}),
         1,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "20", "23", "31")},
         RunScores{20, 23, 31},
         "31 FPS"},
        {"points on a system with a decimal comma",
         LogText({{"22.75", "20.49", "30.51"}}),
         1,
         ',',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "20", "23", "31")},
         RunScores{20, 23, 31},
         "31 FPS"},
        {"commas on a system with a decimal comma",
         LogText({{"22,75", "20,49", "30,51"}}),
         1,
         ',',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "20", "23", "31")},
         RunScores{20, 23, 31},
         "31 FPS"},
        {"halves go to the even number",
         LogText({{"22.5", "23.5", "24.50"}}),
         1,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "24", "22", "24")},
         RunScores{24, 22, 24},
         "24 FPS"},
        {"text after the number is cut at the first space",
         LogText({{"32.63 (fast) 99", "20.91", "40.19"}}),
         1,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "21", "33", "40")},
         RunScores{21, 33, 40},
         "40 FPS"},
        {"LF line ends",
         LogText({kSlow, kFast}, "\n"),
         2,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "21", "38", "44")},
         RunScores{21, 38, 44},
         "44 FPS"},
        {"CR line ends",
         LogText({kSlow, kFast}, "\r"),
         2,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "21", "38", "44")},
         RunScores{21, 38, 44},
         "44 FPS"},
        {"custom heading",
         LogText({kSlow}),
         1,
         '.',
         "custom",
         CollectStatus::Complete,
         {"<BR><B><FONT size=5>Resolution: 1366 \xD7 768 (Custom)</FONT></B><BR>",
          Result(1, "21", "33", "40")},
         RunScores{21, 33, 40},
         "40 FPS"},
        {"widescreen heading",
         LogText({kSlow}),
         1,
         '.',
         "hdtv2",
         CollectStatus::Complete,
         {"<BR><B><FONT size=5>Resolution: 1920\xD7"
          "1080 (HD WideScreen)</FONT></B><BR>",
          Result(1, "21", "33", "40")},
         RunScores{21, 33, 40},
         "40 FPS"},
        {"garbage value",
         LogText({kSlow, {"38.18", "20.91", "abc"}}),
         2,
         '.',
         "800",
         CollectStatus::Malformed,
         {},
         std::nullopt,
         ""},
        {"a number too large for a score",
         LogText({{"1e400", "20.91", "40.19"}}),
         1,
         '.',
         "800",
         CollectStatus::Malformed,
         {},
         std::nullopt,
         ""},
        {"an empty value at the end of the line",
         LogText({{"", "20.91", "40.19"}}),
         1,
         '.',
         "800",
         CollectStatus::Malformed,
         {},
         std::nullopt,
         ""},
        // The first block is fine; the second one's garbage still spoils the resolution.
        {"garbage in a later counted block",
         LogText({kSlow, kFast, {"nan", "1", "2"}}),
         3,
         '.',
         "800",
         CollectStatus::Malformed,
         {},
         std::nullopt,
         ""},
        {"dropped first block may hold anything",
         LogText({{"x", "y", "z"}, kFast}),
         2,
         '.',
         "800",
         CollectStatus::Complete,
         {kHeading800, Result(1, "21", "38", "44")},
         RunScores{21, 38, 44},
         "44 FPS"},
    };
}

TEST(ParseDemoResults, ReportLinesChartScoresAndStatusPerLog) {
    for (const ParseCase& c : ParseCases()) {
        SCOPED_TRACE(c.name);
        DiagnosticLog trace;
        const CollectInput input{"C:\\Crysis\\Game\\Levels\\island\\benchmark_gpu.log",
                                 c.log,
                                 c.runs,
                                 c.tag,
                                 "1366",
                                 "768",
                                 c.decimalMark};
        const CollectOutput out = ParseDemoResults(input, trace);
        EXPECT_EQ(out.status, c.status);
        EXPECT_EQ(out.reportLines, c.reportLines);
        ASSERT_EQ(out.chartScores.has_value(), c.chart.has_value());
        if (c.chart) {
            EXPECT_EQ(out.chartScores->minimum, c.chart->minimum);
            EXPECT_EQ(out.chartScores->average, c.chart->average);
            EXPECT_EQ(out.chartScores->maximum, c.chart->maximum);
        }
        EXPECT_EQ(out.lastScore, c.lastScore);
    }
}

TEST(ParseDemoResults, MissingLabelGivesNoScore) {
    std::vector<std::string> lines = LogLines({kSlow});
    lines[3] = "    Play Time: 61.29s, Avg FPS: 32.63";
    DiagnosticLog trace;
    const CollectOutput out =
        ParseDemoResults({"x.log", Join(lines), 1, "800", "", "", '.'}, trace);
    EXPECT_EQ(out.status, CollectStatus::Malformed);
    EXPECT_TRUE(out.reportLines.empty());
    EXPECT_FALSE(out.chartScores);
    for (const std::string& line : trace.Lines()) {
        EXPECT_EQ(line.find("ScoreHTML"), std::string::npos) << line;
    }
}

TEST(ParseDemoResults, MissingOrShortLogTracesOnlyTheHeadAndTheFile) {
    const std::string stars(29, '*');
    {
        DiagnosticLog trace;
        ParseDemoResults({"C:\\L\\d.log", std::nullopt, 1, "800", "", "", '.'}, trace);
        const std::vector<std::string> expected = {
            "", stars, "Result Information", stars, "Log file NOT exist: C:\\L\\d.log", "",
        };
        EXPECT_EQ(trace.Lines(), expected);
    }
    {
        DiagnosticLog trace;
        ParseDemoResults({"C:\\L\\d.log", std::string("one\r\ntwo\r\n"), 3, "800", "", "", '.'},
                         trace);
        const std::vector<std::string> expected = {
            "",    stars, "Result Information", stars, "Log file exist: C:\\L\\d.log", "",
            "one", "two",
        };
        EXPECT_EQ(trace.Lines(), expected);
    }
}

TEST(ParseDemoResults, TwoRunTraceLineByLine) {
    const std::string log = LogText({kSlow, kFast});
    DiagnosticLog trace;
    const CollectOutput out =
        ParseDemoResults({"C:\\G\\island\\benchmark_gpu.log", log, 2, "800", "", "", ','}, trace);
    ASSERT_EQ(out.status, CollectStatus::Complete);

    const std::string s29(29, '*'), s58(58, '*'), s35(35, '*'), s34(34, '*'), s38(38, '*');
    const std::string eq(62, '=');
    std::vector<std::string> expected = {
        "",
        s29,
        "Result Information",
        s29,
        "Log file exist: C:\\G\\island\\benchmark_gpu.log",
        "",
        eq,
        "TimeDemo Play Started , (Total Frames: 2000, Recorded Time: 111.86s)",
        "!TimeDemo Run 0 Finished.",
        "    Play Time: 61.29s, Average FPS: 32.63",
        "    Min FPS: 20.91 at frame 1955, Max FPS: 40.19 at frame 78",
        "    Average Tri/Sec: -13398170, Tri/Frame: -410563",
        "    Recorded/Played Tris ratio: -2.23",
        "!TimeDemo Run 1 Finished.",
        "    Play Time: 61.29s, Average FPS: 38.18",
        "    Min FPS: 20.91 at frame 1955, Max FPS: 44.06 at frame 78",
        "    Average Tri/Sec: -13398170, Tri/Frame: -410563",
        "    Recorded/Played Tris ratio: -2.23",
        "TimeDemo Play Ended, (2 Runs Performed)",
        eq,
        "",
        s58,
        "TempStringlist tartalma az eredm\xE9nyek homogeniz\xE1l\xE1sa ut\xE1n",
        s58,
        "!TimeDemo Run 0 Finished.",
        "    Play Time: 61.29s, Average FPS: 32.63",
        "    Min FPS: 20.91 at frame 1955, Max FPS: 40.19 at frame 78",
        "    Average Tri/Sec: -13398170, Tri/Frame: -410563",
        "    Recorded/Played Tris ratio: -2.23",
        "!TimeDemo Run 1 Finished.",
        "    Play Time: 61.29s, Average FPS: 38.18",
        "    Min FPS: 20.91 at frame 1955, Max FPS: 44.06 at frame 78",
        "    Average Tri/Sec: -13398170, Tri/Frame: -410563",
        "    Recorded/Played Tris ratio: -2.23",
        "",
        "",
        s58,
        "TempStringlist tartalma az els\xF5 eredm\xE9ny kiv\xE1g\xE1sa ut\xE1n",
        s58,
        "!TimeDemo Run 1 Finished.",
        "    Play Time: 61.29s, Average FPS: 38.18",
        "    Min FPS: 20.91 at frame 1955, Max FPS: 44.06 at frame 78",
        "    Average Tri/Sec: -13398170, Tri/Frame: -410563",
        "    Recorded/Played Tris ratio: -2.23",
        "",
        "",
        s29,
        "Average Score cutting",
        s29,
        "38.18",
        "ScoreHTML (Av): 38 FPS  ScoreChart: 38",
        "",
        s29,
        "Min Score cutting",
        s29,
        "20.91",
        "ScoreHTML (Min): 21 FPS  ScoreChart: 21",
        "",
        s29,
        "Max Score cutting",
        s29,
        "44.06",
        "ScoreHTML (Max): 44 FPS  ScoreChart: 44",
        "",
        s35,
        "TempStringlist tartalma t\xF6rl\xE9s ut\xE1n",
        s35,
        "",  // the list is empty now, which shows as one empty line
        "",
        s34,
        "Min eredm\xE9ny hozz\xE1"
        "ad\xE1sa a charthoz",
        s34,
        "21",
        "",
        s38,
        "Average eredm\xE9ny hozz\xE1"
        "ad\xE1sa a charthoz",
        s38,
        "38",
        "",
        s35,
        "Max eredm\xE9ny hozz\xE1"
        "ad\xE1sa a charthoz",
        s35,
        "44",
    };
    EXPECT_EQ(trace.Lines(), expected);
}

TEST(ParseDemoResults, ScoreAndChartSectionsPerCountedRun) {
    DiagnosticLog trace;
    ParseDemoResults({"d.log", LogText({kSlow, kFast, kThird}), 3, "800", "", "", '.'}, trace);
    int scoreLines = 0;
    int chartHeads = 0;
    std::vector<std::string> cut;
    const auto& lines = trace.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("ScoreHTML (", 0) == 0) {
            ++scoreLines;
        }
        if (lines[i].find(" a charthoz") != std::string::npos) {
            ++chartHeads;
        }
        if (lines[i].find("Score cutting") != std::string::npos && i + 2 < lines.size()) {
            cut.push_back(lines[i + 2]);
        }
    }
    EXPECT_EQ(scoreLines, 6);
    EXPECT_EQ(chartHeads, 3);  // the first counted run only
    // The texts as cut from the log, before rounding.
    const std::vector<std::string> expectedCut = {"38.18", "20.91", "44.06",
                                                  "41.50", "25.49", "52.51"};
    EXPECT_EQ(cut, expectedCut);
    // Each block-removed section lists what is left: block 3 after block 2.
    const std::string removed = "TempStringlist tartalma t\xF6rl\xE9s ut\xE1n";
    std::size_t first = 0;
    while (first < lines.size() && lines[first] != removed) {
        ++first;
    }
    ASSERT_LT(first + 2, lines.size());
    EXPECT_EQ(lines[first + 2], "!TimeDemo Run 2 Finished.");
}

TEST(ParseDemoResults, ShortLastBlockIsReportedInTheTrace) {
    DiagnosticLog trace;
    const CollectOutput out =
        ParseDemoResults({"d.log", Truncated({kSlow, kFast}, 1), 2, "800", "", "", '.'}, trace);
    EXPECT_EQ(out.status, CollectStatus::Malformed);
    EXPECT_EQ(trace.Lines().back(), "Demo log unusable: result block 1 is short");
}

TEST(ConvertScore, NearestWholeNumberWithHalvesToEven) {
    struct Case {
        const char* text;
        char mark;
        std::int32_t value;
    };
    const Case cases[] = {
        {"22.75", '.', 23},
        {"22,75", '.', 23},
        {"22.75", ',', 23},
        {"22,75", ',', 23},
        {"22.5", '.', 22},
        {"23.5", '.', 24},
        {"23,5", ',', 24},
        {"0.5", '.', 0},
        {"1.5", '.', 2},
        {"22.49", '.', 22},
        {"22.51", '.', 23},
        // Decided on the digits, not on a binary fraction that moves the half.
        {"22.5000000000000000001", '.', 23},
        {"23.4999999999999999999", '.', 23},
        {"7", '.', 7},
        {"7.", '.', 7},
        {".5", '.', 0},
        {".51", '.', 1},
        {"+7.2", '.', 7},
        {"-22.5", '.', -22},
        {"-23.5", '.', -24},
        {"-0.4", '.', 0},
        {"000000000000000000012.5", '.', 12},
        {"2147483647", '.', kInt32Max},
        {"2147483647.49", '.', kInt32Max},
        {"-2147483648", '.', kInt32Min},
        {"-2147483648.5", '.', kInt32Min},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " mark " + c.mark);
        const auto value = ConvertScore(c.text, c.mark);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, c.value);
    }
}

TEST(ConvertScore, GarbageAndOutOfRangeGiveNoScore) {
    const char* const garbage[] = {
        "",
        "abc",
        "1e400",
        "1e5",
        "nan",
        "inf",
        "-inf",
        "12.3.4",
        "12,3,4",
        "1.234,5",
        "1,234.5",
        " 12",
        "12 ",
        "12\t",
        "12a",
        "a12",
        "+",
        "-",
        ".",
        ",",
        "--5",
        "+-5",
        "0x10",
        "12..5",
        "2147483647.5",
        "2147483648",
        "-2147483648.6",
        "99999999999",
        "-99999999999",
        "340282366920938463463374607431768211456",
    };
    for (const char* text : garbage) {
        for (char mark : {'.', ','}) {
            SCOPED_TRACE(std::string("\"") + text + "\" mark " + mark);
            EXPECT_FALSE(ConvertScore(text, mark).has_value());
        }
    }
}

TEST(ReadScoreText, CutsFromOneAfterTheLabelToTheNextSpace) {
    struct Case {
        const char* line;
        const char* label;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"    Play Time: 61.29s, Average FPS: 32.63", "Average FPS:", "32.63"},
        {"    Min FPS: 20.91 at frame 1955, Max FPS: 40.19 at frame 78", "Min FPS:", "20.91"},
        {"    Min FPS: 20.91 at frame 1955, Max FPS: 40.19 at frame 78", "Max FPS:", "40.19"},
        {"Average FPS:=32.6", "Average FPS:", "32.6"},  // any separator character
        {"Average FPS:", "Average FPS:", ""},
        {"Average FPS: ", "Average FPS:", ""},
        {"Average FPS:  32", "Average FPS:", ""},  // the text starts at the second blank
        {"Average FPS: 32,5\tx", "Average FPS:", "32,5\tx"},
        {"    Play Time: 61.29s, Avg FPS: 32.63", "Average FPS:", std::nullopt},
        {"", "Max FPS:", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ReadScoreText(c.line, c.label), c.text);
    }
}

TEST(SwapDecimalMark, FirstCommaBecomesPointElseFirstPointBecomesComma) {
    const std::pair<const char*, const char*> cases[] = {
        {"22,75", "22.75"}, {"22.75", "22,75"}, {"1,2,3", "1.2,3"}, {"1.2,3", "1.2.3"},
        {"1.2.3", "1,2.3"}, {"12", "12"},       {"", ""},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(SwapDecimalMark(in), out) << in;
    }
}

TEST(RunsFromText, OneToFiveElseOne) {
    const std::pair<const char*, int> cases[] = {
        {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4},  {"5", 5},  {"0", 1},
        {"6", 1}, {"", 1},  {"x", 1}, {"02", 1}, {"2 ", 1}, {"-3", 1},
    };
    for (const auto& [text, runs] : cases) {
        EXPECT_EQ(RunsFromText(text), runs) << '"' << text << '"';
    }
}

TEST(ScoreTexts, DecimalAndReportForms) {
    EXPECT_EQ(DecimalText(38), "38");
    EXPECT_EQ(DecimalText(-5), "-5");
    EXPECT_EQ(ReportText(0), "0 FPS");
    EXPECT_EQ(ReportText(44), "44 FPS");
}

TEST(AbortMessage, DirectX10HintOnlyOnVistaWithTheRunawayThreadError) {
    const std::string dx10 = "Maybe your VGA card isn't DirectX 10-capable. Benchmark aborted!";
    const std::string plain = "Benchmark aborted!";
    const std::string runaway = "Loading...\r\n[Error] Runaway thread 0x1f\r\n";
    EXPECT_EQ(AbortMessage(true, runaway), dx10);
    EXPECT_EQ(AbortMessage(false, runaway), plain);
    EXPECT_EQ(AbortMessage(true, std::string("Loading...\r\n")), plain);
    EXPECT_EQ(AbortMessage(true, std::nullopt), plain);
    EXPECT_EQ(AbortMessage(true, std::string("[error] runaway thread")), plain);
}

}  // namespace
}  // namespace fw
