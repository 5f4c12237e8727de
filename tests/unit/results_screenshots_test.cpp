#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/run_state.h"
#include "results/screenshots.h"

namespace fw {
namespace {

TEST(BuildScreenshotOption, PlainNumberForTheGame) {
    const std::pair<double, const char*> cases[] = {
        {850, " +demo_screenshot_frame 850"},     {1500, " +demo_screenshot_frame 1500"},
        {1, " +demo_screenshot_frame 1"},         {2157, " +demo_screenshot_frame 2157"},
        {850.5, " +demo_screenshot_frame 850.5"},
    };
    for (const auto& [value, option] : cases) {
        EXPECT_EQ(BuildScreenshotOption(value), option) << value;
    }
}

TEST(FormatFrameText, GroupedWholeNumberNegativeInParentheses) {
    struct Case {
        double value;
        char mark;
        const char* text;
    };
    const Case cases[] = {
        {850, ',', "850"},
        {1500, ',', "1,500"},
        {2157, '.', "2.157"},
        {1000, '\xA0',
         "1\xA0"
         "000"},
        {1234567, ' ', "1 234 567"},
        {999, ',', "999"},
        {999.5, ',', "1,000"},  // halves away from zero
        {1500.4, ',', "1,500"},
        {-1500, ',', "(1,500)"},
        {-0.4, ',', "0"},
        {0, ',', "0"},
        {100000, ',', "100,000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFrameText(c.value, c.mark), c.text) << c.value;
    }
}

TEST(ScreenshotFileStem, FrameTimestampAndSuffix) {
    EXPECT_EQ(
        ScreenshotFileStem("C:\\Framewright\\ScreenShots\\", "850", "143005__09_12_2008", "_2048"),
        "C:\\Framewright\\ScreenShots\\frame850_143005__09_12_2008_2048");
    EXPECT_EQ(ScreenshotFileStem("C:\\FW\\ScreenShots\\", "1,500", "143005__09_12_2008",
                                 "_800\xD7"
                                 "600"),
              "C:\\FW\\ScreenShots\\frame1,500_143005__09_12_2008_800\xD7"
              "600");
    EXPECT_EQ(ScreenshotFileStem("", "1", "000000__01_01_2009",
                                 "_1366\xD7"
                                 "768"),
              "frame1_000000__01_01_2009_1366\xD7"
              "768");
}

DescriptionValues VgaDescription() {
    DescriptionValues v;
    v.sizeText =
        "800\xD7"
        "600";
    v.frameText = "1,500";
    v.rendererTitle = "DirectX 10";
    v.demoName = "benchmark_gpu";
    v.mode = BenchMode::Vga;
    v.qualityLevel = 3;
    v.aaText = "2x";
    v.afText = "8x";
    v.multiGpu = false;
    v.boost = true;
    v.customConfig = true;
    v.note = "";
    return v;
}

TEST(WriteScreenshotDescription, LinesPerBenchmarkKind) {
    struct Case {
        const char* name;
        DescriptionValues values;
        std::vector<std::string> lines;
    };
    std::vector<Case> cases;
    cases.push_back({"VGA without a note",
                     VgaDescription(),
                     {
                         "Resolution: 800\xD7"
                         "600",
                         "Frame: 1,500",
                         "Renderer: DirectX 10",
                         "Demo: benchmark_gpu.tmd",
                         "Quality: High",
                         "Renderer mode: DirectX 10",
                         "Antialising: 2x",
                         "Filtering: 8x",
                         "MultiGPU support: Disabled",
                         "Boost renderer: Enabled",
                         "Use Custom Config File: Yes",
                     }});

    DescriptionValues custom = VgaDescription();
    custom.demoName = "night.tmd";
    custom.qualityLevel = 4;
    custom.multiGpu = true;
    custom.boost = false;
    custom.customConfig = false;
    custom.note = "Driver 169.21";
    custom.sizeText =
        "1366\xD7"
        "768";
    cases.push_back({"custom demo with a note",
                     custom,
                     {
                         "Resolution: 1366\xD7"
                         "768",
                         "Frame: 1,500",
                         "Renderer: DirectX 10",
                         "Demo: night.tmd.tmd",
                         "Quality: Very High (with tweaks)",
                         "Renderer mode: DirectX 10",
                         "Antialising: 2x",
                         "Filtering: 8x",
                         "MultiGPU support: Enabled",
                         "Boost renderer: Disabled",
                         "Use Custom Config File: No",
                         "Note: Driver 169.21",
                     }});

    // The box alone decides line 11, even in a CPU run.
    DescriptionValues cpu = VgaDescription();
    cpu.mode = BenchMode::Cpu;
    cpu.demoName = "benchmark_cpuice";
    cpu.rendererTitle = "DirectX 9";
    cpu.frameText = "850";
    cpu.note = "cpu";
    cases.push_back({"CPU",
                     cpu,
                     {
                         "Resolution: 800\xD7"
                         "600",
                         "Frame: 850",
                         "Renderer: DirectX 9",
                         "Demo: benchmark_cpuice.tmd",
                         "Use Custom Config File: Yes",
                         "Note: cpu",
                     }});

    DescriptionValues qualities[2] = {VgaDescription(), VgaDescription()};
    qualities[0].qualityLevel = 1;
    qualities[1].qualityLevel = 2;
    for (int q = 0; q < 2; ++q) {
        std::vector<std::string> lines = cases[0].lines;
        lines[4] = q == 0 ? "Quality: Low" : "Quality: Medium";
        cases.push_back({q == 0 ? "low" : "medium", qualities[q], lines});
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WriteScreenshotDescription(c.values), c.lines);
    }
}

}  // namespace
}  // namespace fw
