#pragma once
// GDI drawing shared by the program's owner-drawn controls and pictures.
#include <windows.h>

#include <functional>
#include <string>

#include "app/win32/gdi.h"

#include "app/win32/pixel_canvas.h"

namespace fw::win32 {

// Puts a canvas onto a DC with its top left corner at (x, y), blending its
// transparent and half-transparent pixels with what is already there.
void DrawCanvas(HDC dc, int x, int y, const PixelCanvas& canvas);

// A 32-bit bitmap with its rows top down, and where its pixels lie (`bits`);
// empty when it cannot be made.
Bitmap MakeTopDownBitmap(HDC dc, int width, int height, void*& bits);

void FillSolid(HDC dc, const RECT& area, COLORREF colour);
// A frame of `width` pixels just inside `area`.
void FrameSolid(HDC dc, const RECT& area, COLORREF colour, int width = 1);

// Windows-1252 text drawn transparently with DrawTextW's `format`.
void DrawTextIn(HDC dc, const std::string& text, RECT area, UINT format, HFONT font,
                COLORREF colour);
// The size the text takes in `font` on one line; with `wrapWidth` > 0, the
// height it takes when broken into lines of that width.
SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth = 0);

// Paints into `dc` (set up for `child`'s client area) what the parent shows
// beneath the child, so a control can draw on the picture behind it.
void PaintParentBackground(HWND child, HDC dc);

// A picture drawn once and copied afterwards; drawn anew when its size
// changes or after Clear.
class CachedPicture {
public:
    // Copies the picture of `size` to (0, 0) of `dc`, making it first with
    // `make` when needed.
    void Paint(HDC dc, SIZE size, const std::function<void(HDC dc, const RECT& area)>& make);
    void Clear() { bitmap_.Reset(); }

private:
    Bitmap bitmap_;
    SIZE size_{};
};

// The little pictures of the buttons and the group bar.
enum class Glyph {
    None,
    Folder,
    Question,
    Globe,
    Refresh,
    Help,
    Close,
    Minimize,
    Play,
    Monitor,
    Sliders,
    Pencil,
    Terminal,
    Book,
    House,
    Info,
    Dots
};
// Draws `glyph` centred at (cx, cy), `size` pixels across.
void DrawGlyph(PixelCanvas& canvas, Glyph glyph, double cx, double cy, double size, Rgb colour);

}  // namespace fw::win32
