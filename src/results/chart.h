#pragma once
// The results chart of a run: minimum, average and maximum frame rate of every
// resolution as three bar series, drawn off screen and exported as the
// report's image. The chart lives as long as the program; its width set by an
// export stays for later runs.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "results/chart_layout.h"

namespace fw {

struct ChartPoint {
    double value = 0;
    std::string label;  // the resolution's chart label, for example "1024\xD7" "768"
    Rgb colour;
};

struct ChartSeries {
    std::string title;
    Rgb colour;
    MarkFormat markFormat = MarkFormat::Grouped;
    std::vector<ChartPoint> points;  // numbered from 0 in the order added
};

inline constexpr int kChartDesignWidth = 681;
inline constexpr int kChartDesignHeight = 343;

class ResultsChart {
public:
    // `thousandsMark` groups the digits of values of 1000 and more, as the
    // system's number settings do.
    explicit ResultsChart(char thousandsMark = ',');

    // Empties all three series.
    void ClearChart();
    // The subtitle becomes the single line "Demo: " + the demo's display name.
    void SetChartDemo(const std::string& demoTitle);
    // One point per series: minimum to "Min", average to "Average", maximum to "Max".
    void AddChartPoints(const std::string& label, std::int32_t minimum, std::int32_t average,
                        std::int32_t maximum);
    // 2 to 5 resolutions give 228 + 76 per resolution; other counts keep the width.
    void SetWidthForResolutions(int resolutionCount);

    int Width() const { return width_; }
    int Height() const { return kChartDesignHeight; }
    const std::string& Title() const { return title_; }
    const std::string& Subtitle() const { return subtitle_; }
    const std::array<ChartSeries, 3>& Series() const { return series_; }
    char ThousandsMark() const { return thousandsMark_; }

    // Paints the whole chart, white background included, at the canvas's size.
    void Render(Canvas& canvas) const;

private:
    int width_ = kChartDesignWidth;
    std::string title_;
    std::string subtitle_;
    std::array<ChartSeries, 3> series_;
    char thousandsMark_;
};

}  // namespace fw
