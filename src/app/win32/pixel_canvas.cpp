#include "app/win32/pixel_canvas.h"

namespace fw::win32 {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::uint8_t Channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0) + 0.5);
}

double DistanceToSegment(double x, double y, PointF a, PointF b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - x;
    const double ey = a.y + t * dy - y;
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

Rgb Mix(Rgb from, Rgb to, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {Channel(from.r + (to.r - from.r) * t), Channel(from.g + (to.g - from.g) * t),
            Channel(from.b + (to.b - from.b) * t)};
}

PixelCanvas::PixelCanvas(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<size_t>(width_) * height_, 0u) {}

void PixelCanvas::Blend(int x, int y, Rgb colour, double alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) {
        return;
    }
    alpha = std::min(alpha, 1.0);
    std::uint32_t& pixel = pixels_[static_cast<size_t>(y) * width_ + x];
    const double keep = 1.0 - alpha;
    const double b = (pixel & 0xFF) * keep + colour.b * alpha;
    const double g = ((pixel >> 8) & 0xFF) * keep + colour.g * alpha;
    const double r = ((pixel >> 16) & 0xFF) * keep + colour.r * alpha;
    const double a = ((pixel >> 24) & 0xFF) * keep + 255.0 * alpha;
    pixel = static_cast<std::uint32_t>(Channel(b)) | (static_cast<std::uint32_t>(Channel(g)) << 8) |
            (static_cast<std::uint32_t>(Channel(r)) << 16) |
            (static_cast<std::uint32_t>(Channel(a)) << 24);
}

void PixelCanvas::VerticalGradient(int top, int bottom, Rgb upper, Rgb lower) {
    top = std::max(0, top);
    bottom = std::min(height_, bottom);
    const int span = std::max(1, bottom - top - 1);
    for (int y = top; y < bottom; ++y) {
        const Rgb c = Mix(upper, lower, static_cast<double>(y - top) / span);
        const std::uint32_t value = 0xFF000000u | (static_cast<std::uint32_t>(c.r) << 16) |
                                    (static_cast<std::uint32_t>(c.g) << 8) | c.b;
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_, width_, value);
    }
}

void PixelCanvas::Glow(double cx, double cy, double radius, Rgb colour, double alpha) {
    const int x0 = std::max(0, static_cast<int>(cx - radius));
    const int x1 = std::min(width_, static_cast<int>(cx + radius) + 1);
    const int y0 = std::max(0, static_cast<int>(cy - radius));
    const int y1 = std::min(height_, static_cast<int>(cy + radius) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d < 1.0) {
                const double fall = (1.0 - d) * (1.0 - d);
                Blend(x, y, colour, alpha * fall);
            }
        }
    }
}

void PixelCanvas::FillCircle(double cx, double cy, double radius, Rgb colour, double alpha) {
    Fill(
        cx - radius, cy - radius, cx + radius, cy + radius,
        [&](double x, double y) { return std::hypot(x - cx, y - cy) <= radius; },
        [&](double, double) { return colour; }, alpha);
}

void PixelCanvas::Ring(double cx, double cy, double radius, double width, Rgb colour,
                       double alpha) {
    const double outer = radius + width / 2;
    const double inner = radius - width / 2;
    Fill(
        cx - outer, cy - outer, cx + outer, cy + outer,
        [&](double x, double y) {
            const double d = std::hypot(x - cx, y - cy);
            return d <= outer && d >= inner;
        },
        [&](double, double) { return colour; }, alpha);
}

void PixelCanvas::Arc(double cx, double cy, double radius, double width, double startDegrees,
                      double sweepDegrees, Rgb colour, double alpha) {
    const double outer = radius + width / 2;
    const double inner = radius - width / 2;
    auto within = [&](double x, double y) {
        double angle = std::atan2(y - cy, x - cx) * 180.0 / kPi - startDegrees;
        angle = std::fmod(angle + 720.0, 360.0);
        return angle <= sweepDegrees;
    };
    Fill(
        cx - outer, cy - outer, cx + outer, cy + outer,
        [&](double x, double y) {
            const double d = std::hypot(x - cx, y - cy);
            return d <= outer && d >= inner && within(x, y);
        },
        [&](double, double) { return colour; }, alpha);
}

void PixelCanvas::Line(PointF from, PointF to, double width, Rgb colour, double alpha) {
    const double half = width / 2;
    Fill(
        std::min(from.x, to.x) - half, std::min(from.y, to.y) - half, std::max(from.x, to.x) + half,
        std::max(from.y, to.y) + half,
        [&](double x, double y) { return DistanceToSegment(x, y, from, to) <= half; },
        [&](double, double) { return colour; }, alpha);
}

void PixelCanvas::Polygon(const std::vector<PointF>& corners, Rgb colour, double alpha) {
    if (corners.size() < 3) {
        return;
    }
    double left = corners[0].x, right = corners[0].x, top = corners[0].y, bottom = corners[0].y;
    for (const PointF& p : corners) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    Fill(
        left, top, right, bottom,
        [&](double x, double y) {
            bool anyPositive = false;
            bool anyNegative = false;
            for (size_t i = 0; i < corners.size(); ++i) {
                const PointF& a = corners[i];
                const PointF& b = corners[(i + 1) % corners.size()];
                const double cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
                anyPositive |= cross > 0;
                anyNegative |= cross < 0;
            }
            return !(anyPositive && anyNegative);
        },
        [&](double, double) { return colour; }, alpha);
}

bool PixelCanvas::InsideRoundRect(double x, double y, double left, double top, double right,
                                  double bottom, double radius) {
    if (x < left || x > right || y < top || y > bottom) {
        return false;
    }
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, bottom - radius);
    return std::hypot(x - cx, y - cy) <= radius;
}

void PixelCanvas::RoundRect(double left, double top, double right, double bottom, double radius,
                            Rgb colour, double alpha) {
    RoundRectGradient(left, top, right, bottom, radius, colour, colour, alpha);
}

void PixelCanvas::RoundRectGradient(double left, double top, double right, double bottom,
                                    double radius, Rgb upper, Rgb lower, double alpha) {
    const double height = std::max(1.0, bottom - top);
    Fill(
        left, top, right, bottom,
        [&](double x, double y) { return InsideRoundRect(x, y, left, top, right, bottom, radius); },
        [&](double, double y) { return Mix(upper, lower, (y - top) / height); }, alpha);
}

}  // namespace fw::win32
