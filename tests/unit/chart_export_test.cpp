#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/fake_platform.h"
#include "fakes/recording_canvas.h"
#include "results/bitmap_file.h"
#include "results/chart.h"
#include "results/chart_export.h"

namespace fw {
namespace {

const std::string kProgram = "C:\\Program Files\\Brimvale\\Framewright\\";
const std::string kResults = "C:\\Program Files\\Brimvale\\Framewright\\Benchmark\\";
const std::string kStamp = "143005__09_12_2008";
const std::string kBitmap = kProgram + "ch.bmp";
const std::string kImage = kResults + "result_143005__09_12_2008chart.jpg";

// Looks at the files at the moment of the wait, which must lie between the
// bitmap being saved and the JPEG being made.
class WatchingClock : public testing::FakeClock {
public:
    explicit WatchingClock(testing::FakeFileSystem& files) : files_(files) {}
    void Sleep(int milliseconds) override {
        FakeClock::Sleep(milliseconds);
        bitmapAtWait = files_.FileExists(kBitmap);
        imageAtWait = files_.FileExists(kImage);
    }
    bool bitmapAtWait = false;
    bool imageAtWait = true;

private:
    testing::FakeFileSystem& files_;
};

struct ExportFixture {
    testing::FakeFileSystem files;
    WatchingClock clock{files};
    testing::RecordingSurfaceFactory surfaces;
    ResultsChart chart;

    ExportFixture() {
        files.AddFolder(kProgram);
        files.AddFolder(kResults);
        chart.SetChartDemo("Benchmark GPU");
        chart.AddChartPoints(
            "800\xD7"
            "600",
            40, 50, 60);
        chart.AddChartPoints(
            "1024\xD7"
            "768",
            30, 40, 50);
        chart.AddChartPoints(
            "1280\xD7"
            "1024",
            20, 30, 40);
    }

    bool Export(int selected) {
        return ExportChartImage(chart, selected, kProgram, kResults, kStamp, surfaces, files,
                                clock);
    }
};

TEST(ExportChartImage, DrawsSavesWaitsConvertsAndRemovesTheBitmap) {
    ExportFixture f;
    ASSERT_TRUE(f.Export(3));

    ASSERT_EQ(f.surfaces.created.size(), 1u);
    EXPECT_EQ(f.surfaces.created[0], (TextSize{456, 343}));
    EXPECT_EQ(f.clock.sleeps, std::vector<int>{1000});
    EXPECT_TRUE(f.clock.bitmapAtWait);
    EXPECT_FALSE(f.clock.imageAtWait);
    EXPECT_FALSE(f.files.FileExists(kBitmap));

    const std::optional<std::string> jpeg = f.files.ReadFile(kImage);
    ASSERT_TRUE(jpeg.has_value());
    EXPECT_EQ(jpeg->substr(0, 3), "\xFF\xD8\xFF");
    const std::vector<std::string> expectedCalls = {"write " + kBitmap, "write " + kImage,
                                                    "delete " + kBitmap};
    EXPECT_EQ(f.files.Calls(), expectedCalls);
    EXPECT_EQ(ChartImageName(kStamp), "result_143005__09_12_2008chart.jpg");
}

TEST(ExportChartImage, SizesTheImageByTheResolutionCount) {
    struct Case {
        int before;  // resolutions of an earlier export in the same program run, 0 for none
        int selected;
        int width;
    };
    const Case cases[] = {{0, 2, 380}, {0, 3, 456}, {0, 4, 532}, {0, 5, 608},
                          {0, 6, 681}, {0, 9, 681}, {4, 7, 532}};
    for (const Case& c : cases) {
        ExportFixture f;
        if (c.before > 0) {
            ASSERT_TRUE(f.Export(c.before));
        }
        ASSERT_TRUE(f.Export(c.selected)) << c.selected;
        EXPECT_EQ(f.surfaces.created.back(), (TextSize{c.width, 343})) << c.selected;
        EXPECT_EQ(f.chart.Width(), c.width);
    }
}

TEST(ExportChartImage, RemovesTheBitmapWhenTheConversionFails) {
    ExportFixture f;
    f.files.MakeReadOnly(kResults);
    EXPECT_FALSE(f.Export(3));
    EXPECT_FALSE(f.files.FileExists(kImage));
    EXPECT_FALSE(f.files.FileExists(kBitmap));
    EXPECT_EQ(f.clock.sleeps, std::vector<int>{1000});
}

TEST(ExportChartImage, NeverConvertsAnOldBitmapWhenTheNewOneCannotBeSaved) {
    ExportFixture f;
    // A bitmap left behind by an earlier, interrupted export.
    RgbImage stale{4, 4, std::vector<std::uint8_t>(48, 0)};
    f.files.AddFile(kBitmap, *EncodeBmp(stale));
    f.files.MakeReadOnly(kProgram + "ch.bmp");
    EXPECT_FALSE(f.Export(3));
    EXPECT_FALSE(f.files.FileExists(kImage));
    EXPECT_TRUE(f.clock.sleeps.empty());
}

TEST(ExportChartImage, WritesNothingWhenNoSurfaceCanBeMade) {
    ExportFixture f;
    f.surfaces.fail = true;
    EXPECT_FALSE(f.Export(2));
    EXPECT_TRUE(f.files.Calls().empty());
    EXPECT_TRUE(f.clock.sleeps.empty());
}

}  // namespace
}  // namespace fw
