#include "gamesim/demo_log_text.h"

#include <cstdio>

#include "common/text.h"

namespace fw::gamesim {

namespace {

const std::string kRule(62, '=');

class NumberTexts {
public:
    explicit NumberTexts(Fault fault) : fault_(fault) {}

    std::string Decimal(double value) const {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.2f", value);
        std::string text = buffer;
        if (fault_ == Fault::kComma) {
            for (char& c : text) {
                if (c == '.') {
                    c = ',';
                }
            }
        }
        return text;
    }

    // The frame rates the benchmark reads.
    std::string Fps(double value) const {
        return fault_ == Fault::kGarbage ? std::string("abc") : Decimal(value);
    }

private:
    Fault fault_;
};

}  // namespace

std::string PlaybackLogText(const std::vector<RunFigures>& runs, Fault fault) {
    NumberTexts numbers(fault);
    std::vector<std::string> lines;
    lines.push_back(kRule);
    lines.push_back("TimeDemo Play Started , (Total Frames: " + std::to_string(kDemoFrames) +
                    ", Recorded Time: " + numbers.Decimal(111.86) + "s)");
    const std::string averageLabel = fault == Fault::kNoLabel ? "Average" : "Average FPS:";
    for (size_t i = 0; i < runs.size(); ++i) {
        const RunFigures& run = runs[i];
        lines.push_back("!TimeDemo Run " + std::to_string(i) + " Finished.");
        lines.push_back("    Play Time: " + numbers.Decimal(run.playTimeSeconds) + "s, " +
                        averageLabel + " " + numbers.Fps(run.averageFps));
        lines.push_back("    Min FPS: " + numbers.Fps(run.minFps) + " at frame " +
                        std::to_string(run.minFrame) + ", Max FPS: " + numbers.Fps(run.maxFps) +
                        " at frame " + std::to_string(run.maxFrame));
        lines.push_back("    Average Tri/Sec: " + std::to_string(run.trisPerSecond) +
                        ", Tri/Frame: " + std::to_string(run.trisPerFrame));
        lines.push_back("    Recorded/Played Tris ratio: " +
                        numbers.Decimal(run.recordedPlayedTrisRatio));
    }
    // A playback cut short before its closing lines: two header lines and the
    // run blocks only, one line fewer than the least a complete log has.
    if (fault != Fault::kShortLog) {
        lines.push_back("TimeDemo Play Ended, (" + std::to_string(runs.size()) +
                        " Runs Performed)");
        lines.push_back(kRule);
    }
    return JoinCrLf(lines);
}

}  // namespace fw::gamesim
