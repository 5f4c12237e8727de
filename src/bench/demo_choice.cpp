#include "bench/demo_choice.h"

#include <string_view>

#include "common/text.h"

namespace fw {
namespace {

constexpr std::string_view kDemoExtension = ".tmd";

struct ShippedDemo {
    std::string_view title;
    std::string_view level;
    std::string_view name;
};

DemoSelection FromShipped(const ShippedDemo& demo, const std::string& programFolder) {
    const std::string file = std::string(demo.name) + std::string(kDemoExtension);
    DemoSelection s;
    s.DemoTitle = demo.title;
    s.DemoName = demo.name;
    s.LevelName = demo.level;
    s.targetRelative = std::string(demo.level) + "\\" + file;
    s.sourcePath = programFolder + file;
    return s;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::optional<DemoSelection> FromCustom(const std::string& customDemoPath,
                                        const std::string& levelName) {
    const std::string fileName = FileNameOf(customDemoPath);
    if (fileName.empty() || levelName.empty()) {
        return std::nullopt;
    }
    DemoSelection s;
    const std::size_t firstTmd = fileName.find(kDemoExtension);
    const std::string baseName =
        firstTmd == std::string::npos ? std::string() : fileName.substr(0, firstTmd);
    s.DemoTitle = "Custom demo - " + baseName;
    // The game adds ".tmd" to the demo name itself and names its log after the
    // demo file: given "night.tmd" it either looks for night.tmd.tmd or plays
    // night.tmd and logs to night.log, and the night.tmd.log that the result step
    // would read never appears. So the name goes to the game without its extension.
    const bool endsWithTmd =
        fileName.size() > kDemoExtension.size() &&
        EqualsIgnoreCase(std::string_view(fileName).substr(fileName.size() - kDemoExtension.size()),
                         kDemoExtension);
    s.DemoName =
        endsWithTmd ? fileName.substr(0, fileName.size() - kDemoExtension.size()) : fileName;
    s.LevelName = levelName;
    s.targetRelative = levelName + "\\" + fileName;
    s.sourcePath = customDemoPath;
    return s;
}

}  // namespace

std::optional<DemoSelection> ChooseDemo(BenchMode mode, int demoItem, int cpuDemoItem,
                                        const std::string& programFolder,
                                        const std::string& customDemoPath,
                                        const std::string& levelName) {
    if (mode == BenchMode::Vga) {
        switch (demoItem) {
            case 0:
                return FromShipped({"Crytek Built-in", "island", "benchmark_gpu"}, programFolder);
            case 1:
                // The list item reads "Kelvo Core"; reports and the chart call it ours.
                return FromShipped({"Brimvale Core", "core", "coredemo"}, programFolder);
            case 2:
                return FromCustom(customDemoPath, levelName);
            default:
                return std::nullopt;
        }
    }
    if (mode == BenchMode::Cpu) {
        switch (cpuDemoItem) {
            case 0:
                return FromShipped({"Crytek Ice", "ice", "benchmark_cpuice"}, programFolder);
            case 1:
                return FromShipped({"Crytek Island", "island", "benchmark_cpuisland"},
                                   programFolder);
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace fw
