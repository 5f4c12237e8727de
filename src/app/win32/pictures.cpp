#include "app/win32/pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/win32/drawing.h"
#include "app/win32/pixel_canvas.h"
#include "app/win32/theme.h"
#include "common/text.h"

namespace fw::win32 {

namespace {

// Texts placed in design units inside a picture's area.
class DesignText {
public:
    DesignText(HDC dc, const RECT& area, const Theme& theme)
        : dc_(dc), area_(area), theme_(theme) {}
    void operator()(int left, int top, int width, int height, const std::string& line, HFONT font,
                    COLORREF colour, UINT format = DT_LEFT | DT_TOP | DT_WORDBREAK) const {
        RECT box = theme_.ScaleBox(left, top, width, height);
        ::OffsetRect(&box, area_.left, area_.top);
        DrawTextIn(dc_, line, box, format | DT_NOPREFIX, font, colour);
    }

private:
    HDC dc_;
    RECT area_;
    const Theme& theme_;
};

// The three bar colours of the results chart, used as the program's accent.
constexpr Rgb kMinimumBar{255, 106, 106};
constexpr Rgb kAverageBar{252, 185, 124};
constexpr Rgb kMaximumBar{103, 165, 1};

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

// Faint concentric arcs, the kind of shape a speedometer has.
void Gauge(PixelCanvas& canvas, double cx, double cy, double radius, double scale) {
    const Rgb frame = ToRgb(colours::kFrame);
    for (int i = 0; i < 4; ++i) {
        canvas.Arc(cx, cy, radius - i * 16 * scale, 1.2 * scale, 180, 180, frame, 0.35 - i * 0.07);
    }
    for (int tick = 0; tick <= 12; ++tick) {
        const double angle = 3.14159265358979 * (1.0 + tick / 12.0);
        const double inner = radius + 5 * scale;
        const double outer = radius + (tick % 3 == 0 ? 14 : 9) * scale;
        canvas.Line({cx + std::cos(angle) * inner, cy + std::sin(angle) * inner},
                    {cx + std::cos(angle) * outer, cy + std::sin(angle) * outer}, 1.4 * scale,
                    frame, 0.45);
    }
}

// Three rising bars in the chart's colours, the program's mark.
void Bars(PixelCanvas& canvas, double left, double bottom, double unit, double alpha) {
    const Rgb colours[] = {kMinimumBar, kAverageBar, kMaximumBar};
    const double heights[] = {1.6, 2.5, 3.6};
    for (int i = 0; i < 3; ++i) {
        const double x = left + i * unit * 1.3;
        canvas.RoundRectGradient(x, bottom - heights[i] * unit, x + unit, bottom, unit * 0.18,
                                 Mix(colours[i], {255, 255, 255}, 0.25),
                                 Mix(colours[i], {0, 0, 0}, 0.25), alpha);
    }
}

void DrawBrand(HDC dc, int left, int top, const Theme& theme, int titlePixels) {
    const HFONT title = theme.Tahoma(titlePixels, true);
    const SIZE extent = MeasureText(title, "Framewright");
    RECT area{left, top, left + extent.cx + 4, top + extent.cy};
    RECT shadow = area;
    ::OffsetRect(&shadow, 1, 1);
    DrawTextIn(dc, "Framewright", shadow, DT_LEFT | DT_TOP | DT_SINGLELINE, title, RGB(0, 0, 0));
    DrawTextIn(dc, "Framewright", area, DT_LEFT | DT_TOP | DT_SINGLELINE, title,
               RGB(226, 230, 236));
}

}  // namespace

Bitmap MakeMainBackground(SIZE size, const Theme& theme) {
    const double s = theme.Dpi() / 96.0;
    PixelCanvas canvas(size.cx, size.cy);
    canvas.VerticalGradient(0, size.cy, {20, 24, 32}, {2, 3, 5});
    // A band of light behind the heading and a cool glow in the upper right.
    canvas.Glow(size.cx * 0.18, -20 * s, 260 * s, {40, 80, 130}, 0.35);
    canvas.Glow(size.cx * 0.92, 30 * s, 200 * s, {28, 81, 128}, 0.30);
    Gauge(canvas, size.cx * 0.86, size.cy * 1.02, 230 * s, s);
    // The heading's rule and the footer's.
    canvas.Line({14 * s, 64 * s}, {size.cx - 14 * s, 64 * s}, 1.0, {28, 81, 128}, 0.8);
    canvas.Line({14 * s, size.cy - 36 * s}, {size.cx - 14 * s, size.cy - 36 * s}, 1.0,
                {28, 81, 128}, 0.5);
    // The separator between the group bar and the pages.
    canvas.Line({146 * s, 76 * s}, {146 * s, 404 * s}, 1.0, {28, 81, 128}, 0.9);
    Bars(canvas, 16 * s, 50 * s, 9 * s, 1.0);

    WindowDc screen(nullptr);
    Bitmap bitmap(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
    MemoryDc memory(screen.Get());
    ScopedSelect select(memory.Get(), bitmap.Get());
    FillSolid(memory.Get(), RECT{0, 0, size.cx, size.cy}, colours::kBlack);
    DrawCanvas(memory.Get(), 0, 0, canvas);
    DrawBrand(memory.Get(), theme.Scale(56), theme.Scale(14), theme, 24);
    RECT tagline = theme.ScaleBox(58, 42, 260, 16);
    DrawTextIn(memory.Get(), "Crysis timedemo benchmark", tagline, DT_LEFT | DT_TOP | DT_SINGLELINE,
               theme.Tahoma(11), RGB(110, 150, 190));
    return bitmap;
}

void PaintInfoPicture(HDC dc, const RECT& area, const Theme& theme, const std::string& version) {
    const double s = theme.Dpi() / 96.0;
    PixelCanvas canvas(Width(area), Height(area));
    const double w = canvas.Width();
    const double h = canvas.Height();
    canvas.RoundRect(0, 0, w, h, 10 * s, ToRgb(colours::kFrame));
    canvas.RoundRectGradient(1, 1, w - 1, h - 1, 9 * s, {22, 28, 38}, {6, 7, 10});
    canvas.Glow(w * 0.8, h * 0.2, 150 * s, {28, 81, 128}, 0.35);
    Gauge(canvas, w * 0.78, h * 0.92, 90 * s, s * 0.8);
    Bars(canvas, w * 0.62, h * 0.80, 16 * s, 0.95);
    DrawCanvas(dc, area.left, area.top, canvas);

    const DesignText text(dc, area, theme);
    text(18, 16, 300, 30, "Framewright", theme.Tahoma(24, true), RGB(226, 230, 236));
    text(20, 46, 300, 16, "Benchmark version " + version, theme.Normal(), RGB(110, 150, 190));
    text(20, 76, 180, 80,
         "Measures your graphics card or processor with the game's own timedemo, one run per "
         "resolution, and writes a report with a chart.",
         theme.Normal(), colours::kSilver);
    text(20, 168, 190, 40, "Choose a page on the left to set up a run, then press START.",
         theme.Normal(), RGB(150, 156, 166));
}

void PaintSplashPicture(HDC dc, const RECT& area, const Theme& theme) {
    const double s = theme.Dpi() / 96.0;
    PixelCanvas canvas(Width(area), Height(area));
    const double w = canvas.Width();
    const double h = canvas.Height();
    canvas.VerticalGradient(0, canvas.Height(), {24, 30, 42}, {2, 3, 6});
    canvas.Glow(w * 0.25, h * 0.1, 420 * s, {40, 90, 150}, 0.40);
    canvas.Glow(w * 0.85, h * 0.85, 300 * s, {28, 81, 128}, 0.35);
    Gauge(canvas, w * 0.74, h * 0.98, 250 * s, s * 1.3);
    Bars(canvas, w * 0.62, h * 0.72, 34 * s, 1.0);
    // Frame and a thin rule under the title.
    canvas.Fill(
        0, 0, w, h, [&](double x, double y) { return x < 1 || y < 1 || x > w - 1 || y > h - 1; },
        [](double, double) { return ToRgb(colours::kFrame); });
    canvas.Line({48 * s, 178 * s}, {w * 0.5, 178 * s}, 1.2 * s, ToRgb(colours::kFrame), 1.0);
    DrawCanvas(dc, area.left, area.top, canvas);

    const DesignText text(dc, area, theme);
    text(48, 96, 420, 60, "Framewright", theme.Tahoma(52, true), RGB(232, 236, 242));
    text(52, 150, 420, 24, "Crysis timedemo benchmark", theme.Tahoma(17), RGB(120, 165, 210));
    text(52, 196, 330, 80,
         "Graphics card and processor benchmark built on the game's own timedemo. "
         "Your game files are put back after every run.",
         theme.Tahoma(13), colours::kSilver);
    text(52, 392, 400, 20, "Starting...", theme.Tahoma(12), RGB(130, 136, 146));
    text(52, 410, 400, 20, "Brimvale  \xB7  www.brimvale.example", theme.Tahoma(12),
         RGB(90, 96, 106));
}

void PaintPickerBackground(HDC dc, const RECT& area, const Theme& theme) {
    const double s = theme.Dpi() / 96.0;
    PixelCanvas canvas(Width(area), Height(area));
    const double w = canvas.Width();
    const double h = canvas.Height();
    canvas.VerticalGradient(0, canvas.Height(), {22, 27, 36}, {3, 4, 6});
    canvas.Glow(w * 0.9, 0, 160 * s, {28, 81, 128}, 0.35);
    canvas.Fill(
        0, 0, w, h, [&](double x, double y) { return x < 1 || y < 1 || x > w - 1 || y > h - 1; },
        [](double, double) { return ToRgb(colours::kFrame); });
    canvas.Line({8 * s, 52 * s}, {w - 8 * s, 52 * s}, 1.0, ToRgb(colours::kFrame), 0.9);
    Bars(canvas, 10 * s, 40 * s, 6 * s, 1.0);
    DrawCanvas(dc, area.left, area.top, canvas);
    const DesignText text(dc, area, theme);
    text(38, 12, 160, 20, "Display modes", theme.Tahoma(15, true), RGB(226, 230, 236));
    text(38, 31, 160, 16, "of your primary display", theme.Normal(), RGB(110, 150, 190));
    text(144, 148, 78, 120, "Tick a mode and press Add to use it as the custom resolution.",
         theme.Normal(), RGB(150, 156, 166));
}

void PaintReflectedText(HDC dc, const RECT& area, const std::string& text, HFONT font,
                        COLORREF colour, int reflection) {
    const SIZE extent = MeasureText(font, text);
    const int width = extent.cx + 4;
    const int height = extent.cy;
    if (width <= 0 || height <= 0) {
        return;
    }
    // The text rendered white on black gives how much of each pixel it
    // covers; the picture is then the colour at that coverage, upright and,
    // fading, upside down, laid over whatever is already there.
    void* bits = nullptr;
    const Bitmap bitmap = MakeTopDownBitmap(dc, width, height, bits);
    if (!bitmap) {
        return;
    }
    MemoryDc memory(dc);
    {
        ScopedSelect select(memory.Get(), bitmap.Get());
        FillSolid(memory.Get(), RECT{0, 0, width, height}, colours::kBlack);
        DrawTextIn(memory.Get(), text, RECT{0, 0, width, height},
                   DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX, font, colours::kWhite);
        ::GdiFlush();
    }
    const auto* mask = static_cast<const std::uint32_t*>(bits);
    auto coverage = [&](int x, int y) {
        const std::uint32_t p = mask[static_cast<size_t>(y) * width + x];
        return (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / (3.0 * 255.0);
    };
    PixelCanvas picture(width, height + reflection);
    const Rgb shade = ToRgb(colour);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.Blend(x, y, shade, coverage(x, y));
        }
    }
    // The mirror hangs from the bottom of the text's box, as on a glossy floor.
    for (int y = 0; y < reflection && y < height; ++y) {
        const double fade = 0.38 * (1.0 - static_cast<double>(y) / reflection);
        for (int x = 0; x < width; ++x) {
            picture.Blend(x, height + y, shade, coverage(x, height - 1 - y) * fade);
        }
    }
    DrawCanvas(dc, area.left + (Width(area) - width) / 2, area.top, picture);
}

}  // namespace fw::win32
