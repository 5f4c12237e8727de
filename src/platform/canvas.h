#pragma once
// A small drawing surface for the results chart: filled and framed rectangles,
// vertical gradients, lines and text. Coordinates are pixels from the top left;
// a rectangle covers x .. x + width - 1 and y .. y + height - 1.
#include <cstdint>
#include <memory>
#include <string>

namespace fw {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct FontStyle {
    std::string face = "Tahoma";
    // Character height in pixels, without the internal leading.
    int pixelHeight = 11;
    bool bold = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

struct TextSize {
    int width = 0, height = 0;
    friend bool operator==(const TextSize&, const TextSize&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void FillRect(int x, int y, int width, int height, Rgb colour) = 0;
    // The top row has `top`, the bottom row `bottom`, the rows between blend.
    virtual void FillGradientVertical(int x, int y, int width, int height, Rgb top, Rgb bottom) = 0;
    // A one-pixel border just inside the rectangle.
    virtual void FrameRect(int x, int y, int width, int height, Rgb colour) = 0;
    // One pixel wide; both end points are drawn.
    virtual void Line(int x1, int y1, int x2, int y2, Rgb colour) = 0;
    // Text is Windows-1252; (x, y) is the top left of the box MeasureText gives.
    virtual void Text(int x, int y, const std::string& cp1252, const FontStyle& font,
                      Rgb colour) = 0;
    // Text turned a quarter left, read from bottom to top. (x, y) is the top left
    // of its box, which is MeasureText's height wide and its width high.
    virtual void TextRotated90(int x, int y, const std::string& cp1252, const FontStyle& font,
                               Rgb colour) = 0;
    virtual TextSize MeasureText(const std::string& cp1252, const FontStyle& font) const = 0;
};

// A canvas that holds its pixels and can hand them out as a bitmap file.
class BitmapSurface : public Canvas {
public:
    // The complete bytes of a 24-bit bottom-up BMP file of the surface.
    virtual std::string EncodeBmp() const = 0;
};

class SurfaceFactory {
public:
    virtual ~SurfaceFactory() = default;
    // A white surface of that size; nothing when the system cannot make one.
    virtual std::unique_ptr<BitmapSurface> Create(int width, int height) = 0;
};

}  // namespace fw
