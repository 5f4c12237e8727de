#include <benchmark/benchmark.h>

#include <string>

#include "results/demo_log.h"
#include "results/diagnostic_log.h"

namespace fw {
namespace {

// A five-run log as the game writes it, with a decimal comma so that every
// value also goes through the mark swap on a system with a decimal point.
std::string FiveRunLog() {
    std::string log =
        "==============================================================\r\n"
        "TimeDemo Play Started , (Total Frames: 2000, Recorded Time: 111.86s)\r\n";
    for (int run = 0; run < 5; ++run) {
        const std::string n = std::to_string(run);
        log += "!TimeDemo Run " + n + " Finished.\r\n";
        log += "    Play Time: 52.39s, Average FPS: 38,1" + n + "\r\n";
        log += "    Min FPS: 20,9" + n + " at frame 1955, Max FPS: 44,0" + n + " at frame 955\r\n";
        log += "    Average Tri/Sec: -14940468, Tri/Frame: -391360\r\n";
        log += "    Recorded/Played Tris ratio: -2.34\r\n";
    }
    log += "TimeDemo Play Ended, (5 Runs Performed)\r\n";
    log += "==============================================================\r\n";
    return log;
}

void BM_ParseDemoResultsFiveRuns(benchmark::State& state) {
    const CollectInput input{"C:\\Crysis\\Game\\Levels\\island\\benchmark_gpu.log",
                             FiveRunLog(),
                             5,
                             "1280",
                             "",
                             "",
                             '.'};
    DiagnosticLog trace;
    for (auto _ : state) {
        trace.Clear();
        CollectOutput out = ParseDemoResults(input, trace);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_ParseDemoResultsFiveRuns);

}  // namespace
}  // namespace fw
