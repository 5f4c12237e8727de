#include "app/win32/theme.h"

#include "app/dpi_scale.h"

namespace fw::win32 {

namespace {

int CALLBACK NoteFaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const wchar_t* face) {
    WindowDc screen(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    ::EnumFontFamiliesExW(screen.Get(), &query, &NoteFaceFound, reinterpret_cast<LPARAM>(&found),
                          0);
    return found;
}

// The classic dialog face; systems without it get the nearest they have.
std::wstring DialogFace() {
    for (const wchar_t* face : {L"MS Sans Serif", L"Microsoft Sans Serif", L"Tahoma"}) {
        if (FaceInstalled(face)) {
            return face;
        }
    }
    return L"MS Shell Dlg";
}

}  // namespace

Theme::Theme(int dpi) : dpi_(dpi), face_(DialogFace()) {
    normal_ = MakeFont(face_.c_str(), -MulDiv(8, dpi_, 72), false);
    bold_ = MakeFont(face_.c_str(), -MulDiv(8, dpi_, 72), true);
}

int Theme::ScreenDpi() {
    WindowDc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : kDesignDpi;
}

int Theme::Scale(int designPixels) const {
    return ScaleForDpi(designPixels, dpi_);
}

RECT Theme::Scale(const RECT& design) const {
    return {Scale(design.left), Scale(design.top), Scale(design.right), Scale(design.bottom)};
}

RECT Theme::ScaleBox(int left, int top, int width, int height) const {
    return Scale(RECT{left, top, left + width, top + height});
}

Font Theme::MakeFont(const wchar_t* face, int height, bool bold, bool underline) const {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return Font(::CreateFontIndirectW(&font));
}

HFONT Theme::OfPointSize(int points, bool bold) const {
    auto& font = sized_[{points, bold}];
    if (!font) {
        font = MakeFont(face_.c_str(), -MulDiv(points, dpi_, 72), bold);
    }
    return font.Get();
}

HFONT Theme::Tahoma(int designPixels, bool bold) const {
    auto& font = tahoma_[{designPixels, bold}];
    if (!font) {
        font = MakeFont(L"Tahoma", -Scale(designPixels), bold);
    }
    return font.Get();
}

HBRUSH Theme::BrushOf(COLORREF colour) const {
    auto& brush = brushes_[colour];
    if (!brush) {
        brush = Brush(::CreateSolidBrush(colour));
    }
    return brush.Get();
}

HPEN Theme::PenOf(COLORREF colour, int width) const {
    auto& pen = pens_[{colour, width}];
    if (!pen) {
        pen = Pen(::CreatePen(PS_SOLID, width, colour));
    }
    return pen.Get();
}

}  // namespace fw::win32
