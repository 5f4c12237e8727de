#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "bench/demo_choice.h"
#include "bench/run_state.h"

namespace fw {
namespace {

struct Expected {
    const char* title;
    const char* name;
    const char* level;
    const char* target;
    const char* source;
};

struct Case {
    const char* label;
    BenchMode mode;
    int demoItem;
    int cpuDemoItem;
    const char* customPath;
    const char* level;
    std::optional<Expected> expected;
};

constexpr const char* kProgram = "C:\\Tools\\Framewright\\";

TEST(ChooseDemo, ShippedAndCustomDemosPerMode) {
    const Case cases[] = {
        {"built-in", BenchMode::Vga, 0, 1, "", "Choose a level",
         Expected{"Crytek Built-in", "benchmark_gpu", "island", "island\\benchmark_gpu.tmd",
                  "C:\\Tools\\Framewright\\benchmark_gpu.tmd"}},
        {"core", BenchMode::Vga, 1, -1, "", "",
         Expected{"Brimvale Core", "coredemo", "core", "core\\coredemo.tmd",
                  "C:\\Tools\\Framewright\\coredemo.tmd"}},
        {"cpu ice", BenchMode::Cpu, 2, 0, "", "",
         Expected{"Crytek Ice", "benchmark_cpuice", "ice", "ice\\benchmark_cpuice.tmd",
                  "C:\\Tools\\Framewright\\benchmark_cpuice.tmd"}},
        {"cpu island", BenchMode::Cpu, -1, 1, "", "",
         Expected{"Crytek Island", "benchmark_cpuisland", "island",
                  "island\\benchmark_cpuisland.tmd",
                  "C:\\Tools\\Framewright\\benchmark_cpuisland.tmd"}},
        // The game is given the name without ".tmd": it adds the extension itself
        // and writes night.log beside the demo.
        {"custom night in Harbor", BenchMode::Vga, 2, -1, "C:\\demos\\night.tmd", "Harbor",
         Expected{"Custom demo - night", "night", "Harbor", "Harbor\\night.tmd",
                  "C:\\demos\\night.tmd"}},
        {"custom with forward slashes", BenchMode::Vga, 2, -1, "D:/my demos/run.one.tmd", "Ice",
         Expected{"Custom demo - run.one", "run.one", "Ice", "Ice\\run.one.tmd",
                  "D:/my demos/run.one.tmd"}},
        {"custom title stops at the first .tmd", BenchMode::Vga, 2, -1, "C:\\demos\\a.tmd.copy.tmd",
         "Core",
         Expected{"Custom demo - a", "a.tmd.copy", "Core", "Core\\a.tmd.copy.tmd",
                  "C:\\demos\\a.tmd.copy.tmd"}},
        {"custom file without .tmd", BenchMode::Vga, 2, -1, "C:\\demos\\night.dem", "Mine",
         Expected{"Custom demo - ", "night.dem", "Mine", "Mine\\night.dem",
                  "C:\\demos\\night.dem"}},
        {"custom upper-case extension", BenchMode::Vga, 2, -1, "C:\\DEMOS\\NIGHT.TMD", "Tank",
         Expected{"Custom demo - ", "NIGHT", "Tank", "Tank\\NIGHT.TMD", "C:\\DEMOS\\NIGHT.TMD"}},
        {"vga, nothing chosen", BenchMode::Vga, -1, 0, "", "", std::nullopt},
        {"cpu, nothing chosen", BenchMode::Cpu, 0, -1, "", "", std::nullopt},
        {"cpu, stray item", BenchMode::Cpu, 0, 2, "", "", std::nullopt},
        {"no mode", BenchMode::None, 0, 0, "", "", std::nullopt},
        {"custom without a file", BenchMode::Vga, 2, -1, "", "Harbor", std::nullopt},
        {"custom path ending in a folder", BenchMode::Vga, 2, -1, "C:\\demos\\", "Harbor",
         std::nullopt},
        {"custom without a level", BenchMode::Vga, 2, -1, "C:\\demos\\night.tmd", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto s =
            ChooseDemo(c.mode, c.demoItem, c.cpuDemoItem, kProgram, c.customPath, c.level);
        ASSERT_EQ(s.has_value(), c.expected.has_value());
        if (!s) {
            continue;
        }
        EXPECT_EQ(s->DemoTitle, c.expected->title);
        EXPECT_EQ(s->DemoName, c.expected->name);
        EXPECT_EQ(s->LevelName, c.expected->level);
        EXPECT_EQ(s->targetRelative, c.expected->target);
        EXPECT_EQ(s->sourcePath, c.expected->source);
    }
}

}  // namespace
}  // namespace fw
