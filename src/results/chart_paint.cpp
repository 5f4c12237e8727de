#include <algorithm>

#include "results/chart_layout.h"
#include "results/chart_picture.h"

namespace fw {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGridColour{226, 226, 226};
constexpr Rgb kAxisColour{128, 128, 128};
constexpr Rgb kLegendFrameColour{200, 200, 200};
constexpr Rgb kMarkFillColour{255, 255, 238};
constexpr Rgb kMarkFrameColour{150, 150, 150};

void Write(Canvas& canvas, const PlacedText& text) {
    canvas.Text(text.box.x, text.box.y, text.text, text.font, text.colour);
}

void PaintBox(Canvas& canvas, const Rect& box, Rgb colour) {
    if (box.width <= 0 || box.height <= 0) {
        return;
    }
    canvas.FillGradientVertical(box.x, box.y, box.width, box.height, Lighter(colour), colour);
    canvas.FrameRect(box.x, box.y, box.width, box.height, Darker(colour));
}

}  // namespace

void PaintChart(const ChartPicture& picture, Canvas& canvas) {
    canvas.FillRect(0, 0, picture.width, picture.height, kWhite);

    Write(canvas, picture.title);
    for (const PlacedText& line : picture.subtitle) {
        Write(canvas, line);
    }

    const Rect& frame = picture.legendFrame;
    canvas.FrameRect(frame.x, frame.y, frame.width, frame.height, kLegendFrameColour);
    for (const LegendItem& item : picture.legend) {
        PaintBox(canvas, item.swatch, item.colour);
        Write(canvas, item.label);
    }

    const Rect& plot = picture.plot;
    for (const AxisTick& tick : picture.ticks) {
        if (tick.y != picture.zeroY) {
            canvas.Line(plot.x, tick.y, plot.Right() - 1, tick.y, kGridColour);
        }
        canvas.Line(plot.x - 1 - 4, tick.y, plot.x - 1, tick.y, kAxisColour);
        Write(canvas, tick.label);
    }

    for (const PlacedBar& bar : picture.bars) {
        PaintBox(canvas, bar.box, bar.colour);
    }

    canvas.Line(plot.x - 1, plot.y, plot.x - 1, plot.Bottom() - 1, kAxisColour);
    canvas.Line(plot.x - 1, picture.zeroY, plot.Right() - 1, picture.zeroY, kAxisColour);

    for (const PlacedText& label : picture.categoryLabels) {
        Write(canvas, label);
    }

    // Arrows first, so that a box lifted over a neighbour's arrow covers it.
    for (const PlacedMark& mark : picture.marks) {
        if (mark.arrowFromY > mark.arrowToY) {
            canvas.Line(mark.arrowX, mark.arrowFromY, mark.arrowX, mark.arrowToY, mark.arrowColour);
        }
    }
    for (const PlacedMark& mark : picture.marks) {
        const Rect& box = mark.box;
        canvas.FillRect(box.x, box.y, box.width, box.height, kMarkFillColour);
        canvas.FrameRect(box.x, box.y, box.width, box.height, kMarkFrameColour);
        Write(canvas, mark.label);
    }

    const PlacedText& left = picture.leftTitle;
    canvas.TextRotated90(left.box.x, left.box.y, left.text, left.font, left.colour);
    Write(canvas, picture.bottomTitle);
}

}  // namespace fw
