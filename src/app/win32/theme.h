#pragma once
// The look of the program's windows: colours, fonts and the scale of the
// screen. One Theme per set of windows, made for the screen's resolution.
#include <windows.h>

#include <map>
#include <string>

#include "app/win32/gdi.h"
#include "app/win32/pixel_canvas.h"

namespace fw::win32 {

namespace colours {
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kSilver = RGB(192, 192, 192);
inline constexpr COLORREF kGroupCaption = RGB(200, 200, 200);
inline constexpr COLORREF kFrame = RGB(28, 81, 128);
inline constexpr COLORREF kHighlight = RGB(33, 161, 33);
inline constexpr COLORREF kHot = RGB(255, 199, 60);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
// The option pages sit a shade above the black window so that their groups read as panels.
inline constexpr COLORREF kPage = RGB(10, 12, 17);
inline constexpr COLORREF kField = RGB(24, 27, 34);
inline constexpr COLORREF kFieldDisabled = RGB(16, 18, 22);
inline constexpr COLORREF kDisabledText = RGB(100, 104, 112);
inline constexpr COLORREF kButtonFace = RGB(30, 34, 42);
inline constexpr COLORREF kButtonFaceHot = RGB(40, 46, 58);
}  // namespace colours

inline Rgb ToRgb(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

class Theme {
public:
    // For the resolution of the screen the windows appear on.
    explicit Theme(int dpi);
    static int ScreenDpi();

    int Dpi() const { return dpi_; }
    int Scale(int designPixels) const;
    RECT Scale(const RECT& design) const;
    RECT ScaleBox(int left, int top, int width, int height) const;

    // "MS Sans Serif" 8 pt, the face of every text unless said otherwise.
    HFONT Normal() const { return normal_.Get(); }
    HFONT Bold() const { return bold_.Get(); }
    // The dialog face at another size, made on first use.
    HFONT OfPointSize(int points, bool bold = false) const;
    // Tahoma by pixel height (design pixels), for the start panel and pictures.
    HFONT Tahoma(int designPixels, bool bold = false) const;

    HBRUSH BrushOf(COLORREF colour) const;
    HPEN PenOf(COLORREF colour, int width = 1) const;

private:
    Font MakeFont(const wchar_t* face, int height, bool bold, bool underline = false) const;

    int dpi_;
    std::wstring face_;
    Font normal_;
    Font bold_;
    mutable std::map<std::pair<int, bool>, Font> sized_;
    mutable std::map<std::pair<int, bool>, Font> tahoma_;
    mutable std::map<COLORREF, Brush> brushes_;
    mutable std::map<std::pair<COLORREF, int>, Pen> pens_;
};

}  // namespace fw::win32
