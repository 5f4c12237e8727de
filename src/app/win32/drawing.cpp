#include "app/win32/drawing.h"

#include <algorithm>
#include <vector>

#include "app/win32/gdi.h"
#include "common/text.h"

namespace fw::win32 {

void DrawCanvas(HDC dc, int x, int y, const PixelCanvas& canvas) {
    if (canvas.Width() == 0 || canvas.Height() == 0) {
        return;
    }
    void* bits = nullptr;
    const Bitmap bitmap = MakeTopDownBitmap(dc, canvas.Width(), canvas.Height(), bits);
    if (!bitmap) {
        return;
    }
    std::copy_n(canvas.Data(), static_cast<size_t>(canvas.Width()) * canvas.Height(),
                static_cast<std::uint32_t*>(bits));
    MemoryDc source(dc);
    ScopedSelect select(source.Get(), bitmap.Get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, x, y, canvas.Width(), canvas.Height(), source.Get(), 0, 0, canvas.Width(),
                 canvas.Height(), blend);
}

Bitmap MakeTopDownBitmap(HDC dc, int width, int height, void*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    Bitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits == nullptr) {
        bitmap.Reset();
    }
    return bitmap;
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
    const COLORREF old = ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void FrameSolid(HDC dc, const RECT& area, COLORREF colour, int width) {
    const RECT top{area.left, area.top, area.right, area.top + width};
    const RECT bottom{area.left, area.bottom - width, area.right, area.bottom};
    const RECT left{area.left, area.top, area.left + width, area.bottom};
    const RECT right{area.right - width, area.top, area.right, area.bottom};
    for (const RECT& side : {top, bottom, left, right}) {
        FillSolid(dc, side, colour);
    }
}

void DrawTextIn(HDC dc, const std::string& text, RECT area, UINT format, HFONT font,
                COLORREF colour) {
    const std::wstring wide = WideFromCp1252(text);
    ScopedSelect select(dc, font);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, colour);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, format);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth) {
    WindowDc screen(nullptr);
    ScopedSelect select(screen.Get(), font);
    const std::wstring wide = WideFromCp1252(text.empty() ? std::string(" ") : text);
    RECT area{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    const UINT format = DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    ::DrawTextW(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &area, format);
    return {area.right - area.left, area.bottom - area.top};
}

void PaintParentBackground(HWND child, HDC dc) {
    const HWND parent = ::GetParent(child);
    if (parent == nullptr) {
        return;
    }
    POINT origin{0, 0};
    ::MapWindowPoints(child, parent, &origin, 1);
    POINT old{};
    ::OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void CachedPicture::Paint(HDC dc, SIZE size,
                          const std::function<void(HDC dc, const RECT& area)>& make) {
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    WindowDc screen(nullptr);
    if (!bitmap_ || size.cx != size_.cx || size.cy != size_.cy) {
        bitmap_ = Bitmap(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
        size_ = size;
        MemoryDc memory(screen.Get());
        ScopedSelect select(memory.Get(), bitmap_.Get());
        make(memory.Get(), RECT{0, 0, size.cx, size.cy});
    }
    MemoryDc memory(screen.Get());
    ScopedSelect select(memory.Get(), bitmap_.Get());
    ::BitBlt(dc, 0, 0, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
}

void DrawGlyph(PixelCanvas& canvas, Glyph glyph, double cx, double cy, double size, Rgb colour) {
    const double u = size / 16.0;  // glyphs are designed on a 16-unit square
    auto p = [&](double x, double y) { return PointF{cx + (x - 8) * u, cy + (y - 8) * u}; };
    const double stroke = std::max(1.2, 1.6 * u);
    switch (glyph) {
        case Glyph::None:
            break;
        case Glyph::Folder:
            canvas.Polygon({p(1, 4), p(6, 4), p(7.5, 5.5), p(15, 5.5), p(15, 13.5), p(1, 13.5)},
                           colour);
            canvas.Polygon({p(1, 7), p(15, 7), p(15, 13.5), p(1, 13.5)},
                           Mix(colour, {255, 255, 255}, 0.35));
            break;
        case Glyph::Question:
        case Glyph::Help:
            canvas.Ring(cx, cy, 6.6 * u, stroke, colour);
            canvas.Arc(p(8, 6.2).x, p(8, 6.2).y, 2.2 * u, stroke, 180, 250, colour);
            canvas.Line(p(8.6, 8.2), p(8, 9.6), stroke, colour);
            canvas.FillCircle(p(8, 11.8).x, p(8, 11.8).y, 1.05 * u + 0.3, colour);
            break;
        case Glyph::Globe:
            canvas.Ring(cx, cy, 6.6 * u, stroke, colour);
            canvas.Line(p(1.6, 8), p(14.4, 8), stroke * 0.8, colour);
            canvas.Line(p(8, 1.6), p(8, 14.4), stroke * 0.8, colour);
            canvas.Arc(cx, cy + 9 * u, 11 * u, stroke * 0.7, 235, 70, colour);
            canvas.Arc(cx, cy - 9 * u, 11 * u, stroke * 0.7, 55, 70, colour);
            break;
        case Glyph::Refresh:
            canvas.Arc(cx, cy, 5.8 * u, stroke, 200, 250, colour);
            canvas.Polygon({p(12.6, 1.6), p(14.6, 7.0), p(9.2, 6.0)}, colour);
            break;
        case Glyph::Close:
            canvas.Line(p(4, 4), p(12, 12), stroke, colour);
            canvas.Line(p(12, 4), p(4, 12), stroke, colour);
            break;
        case Glyph::Minimize:
            canvas.Line(p(4, 12), p(12, 12), stroke, colour);
            break;
        case Glyph::Play:
            canvas.Polygon({p(4.5, 2.5), p(13.5, 8), p(4.5, 13.5)}, colour);
            break;
        case Glyph::Monitor:
            canvas.Polygon({p(1, 2), p(15, 2), p(15, 11), p(1, 11)}, colour);
            canvas.Polygon({p(2.5, 3.5), p(13.5, 3.5), p(13.5, 9.5), p(2.5, 9.5)}, {0, 0, 0}, 0.75);
            canvas.Polygon({p(6, 11), p(10, 11), p(11, 14), p(5, 14)}, colour);
            break;
        case Glyph::Sliders:
            for (double y : {3.5, 8.0, 12.5}) {
                canvas.Line(p(1.5, y), p(14.5, y), stroke * 0.7, colour);
            }
            canvas.FillCircle(p(5, 3.5).x, p(5, 3.5).y, 2.1 * u, colour);
            canvas.FillCircle(p(11, 8).x, p(11, 8).y, 2.1 * u, colour);
            canvas.FillCircle(p(7, 12.5).x, p(7, 12.5).y, 2.1 * u, colour);
            break;
        case Glyph::Pencil:
            canvas.Polygon({p(11, 1.5), p(14.5, 5), p(5.5, 14), p(2, 10.5)}, colour);
            canvas.Polygon({p(2, 10.5), p(5.5, 14), p(1.2, 14.8)},
                           Mix(colour, {255, 255, 255}, 0.4));
            break;
        case Glyph::Terminal:
            canvas.Line(p(2.5, 4), p(7, 8), stroke, colour);
            canvas.Line(p(7, 8), p(2.5, 12), stroke, colour);
            canvas.Line(p(9, 12.5), p(14, 12.5), stroke, colour);
            break;
        case Glyph::Book:
            canvas.Polygon({p(1.5, 3), p(7.4, 4), p(7.4, 14), p(1.5, 13)}, colour);
            canvas.Polygon({p(8.6, 4), p(14.5, 3), p(14.5, 13), p(8.6, 14)}, colour);
            break;
        case Glyph::House:
            canvas.Polygon({p(8, 1.5), p(15, 8), p(1, 8)}, colour);
            canvas.Polygon({p(3, 7.5), p(13, 7.5), p(13, 14.5), p(3, 14.5)}, colour);
            canvas.Polygon({p(6.6, 10), p(9.4, 10), p(9.4, 14.5), p(6.6, 14.5)}, {0, 0, 0}, 0.8);
            break;
        case Glyph::Info:
            canvas.Ring(cx, cy, 6.6 * u, stroke, colour);
            canvas.FillCircle(p(8, 4.8).x, p(8, 4.8).y, 1.1 * u + 0.3, colour);
            canvas.Line(p(8, 7.4), p(8, 11.8), stroke * 1.1, colour);
            break;
        case Glyph::Dots:
            for (double x : {3.5, 8.0, 12.5}) {
                canvas.FillCircle(p(x, 10).x, p(x, 10).y, 1.4 * u + 0.2, colour);
            }
            break;
    }
}

}  // namespace fw::win32
