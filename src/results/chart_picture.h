#pragma once
// The results chart laid out for one size: every text with its font and box,
// every bar, mark and grid line. Composing measures texts but draws nothing.
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "results/chart_layout.h"

namespace fw {

class ResultsChart;

struct PlacedText {
    Rect box;  // the measured box; the text is drawn from its top left
    std::string text;
    FontStyle font;
    Rgb colour;
};

struct LegendItem {
    Rect swatch;
    Rgb colour;
    PlacedText label;
};

struct PlacedBar {
    int series = 0;
    int point = 0;
    Rect box;  // may be empty for a value of zero
    Rgb colour;
};

struct PlacedMark {
    int series = 0;
    int point = 0;
    Rect box;  // the framed box around the text
    PlacedText label;
    // The arrow runs straight up from the bar top to the box.
    int arrowX = 0;
    int arrowFromY = 0;
    int arrowToY = 0;
    Rgb arrowColour;
};

struct AxisTick {
    int y = 0;
    PlacedText label;
};

struct ChartPicture {
    int width = 0;
    int height = 0;
    PlacedText title;
    std::vector<PlacedText> subtitle;  // empty or one line
    Rect legendFrame;
    std::vector<LegendItem> legend;
    Rect plot;
    AxisScale scale;
    int zeroY = 0;
    std::vector<AxisTick> ticks;
    PlacedText leftTitle;  // drawn turned; its box is the turned text's box
    PlacedText bottomTitle;
    std::vector<PlacedText> categoryLabels;  // in the order the points were added
    std::vector<PlacedBar> bars;             // category by category, series order inside
    std::vector<PlacedMark> marks;           // one per bar, same order
};

ChartPicture ComposeChart(const ResultsChart& chart, int width, int height, const Canvas& measurer);

// Paints a composed chart.
void PaintChart(const ChartPicture& picture, Canvas& canvas);

}  // namespace fw
