#pragma once
// A small off-screen picture with transparency, for the program's own drawn
// artwork: gradients and anti-aliased shapes. Pixels are premultiplied BGRA,
// rows top-down, the layout GDI's AlphaBlend takes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace fw::win32 {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// `from` at t = 0, `to` at t = 1.
Rgb Mix(Rgb from, Rgb to, double t);

struct PointF {
    double x = 0, y = 0;
};

class PixelCanvas {
public:
    // Fully transparent.
    PixelCanvas(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::uint32_t* Data() const { return pixels_.data(); }

    // Paints `colour` over one pixel with coverage `alpha` (0 to 1).
    void Blend(int x, int y, Rgb colour, double alpha);

    // Rows `top` to `bottom` (exclusive), opaque, from `upper` to `lower`.
    void VerticalGradient(int top, int bottom, Rgb upper, Rgb lower);
    // A soft round light fading out at `radius`.
    void Glow(double cx, double cy, double radius, Rgb colour, double alpha);

    // Anti-aliased fill of the area where `inside(x, y)` holds, within the
    // given bounds, coloured by `shade(x, y)`; 4 × 4 samples per pixel.
    template <typename Inside, typename Shade>
    void Fill(double left, double top, double right, double bottom, Inside&& inside, Shade&& shade,
              double alpha = 1.0);

    void FillCircle(double cx, double cy, double radius, Rgb colour, double alpha = 1.0);
    void Ring(double cx, double cy, double radius, double width, Rgb colour, double alpha = 1.0);
    // Part of a ring, from `startDegrees` clockwise (0 = right, screen y down).
    void Arc(double cx, double cy, double radius, double width, double startDegrees,
             double sweepDegrees, Rgb colour, double alpha = 1.0);
    // A straight stroke with round ends.
    void Line(PointF from, PointF to, double width, Rgb colour, double alpha = 1.0);
    // A convex polygon, corners in either turning direction.
    void Polygon(const std::vector<PointF>& corners, Rgb colour, double alpha = 1.0);
    void RoundRect(double left, double top, double right, double bottom, double radius, Rgb colour,
                   double alpha = 1.0);
    // A rounded rectangle shaded from `upper` to `lower` between its top and bottom.
    void RoundRectGradient(double left, double top, double right, double bottom, double radius,
                           Rgb upper, Rgb lower, double alpha = 1.0);

    static bool InsideRoundRect(double x, double y, double left, double top, double right,
                                double bottom, double radius);

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

template <typename Inside, typename Shade>
void PixelCanvas::Fill(double left, double top, double right, double bottom, Inside&& inside,
                       Shade&& shade, double alpha) {
    constexpr int kSamples = 4;
    const int x0 = std::max(0, static_cast<int>(std::floor(left)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int x1 = std::min(width_, static_cast<int>(std::ceil(right)));
    const int y1 = std::min(height_, static_cast<int>(std::ceil(bottom)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = x + (sx + 0.5) / kSamples;
                    const double py = y + (sy + 0.5) / kSamples;
                    hits += inside(px, py) ? 1 : 0;
                }
            }
            if (hits > 0) {
                Blend(x, y, shade(x + 0.5, y + 0.5), alpha * hits / (kSamples * kSamples));
            }
        }
    }
}

}  // namespace fw::win32
