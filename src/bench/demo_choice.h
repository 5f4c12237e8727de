#pragma once
// Which timedemo a run plays, where its file goes in the game and where it is
// copied from when the game lacks it.
#include <optional>
#include <string>

#include "bench/run_state.h"

namespace fw {

struct DemoSelection {
    std::string DemoTitle;
    std::string DemoName;
    std::string LevelName;
    std::string targetRelative;  // below DemoPath, e.g. "island\\benchmark_gpu.tmd"
    std::string sourcePath;      // program folder + file, or the custom demo file
};

// `demoItem` is the graphics-card choice (0 built-in, 1 core, 2 custom, -1 none),
// `cpuDemoItem` the processor choice (0 ice, 1 island, -1 none); the one of the
// run's mode counts. None when nothing usable is chosen.
std::optional<DemoSelection> ChooseDemo(BenchMode mode, int demoItem, int cpuDemoItem,
                                        const std::string& programFolder,
                                        const std::string& customDemoPath,
                                        const std::string& levelName);

}  // namespace fw
