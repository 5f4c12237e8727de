#pragma once
// The program's own pictures, drawn at run time at the screen's scale: the
// main window's background, the information picture, the splash picture, the
// picker's background and the start panel's mirrored headline.
#include <windows.h>

#include <string>

#include "app/win32/gdi.h"

namespace fw::win32 {

class Theme;

// Image4: dark gradient, soft light and the program's name, for a client area
// of `size`. Returned as a bitmap compatible with the screen.
Bitmap MakeMainBackground(SIZE size, const Theme& theme);

// Image2: what the program does, shown while the option pages are hidden.
void PaintInfoPicture(HDC dc, const RECT& area, const Theme& theme, const std::string& version);

// The about box shown at start.
void PaintSplashPicture(HDC dc, const RECT& area, const Theme& theme);

// The display mode picker's background with its heading.
void PaintPickerBackground(HDC dc, const RECT& area, const Theme& theme);

// `text` centred in the upper part of `area`, with its mirror image fading
// out over `reflection` pixels below it, on black.
void PaintReflectedText(HDC dc, const RECT& area, const std::string& text, HFONT font,
                        COLORREF colour, int reflection);

}  // namespace fw::win32
