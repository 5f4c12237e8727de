// libFuzzer target over the demo log parser and the score conversion.
// Input: byte 0 picks the run count, byte 1 is the system's decimal mark,
// byte 2 picks the resolution, the rest is the demo log's text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/text.h"
#include "results/demo_log.h"
#include "results/diagnostic_log.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        __builtin_printf("broken: %s\n", what);
        std::abort();
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number may only come from an optional sign, digits and at most one mark.
bool LooksLikeNumber(std::string_view text, char mark) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    int digits = 0;
    int marks = 0;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++digits;
        } else if (text[i] == '.' || text[i] == ',' || text[i] == mark) {
            ++marks;
        } else {
            return false;
        }
    }
    return digits > 0 && marks <= 1;
}

void CheckConvert(std::string_view text, char mark) {
    const std::optional<std::int32_t> value = fw::ConvertScore(text, mark);
    if (!value) {
        return;
    }
    Check(LooksLikeNumber(text, mark), "a score from a text that is no number");
    // Short texts are exact as doubles and can never sit next to a half, so the
    // default rounding (halves to even) must agree.
    if (text.size() <= 12) {
        std::string plain(text);
        const std::size_t first = plain[0] == '+' || plain[0] == '-' ? 1 : 0;
        for (std::size_t i = first; i < plain.size(); ++i) {
            if (!IsDigit(plain[i])) {
                plain[i] = '.';
            }
        }
        const double expected = std::nearbyint(std::strtod(plain.c_str(), nullptr));
        Check(static_cast<double>(*value) == expected, "rounding differs from halves to even");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const int runs = static_cast<unsigned char>(data[0] - '1') % 5 + 1;
    const char mark = static_cast<char>(data[1]);
    static const char* const kTags[] = {"800", "hdtv1", "custom"};
    const std::string log(reinterpret_cast<const char*>(data) + 3, size - 3);

    CheckConvert(std::string_view(log).substr(0, 40), mark);
    for (const std::string& line : fw::SplitLines(log)) {
        for (std::string_view label : {"Average FPS:", "Min FPS:", "Max FPS:"}) {
            const auto text = fw::ReadScoreText(line, label);
            if (text) {
                Check(text->find(' ') == std::string::npos, "a cut value holds a space");
                CheckConvert(*text, mark);
            }
        }
    }

    fw::DiagnosticLog trace;
    const fw::CollectInput input{"d.log", log, runs, kTags[data[2] % 3], "1366", "768", mark};
    const fw::CollectOutput out = fw::ParseDemoResults(input, trace);
    const int counted = runs >= 2 ? runs - 1 : 1;
    if (out.status == fw::CollectStatus::Complete) {
        Check(out.reportLines.size() == static_cast<std::size_t>(counted) + 1,
              "a complete log gives the heading and one line per counted run");
        Check(out.chartScores.has_value(), "a complete log feeds the chart");
        Check(!out.lastScore.empty(), "a complete log leaves its last score");
        Check(fw::SplitLines(log).size() >= 5u * static_cast<std::size_t>(runs) + 4,
              "complete without every block and the trailing lines");
    } else {
        Check(out.reportLines.empty(), "report lines from a log that is not usable");
        Check(!out.chartScores.has_value(), "chart scores from a log that is not usable");
        Check(out.lastScore.empty(), "a last score from a log that is not usable");
    }
    Check(!trace.Lines().empty() && trace.Lines()[2] == "Result Information",
          "the results section has its head");
    return 0;
}
