// Encoding the chart image: the one JPEG a run writes, while the window waits.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>

#include "results/jpeg_writer.h"

namespace {

// A chart-like picture: white ground, grid lines and gradient bars.
fw::RgbImage ChartLikeImage(int width, int height) {
    fw::RgbImage image{width, height, {}};
    image.rgb.assign(static_cast<std::size_t>(width) * height * 3, 255);
    const std::uint8_t colours[3][3] = {{255, 106, 106}, {252, 185, 124}, {103, 165, 1}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &image.rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            if (y % 33 == 0) {
                p[0] = p[1] = p[2] = 226;
            }
            const int slot = x % 75;
            if (y > 90 + (x / 75) * 15 && y < height - 40 && slot > 10 && slot < 64) {
                const std::uint8_t* c = colours[(slot - 10) / 18];
                const int lift = (height - y) * 80 / height;
                for (int k = 0; k < 3; ++k) {
                    p[k] = static_cast<std::uint8_t>(std::min(255, c[k] + lift));
                }
            }
        }
    }
    return image;
}

void BM_EncodeChartJpeg(benchmark::State& state) {
    const fw::RgbImage image = ChartLikeImage(681, 343);
    for (auto _ : state) {
        auto jpeg = fw::EncodeJpeg(image, fw::kChartJpegQuality);
        benchmark::DoNotOptimize(jpeg);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(image.rgb.size()));
}
BENCHMARK(BM_EncodeChartJpeg)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
