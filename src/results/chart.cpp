#include "results/chart.h"

#include "results/chart_picture.h"

namespace fw {
namespace {

constexpr Rgb kMinColour{255, 106, 106};
constexpr Rgb kAverageColour{252, 185, 124};
constexpr Rgb kMaxColour{103, 165, 1};

}  // namespace

ResultsChart::ResultsChart(char thousandsMark)
    : title_("Brimvale Framewright"), thousandsMark_(thousandsMark) {
    // "Min" values are written as plain whole numbers; the other two keep the
    // grouped default format.
    series_[0] = ChartSeries{"Min", kMinColour, MarkFormat::WholeNumber, {}};
    series_[1] = ChartSeries{"Average", kAverageColour, MarkFormat::Grouped, {}};
    series_[2] = ChartSeries{"Max", kMaxColour, MarkFormat::Grouped, {}};
}

void ResultsChart::ClearChart() {
    for (ChartSeries& series : series_) {
        series.points.clear();
    }
}

void ResultsChart::SetChartDemo(const std::string& demoTitle) {
    subtitle_ = "Demo: " + demoTitle;
}

void ResultsChart::AddChartPoints(const std::string& label, std::int32_t minimum,
                                  std::int32_t average, std::int32_t maximum) {
    const std::int32_t values[] = {minimum, average, maximum};
    for (std::size_t s = 0; s < series_.size(); ++s) {
        series_[s].points.push_back(
            ChartPoint{static_cast<double>(values[s]), label, series_[s].colour});
    }
}

void ResultsChart::SetWidthForResolutions(int resolutionCount) {
    width_ = ChartWidthForResolutions(resolutionCount, width_);
}

void ResultsChart::Render(Canvas& canvas) const {
    PaintChart(ComposeChart(*this, canvas.Width(), canvas.Height(), canvas), canvas);
}

}  // namespace fw
