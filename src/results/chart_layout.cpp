#include "results/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace fw {

bool Overlaps(const Rect& a, const Rect& b) {
    return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0 && a.x < b.Right() &&
           b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

Rgb Lighter(Rgb c) {
    auto part = [](std::uint8_t v) { return static_cast<std::uint8_t>(v + (255 - v) * 45 / 100); };
    return Rgb{part(c.r), part(c.g), part(c.b)};
}

Rgb Darker(Rgb c) {
    auto part = [](std::uint8_t v) { return static_cast<std::uint8_t>(v * 3 / 4); };
    return Rgb{part(c.r), part(c.g), part(c.b)};
}

int ChartWidthForResolutions(int resolutionCount, int currentWidth) {
    if (resolutionCount < 2 || resolutionCount > 5) {
        return currentWidth;
    }
    return 228 + 76 * resolutionCount;
}

AxisScale NiceAxisScale(double low, double high, int maxTicks) {
    double lo = std::min(0.0, low);
    double hi = std::max(0.0, high);
    if (!(hi > lo)) {
        hi = lo + 10;  // an empty chart still gets a readable axis
    }
    const double raw = (hi - lo) / std::max(1, maxTicks);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude * 10;
    for (double multiple : {1.0, 2.0, 5.0}) {
        if (magnitude * multiple >= raw) {
            step = magnitude * multiple;
            break;
        }
    }
    // Frame rates are whole numbers: a tick between two of them says nothing.
    step = std::max(step, 1.0);
    AxisScale scale;
    scale.step = step;
    scale.minimum = std::floor(lo / step) * step;
    scale.maximum = std::ceil(hi / step) * step;
    if (scale.maximum <= scale.minimum) {
        scale.maximum = scale.minimum + step;
    }
    return scale;
}

int ValueToY(double value, const AxisScale& scale, int top, int bottom) {
    const double span = scale.maximum - scale.minimum;
    if (span <= 0) {
        return bottom;
    }
    const double fraction = (scale.maximum - value) / span;
    return top + static_cast<int>(std::lround(fraction * (bottom - top)));
}

std::vector<BarSpan> PlaceBars(int left, int width, int categoryCount, int seriesCount,
                               int percent) {
    std::vector<BarSpan> spans;
    if (categoryCount <= 0 || seriesCount <= 0 || width <= 0) {
        return spans;
    }
    const double category = static_cast<double>(width) / categoryCount;
    const double slot = category / seriesCount;
    const int barWidth = std::max(1, static_cast<int>(std::lround(slot * percent / 100.0)));
    const int groupWidth = barWidth * seriesCount;
    spans.reserve(static_cast<std::size_t>(categoryCount) * seriesCount);
    for (int c = 0; c < categoryCount; ++c) {
        const int groupLeft =
            left + static_cast<int>(std::lround(category * c + (category - groupWidth) / 2.0));
        for (int s = 0; s < seriesCount; ++s) {
            spans.push_back(BarSpan{groupLeft + s * barWidth, barWidth});
        }
    }
    return spans;
}

std::string FormatMarkValue(double value, MarkFormat format, char thousandsMark) {
    const long long whole = std::llround(value);
    std::string digits = std::to_string(whole < 0 ? -whole : whole);
    if (format == MarkFormat::Grouped && thousandsMark != '\0') {
        for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
            digits.insert(static_cast<std::size_t>(at), 1, thousandsMark);
        }
    }
    return whole < 0 ? "-" + digits : digits;
}

std::vector<Rect> PlaceMarks(const std::vector<MarkRequest>& marks, const std::vector<Rect>& bars,
                             int gap, int left, int right) {
    std::vector<Rect> placed;
    placed.reserve(marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const MarkRequest& mark = marks[i];
        Rect box{mark.centreX - mark.size.width / 2, mark.barTop - gap - mark.size.height,
                 mark.size.width, mark.size.height};
        box.x = std::max(left, std::min(box.x, right - box.width));
        // Every lift moves the box wholly above what it met, so the box only
        // rises and meets each obstacle at most once.
        for (bool moved = true; moved;) {
            moved = false;
            auto lift = [&](const Rect& obstacle) {
                if (Overlaps(box, obstacle)) {
                    box.y = obstacle.y - 1 - box.height;
                    moved = true;
                }
            };
            for (const Rect& other : placed) {
                lift(other);
            }
            for (std::size_t b = 0; b < bars.size(); ++b) {
                if (b != i) {
                    lift(bars[b]);
                }
            }
        }
        placed.push_back(box);
    }
    return placed;
}

}  // namespace fw
