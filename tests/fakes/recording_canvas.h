#pragma once
// A drawing surface that keeps a list of what was drawn instead of pixels.
// Text is measured by a fixed rule: every character is half the font height
// wide (one more when bold), and a line is the font height plus three high.
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace fw::testing {

struct DrawCall {
    enum class Kind { FillRect, Gradient, Frame, Line, Text, TextRotated } kind;
    int x = 0, y = 0, width = 0,
        height = 0;  // a line keeps its ends in x, y, width (x2), height (y2)
    Rgb colour;
    Rgb colour2;  // a gradient's bottom colour
    std::string text;
    FontStyle font;
};

class RecordingCanvas : public BitmapSurface {
public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    static TextSize Measure(const std::string& text, const FontStyle& font) {
        const int perChar = font.pixelHeight / 2 + (font.bold ? 1 : 0);
        return TextSize{static_cast<int>(text.size()) * perChar, font.pixelHeight + 3};
    }

    std::vector<DrawCall> calls;

    std::vector<DrawCall> Texts() const;
    // The first text call with exactly this text; null when there is none.
    const DrawCall* FindText(const std::string& text) const;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRect(int x, int y, int w, int h, Rgb colour) override;
    void FillGradientVertical(int x, int y, int w, int h, Rgb top, Rgb bottom) override;
    void FrameRect(int x, int y, int w, int h, Rgb colour) override;
    void Line(int x1, int y1, int x2, int y2, Rgb colour) override;
    void Text(int x, int y, const std::string& text, const FontStyle& font, Rgb colour) override;
    void TextRotated90(int x, int y, const std::string& text, const FontStyle& font,
                       Rgb colour) override;
    TextSize MeasureText(const std::string& text, const FontStyle& font) const override {
        return Measure(text, font);
    }
    // A white bitmap of the surface's size, so that an export can go on to the JPEG.
    std::string EncodeBmp() const override;

private:
    int width_;
    int height_;
};

class RecordingSurfaceFactory : public SurfaceFactory {
public:
    // Sizes asked for, in order.
    std::vector<TextSize> created;
    bool fail = false;

    std::unique_ptr<BitmapSurface> Create(int width, int height) override;
};

}  // namespace fw::testing
