#include "app/dpi_scale.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

struct ScaleCase {
    int value;
    int dpi;
    int expected;
};

class DpiScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DpiScaleTest, ScalesToTheNearestPixel) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.expected)
        << c.value << " design pixels at " << c.dpi << " dpi";
}

INSTANTIATE_TEST_SUITE_P(Table, DpiScaleTest,
                         ::testing::Values(
                             // The design resolution leaves every size alone.
                             ScaleCase{553, 96, 553}, ScaleCase{0, 96, 0}, ScaleCase{-7, 96, -7},
                             // 125 %: the window's client area and a check-list line.
                             ScaleCase{553, 120, 691}, ScaleCase{473, 120, 591},
                             ScaleCase{17, 120, 21},
                             // Halves round away from zero, on both sides of it.
                             ScaleCase{2, 120, 3}, ScaleCase{-2, 120, -3}, ScaleCase{1, 144, 2},
                             ScaleCase{-1, 144, -2},
                             // Below the design resolution sizes shrink.
                             ScaleCase{100, 72, 75}, ScaleCase{3, 72, 2},
                             // 200 % and a very high resolution do not overflow.
                             ScaleCase{130, 192, 260}, ScaleCase{1 << 20, 960, 10 << 20},
                             // Without a usable resolution the design size stands.
                             ScaleCase{42, 0, 42}, ScaleCase{42, -96, 42}));

// Layout relies on scaling never reordering edges and treating a mirrored
// offset like the original.
TEST(DpiScaleTest, IsMonotonicAndSymmetricAtCommonResolutions) {
    for (int dpi : {72, 96, 120, 144, 168, 192}) {
        for (int value = -300; value < 300; ++value) {
            ASSERT_LE(ScaleForDpi(value, dpi), ScaleForDpi(value + 1, dpi))
                << value << " at " << dpi;
            ASSERT_EQ(ScaleForDpi(-value, dpi), -ScaleForDpi(value, dpi)) << value << " at " << dpi;
        }
    }
}

}  // namespace
}  // namespace fw
