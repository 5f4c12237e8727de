#pragma once
// Where every part of the results chart goes. Pure arithmetic on sizes and
// measured texts, so that the drawing code only paints what is decided here.
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace fw {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// True when the two rectangles share at least one pixel.
bool Overlaps(const Rect& a, const Rect& b);

// The chart's width for a run over `resolutionCount` resolutions: 228 + 76 per
// resolution for two to five; any other count leaves `currentWidth` as it is.
int ChartWidthForResolutions(int resolutionCount, int currentWidth);

// Shades of a series colour: washed towards white for the top of a bar's
// gradient, darkened for its outline and its marks' arrows.
Rgb Lighter(Rgb colour);
Rgb Darker(Rgb colour);

// A value axis from `minimum` to `maximum` with a tick every `step`.
struct AxisScale {
    double minimum = 0;
    double maximum = 0;
    double step = 1;
};

// The smallest axis that holds `low` .. `high` (and zero) with at most about
// `maxTicks` steps of 1, 2 or 5 times a power of ten, never finer than 1.
AxisScale NiceAxisScale(double low, double high, int maxTicks);

// Pixel row of `value` on an axis drawn from `top` (maximum) down to `bottom`.
int ValueToY(double value, const AxisScale& scale, int top, int bottom);

// The horizontal place of one bar.
struct BarSpan {
    int x = 0;
    int width = 0;
};

// Bars of `seriesCount` series over `categoryCount` categories in a plot from
// `left` to `left + width`: each category gets an equal share, every bar is
// `percent` % of its slot (the category's share divided by the series), and
// the bars of a category stand side by side in series order, centred in the
// category. Index: category * seriesCount + series.
std::vector<BarSpan> PlaceBars(int left, int width, int categoryCount, int seriesCount,
                               int percent);

enum class MarkFormat {
    WholeNumber,  // "0": plain digits
    Grouped,      // "#,##0.###": thousands grouped, up to three decimals
};

std::string FormatMarkValue(double value, MarkFormat format, char thousandsMark);

// A value mark to be placed: the text's size and the bar it belongs to.
struct MarkRequest {
    int centreX = 0;
    int barTop = 0;  // the pixel row above which the mark stands
    TextSize size;
};

// Mark boxes over their bars, `gap` pixels above the bar top, kept between
// `left` and `right`. A box that would cover an earlier box or a bar (other
// than its own) is lifted above it, so that no two boxes share a pixel.
std::vector<Rect> PlaceMarks(const std::vector<MarkRequest>& marks, const std::vector<Rect>& bars,
                             int gap, int left, int right);

}  // namespace fw
