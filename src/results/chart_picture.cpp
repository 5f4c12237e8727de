#include "results/chart_picture.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "results/chart.h"

namespace fw {
namespace {

constexpr int kMargin = 8;
constexpr int kBarPercent = 70;
constexpr int kArrowLength = 8;
constexpr int kMarkPadX = 3;
constexpr int kMarkPadY = 1;
constexpr int kTickLength = 4;
constexpr int kSwatchSide = 12;
// Labels and marks start at the window's own text size and shrink down to
// this before they are staggered instead.
constexpr int kTextSize = 11;
constexpr int kSmallestTextSize = 8;
// The lift loop and the pass loop settle in two or three rounds; these only
// bound pathological sizes.
constexpr int kMaxScaleRounds = 16;
constexpr int kMaxPasses = 6;

constexpr Rgb kTitleColour{0, 111, 164};
constexpr Rgb kSubtitleColour{0, 128, 192};
constexpr Rgb kAxisTitleColour{40, 40, 40};
constexpr Rgb kLabelColour{64, 64, 64};
constexpr Rgb kMarkTextColour{32, 32, 32};

FontStyle Font(int pixelHeight, bool bold = false) {
    FontStyle font;
    font.pixelHeight = pixelHeight;
    font.bold = bold;
    return font;
}

PlacedText Measured(const Canvas& measurer, const std::string& text, const FontStyle& font,
                    Rgb colour) {
    const TextSize size = measurer.MeasureText(text, font);
    return PlacedText{Rect{0, 0, size.width, size.height}, text, font, colour};
}

// The largest text size from the window's own down to the smallest at which
// every text is at most `room` wide; nothing when none is.
std::optional<int> SizeThatFits(const Canvas& measurer, const std::vector<std::string>& texts,
                                int extra, int room) {
    for (int size = kTextSize; size >= kSmallestTextSize; --size) {
        const FontStyle font = Font(size);
        const bool fits = std::all_of(texts.begin(), texts.end(), [&](const std::string& text) {
            return measurer.MeasureText(text, font).width + extra <= room;
        });
        if (fits) {
            return size;
        }
    }
    return std::nullopt;
}

struct BarValue {
    int series;
    int point;
    double value;
    Rgb colour;
    std::string markText;
};

std::vector<BarValue> CollectBars(const ResultsChart& chart, int categoryCount) {
    std::vector<BarValue> values;
    const auto& series = chart.Series();
    for (int c = 0; c < categoryCount; ++c) {
        for (int s = 0; s < static_cast<int>(series.size()); ++s) {
            const auto& points = series[s].points;
            if (c < static_cast<int>(points.size())) {
                const ChartPoint& p = points[c];
                values.push_back(BarValue{
                    s, c, p.value, p.colour,
                    FormatMarkValue(p.value, series[s].markFormat, chart.ThousandsMark())});
            }
        }
    }
    return values;
}

std::vector<std::string> CategoryLabels(const ResultsChart& chart, int categoryCount) {
    std::vector<std::string> labels(static_cast<std::size_t>(categoryCount));
    for (const ChartSeries& series : chart.Series()) {
        for (std::size_t c = 0; c < series.points.size() && c < labels.size(); ++c) {
            if (labels[c].empty()) {
                labels[c] = series.points[c].label;
            }
        }
    }
    return labels;
}

std::vector<AxisTick> MakeTicks(const Canvas& measurer, const AxisScale& scale, const Rect& plot,
                                char thousandsMark) {
    std::vector<AxisTick> ticks;
    const int count = static_cast<int>(std::lround((scale.maximum - scale.minimum) / scale.step));
    for (int i = 0; i <= count; ++i) {
        const double value = scale.minimum + i * scale.step;
        AxisTick tick;
        tick.y = ValueToY(value, scale, plot.y, plot.Bottom() - 1);
        tick.label = Measured(measurer, FormatMarkValue(value, MarkFormat::Grouped, thousandsMark),
                              Font(kTextSize), kLabelColour);
        tick.label.box.x = plot.x - kTickLength - 3 - tick.label.box.width;
        tick.label.box.y = tick.y - tick.label.box.height / 2;
        ticks.push_back(tick);
    }
    return ticks;
}

int WidestLabel(const std::vector<AxisTick>& ticks) {
    int widest = 0;
    for (const AxisTick& tick : ticks) {
        widest = std::max(widest, tick.label.box.width);
    }
    return widest;
}

// Bars and marks for one plot; the scale grows until every mark stands inside
// the plot.
void PlaceBarsAndMarks(ChartPicture& picture, const std::vector<BarValue>& values,
                       int categoryCount, int seriesCount, double low, double high,
                       const FontStyle& markFont, const Canvas& measurer) {
    const Rect& plot = picture.plot;
    const int maxTicks = std::max(2, plot.height / 32);
    const std::vector<BarSpan> spans =
        PlaceBars(plot.x, plot.width, categoryCount, seriesCount, kBarPercent);
    std::vector<TextSize> markSizes;
    for (const BarValue& value : values) {
        markSizes.push_back(measurer.MeasureText(value.markText, markFont));
    }

    AxisScale scale = NiceAxisScale(low, high, maxTicks);
    for (int round = 0; round < kMaxScaleRounds; ++round) {
        const int bottom = plot.Bottom() - 1;
        const int zeroY = ValueToY(0, scale, plot.y, bottom);
        std::vector<Rect> barBoxes;
        std::vector<MarkRequest> requests;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const BarValue& v = values[i];
            const BarSpan& span = spans[static_cast<std::size_t>(v.point * seriesCount + v.series)];
            const int valueY = ValueToY(v.value, scale, plot.y, bottom);
            const Rect box{span.x, std::min(valueY, zeroY), span.width, std::abs(zeroY - valueY)};
            barBoxes.push_back(box);
            requests.push_back(MarkRequest{
                span.x + span.width / 2, box.y,
                TextSize{markSizes[i].width + 2 * kMarkPadX, markSizes[i].height + 2 * kMarkPadY}});
        }
        const std::vector<Rect> markBoxes =
            PlaceMarks(requests, barBoxes, kArrowLength, plot.x, plot.Right());

        int highest = plot.Bottom();
        for (const Rect& box : markBoxes) {
            highest = std::min(highest, box.y);
        }
        const bool fits = highest >= plot.y + 2;
        if (fits || round + 1 == kMaxScaleRounds) {
            picture.scale = scale;
            picture.zeroY = zeroY;
            picture.bars.clear();
            picture.marks.clear();
            for (std::size_t i = 0; i < values.size(); ++i) {
                const BarValue& v = values[i];
                picture.bars.push_back(PlacedBar{v.series, v.point, barBoxes[i], v.colour});
                PlacedMark mark;
                mark.series = v.series;
                mark.point = v.point;
                mark.box = markBoxes[i];
                mark.label = PlacedText{Rect{markBoxes[i].x + kMarkPadX, markBoxes[i].y + kMarkPadY,
                                             markSizes[i].width, markSizes[i].height},
                                        v.markText, markFont, kMarkTextColour};
                mark.arrowX = requests[i].centreX;
                mark.arrowFromY = barBoxes[i].y - 1;
                mark.arrowToY = markBoxes[i].Bottom();
                mark.arrowColour = Darker(v.colour);
                picture.marks.push_back(mark);
            }
            return;
        }
        // Shrink the bars by as much as the marks stick out, at least one step.
        const int plotHeight = std::max(1, plot.height);
        const int deficit = plot.y + 2 - highest;
        const int room = std::max(plotHeight - deficit, plotHeight / 4);
        double wanted = scale.minimum + (scale.maximum - scale.minimum) * plotHeight / room;
        wanted = std::max(wanted, scale.maximum + scale.step);
        scale = NiceAxisScale(scale.minimum, wanted, maxTicks);
    }
}

}  // namespace

ChartPicture ComposeChart(const ResultsChart& chart, int width, int height,
                          const Canvas& measurer) {
    ChartPicture picture;
    picture.width = width;
    picture.height = height;

    // Heading: title, subtitle, legend, each centred on the chart.
    picture.title = Measured(measurer, chart.Title(), Font(13, true), kTitleColour);
    picture.title.box.x = (width - picture.title.box.width) / 2;
    picture.title.box.y = 6;
    int headingBottom = picture.title.box.Bottom();
    if (!chart.Subtitle().empty()) {
        PlacedText subtitle = Measured(measurer, chart.Subtitle(), Font(12), kSubtitleColour);
        subtitle.box.x = (width - subtitle.box.width) / 2;
        subtitle.box.y = headingBottom + 1;
        headingBottom = subtitle.box.Bottom();
        picture.subtitle.push_back(subtitle);
    }

    int legendWidth = 0;
    int legendRow = kSwatchSide;
    for (const ChartSeries& series : chart.Series()) {
        LegendItem item;
        item.colour = series.colour;
        item.label = Measured(measurer, series.title, Font(kTextSize), kLabelColour);
        legendRow = std::max(legendRow, item.label.box.height);
        legendWidth += (legendWidth > 0 ? 18 : 0) + kSwatchSide + 5 + item.label.box.width;
        picture.legend.push_back(item);
    }
    picture.legendFrame =
        Rect{(width - legendWidth) / 2 - 8, headingBottom + 6, legendWidth + 16, legendRow + 6};
    int x = picture.legendFrame.x + 8;
    const int rowTop = picture.legendFrame.y + 3;
    for (LegendItem& item : picture.legend) {
        item.swatch = Rect{x, rowTop + (legendRow - kSwatchSide) / 2, kSwatchSide, kSwatchSide};
        item.label.box.x = item.swatch.Right() + 5;
        item.label.box.y = rowTop + (legendRow - item.label.box.height) / 2;
        x = item.label.box.Right() + 18;
    }

    // Axis titles.
    picture.leftTitle = Measured(measurer, "FPS", Font(kTextSize, true), kAxisTitleColour);
    std::swap(picture.leftTitle.box.width, picture.leftTitle.box.height);
    picture.leftTitle.box.x = kMargin;
    picture.bottomTitle = Measured(measurer, "Resolution", Font(kTextSize, true), kAxisTitleColour);
    picture.bottomTitle.box.y = height - kMargin + 2 - picture.bottomTitle.box.height;

    // The plot depends on the widths of the value labels and the rows of the
    // category labels, which depend on the plot: settle them in a few passes.
    const int seriesCount = static_cast<int>(chart.Series().size());
    const int categoryCount =
        static_cast<int>(std::max({chart.Series()[0].points.size(), chart.Series()[1].points.size(),
                                   chart.Series()[2].points.size()}));
    const std::vector<std::string> labels = CategoryLabels(chart, categoryCount);
    const std::vector<BarValue> values = CollectBars(chart, categoryCount);
    double low = 0;
    double high = 0;
    for (const BarValue& v : values) {
        low = std::min(low, v.value);
        high = std::max(high, v.value);
    }
    std::vector<std::string> markTexts;
    for (const BarValue& v : values) {
        markTexts.push_back(v.markText);
    }

    int valueLabelWidth = 0;
    int categoryRows = 1;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const int labelHeight = measurer.MeasureText("0", Font(kTextSize)).height;
        Rect& plot = picture.plot;
        plot.x = kMargin + picture.leftTitle.box.width + 6 + valueLabelWidth + 3 + kTickLength;
        plot.y = picture.legendFrame.Bottom() + 10;
        plot.width = std::max(1, width - kMargin - 6 - plot.x);
        const int categoryTop = picture.bottomTitle.box.y - 2 - categoryRows * labelHeight;
        plot.height = std::max(1, categoryTop - kTickLength - 2 - plot.y);

        const double categoryWidth = categoryCount > 0 ? double(plot.width) / categoryCount : 0;
        const std::optional<int> labelSize =
            SizeThatFits(measurer, labels, 4, static_cast<int>(categoryWidth));
        const int rowsNeeded = labelSize ? 1 : 2;
        const FontStyle labelFont = Font(labelSize.value_or(kSmallestTextSize));
        picture.categoryLabels.clear();
        for (int c = 0; c < categoryCount; ++c) {
            PlacedText label = Measured(measurer, labels[c], labelFont, kLabelColour);
            const int centre = plot.x + static_cast<int>(std::lround(categoryWidth * (c + 0.5)));
            label.box.x =
                std::clamp(centre - label.box.width / 2, 0, std::max(0, width - label.box.width));
            label.box.y = categoryTop + (rowsNeeded == 2 && c % 2 == 1 ? labelHeight : 0);
            picture.categoryLabels.push_back(label);
        }

        const std::vector<BarSpan> spans =
            PlaceBars(plot.x, plot.width, categoryCount, seriesCount, kBarPercent);
        const int barWidth = spans.empty() ? 0 : spans.front().width;
        // Marks no wider than a bar less one pixel keep neighbouring boxes apart
        // without lifting any.
        const FontStyle markFont =
            Font(SizeThatFits(measurer, markTexts, 2 * kMarkPadX + 1, barWidth)
                     .value_or(kSmallestTextSize));
        PlaceBarsAndMarks(picture, values, categoryCount, seriesCount, low, high, markFont,
                          measurer);

        picture.ticks = MakeTicks(measurer, picture.scale, plot, chart.ThousandsMark());
        const int widest = WidestLabel(picture.ticks);
        if (widest <= valueLabelWidth && rowsNeeded <= categoryRows) {
            break;
        }
        valueLabelWidth = std::max(valueLabelWidth, widest);
        categoryRows = std::max(categoryRows, rowsNeeded);
    }

    const Rect& plot = picture.plot;
    picture.leftTitle.box.y = plot.y + (plot.height - picture.leftTitle.box.height) / 2;
    picture.bottomTitle.box.x = plot.x + (plot.width - picture.bottomTitle.box.width) / 2;
    return picture;
}

}  // namespace fw
