#include "platform/win32/gdi_canvas.h"

#include <cstring>
#include <vector>

#include "common/text.h"
#include "results/bitmap_file.h"

namespace fw::win32 {
namespace {

COLORREF Colour(fw::Rgb c) {
    return RGB(c.r, c.g, c.b);
}

// Rows of a 24-bit DIB are padded to whole 32-bit words.
int RowStride(int width) {
    return (width * 3 + 3) & ~3;
}

UniqueGdiObject SolidBrush(fw::Rgb colour) {
    return UniqueGdiObject(::CreateSolidBrush(Colour(colour)));
}

int CALLBACK NoteFaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool HasFace(HDC dc, const std::wstring& face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    face.copy(query.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    ::EnumFontFamiliesExW(dc, &query, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

std::unique_ptr<GdiSurface> GdiSurface::Create(int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
        return nullptr;
    }
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, the way a bitmap file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdiObject bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return nullptr;
    }
    std::memset(bits, 0xFF, static_cast<std::size_t>(RowStride(width)) * height);
    return std::unique_ptr<GdiSurface>(
        new GdiSurface(std::move(dc), std::move(bitmap), bits, width, height));
}

GdiSurface::GdiSurface(UniqueMemoryDc dc, UniqueGdiObject bitmap, void* bits, int width, int height)
    : dc_(std::move(dc)),
      bitmap_(std::move(bitmap)),
      bitmapSelection_(dc_.Get(), bitmap_.Get()),
      bits_(bits),
      width_(width),
      height_(height) {
    ::SetBkMode(dc_.Get(), TRANSPARENT);
    ::SetTextAlign(dc_.Get(), TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

GdiSurface::~GdiSurface() = default;

void GdiSurface::FillRect(int x, int y, int width, int height, fw::Rgb colour) {
    if (width <= 0 || height <= 0) {
        return;
    }
    const RECT area{x, y, x + width, y + height};
    const UniqueGdiObject brush = SolidBrush(colour);
    ::FillRect(dc_.Get(), &area, static_cast<HBRUSH>(brush.Get()));
}

void GdiSurface::FillGradientVertical(int x, int y, int width, int height, fw::Rgb top,
                                      fw::Rgb bottom) {
    if (width <= 0 || height <= 0) {
        return;
    }
    TRIVERTEX corners[2] = {};
    corners[0].x = x;
    corners[0].y = y;
    corners[0].Red = static_cast<COLOR16>(top.r << 8);
    corners[0].Green = static_cast<COLOR16>(top.g << 8);
    corners[0].Blue = static_cast<COLOR16>(top.b << 8);
    corners[1].x = x + width;
    corners[1].y = y + height;
    corners[1].Red = static_cast<COLOR16>(bottom.r << 8);
    corners[1].Green = static_cast<COLOR16>(bottom.g << 8);
    corners[1].Blue = static_cast<COLOR16>(bottom.b << 8);
    GRADIENT_RECT rect{0, 1};
    ::GradientFill(dc_.Get(), corners, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void GdiSurface::FrameRect(int x, int y, int width, int height, fw::Rgb colour) {
    if (width <= 0 || height <= 0) {
        return;
    }
    const RECT area{x, y, x + width, y + height};
    const UniqueGdiObject brush = SolidBrush(colour);
    ::FrameRect(dc_.Get(), &area, static_cast<HBRUSH>(brush.Get()));
}

void GdiSurface::Line(int x1, int y1, int x2, int y2, fw::Rgb colour) {
    const UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, Colour(colour)));
    const SelectionGuard selected(dc_.Get(), pen.Get());
    ::MoveToEx(dc_.Get(), x1, y1, nullptr);
    ::LineTo(dc_.Get(), x2, y2);
    // GDI leaves out a line's last pixel.
    ::SetPixelV(dc_.Get(), x2, y2, Colour(colour));
}

void GdiSurface::PaintText(int x, int y, const std::string& cp1252, HFONT font, fw::Rgb colour) {
    const std::wstring wide = WideFromCp1252(cp1252);
    const SelectionGuard selected(dc_.Get(), font);
    ::SetTextColor(dc_.Get(), Colour(colour));
    ::TextOutW(dc_.Get(), x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void GdiSurface::Text(int x, int y, const std::string& cp1252, const FontStyle& font,
                      fw::Rgb colour) {
    PaintText(x, y, cp1252, FontFor(font, false), colour);
}

void GdiSurface::TextRotated90(int x, int y, const std::string& cp1252, const FontStyle& font,
                               fw::Rgb colour) {
    // Turned a quarter left, the text's top left corner is the bottom left of
    // its box: the glyphs' tops face left and the line runs upwards.
    const TextSize size = MeasureText(cp1252, font);
    PaintText(x, y + size.width, cp1252, FontFor(font, true), colour);
}

TextSize GdiSurface::MeasureText(const std::string& cp1252, const FontStyle& font) const {
    const std::wstring wide = WideFromCp1252(cp1252);
    const SelectionGuard selected(dc_.Get(), FontFor(font, false));
    SIZE size{};
    ::GetTextExtentPoint32W(dc_.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return TextSize{static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

const std::wstring& GdiSurface::FaceFor(const std::string& wanted) const {
    auto known = faces_.find(wanted);
    if (known != faces_.end()) {
        return known->second;
    }
    std::wstring chosen = WideFromCp1252(wanted);
    if (!HasFace(dc_.Get(), chosen)) {
        for (const wchar_t* alike : {L"Tahoma", L"Verdana", L"Arial", L"Microsoft Sans Serif",
                                     L"Liberation Sans", L"DejaVu Sans"}) {
            if (HasFace(dc_.Get(), alike)) {
                chosen = alike;
                break;
            }
        }
    }
    return faces_.emplace(wanted, std::move(chosen)).first->second;
}

HFONT GdiSurface::FontFor(const FontStyle& font, bool rotated) const {
    const auto key = std::make_tuple(font.face, font.pixelHeight, font.bold, rotated);
    auto made = fonts_.find(key);
    if (made == fonts_.end()) {
        const int angle = rotated ? 900 : 0;
        // A negative height asks for the character height, without the leading.
        HFONT handle = ::CreateFontW(
            -font.pixelHeight, 0, angle, angle, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
            FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
            DEFAULT_PITCH | FF_SWISS, FaceFor(font.face).c_str());
        made = fonts_.emplace(key, UniqueGdiObject(handle)).first;
    }
    return static_cast<HFONT>(made->second.Get());
}

std::string GdiSurface::EncodeBmp() const {
    // Drawing calls may still be queued; the bits are read directly.
    ::GdiFlush();
    RgbImage image;
    image.width = width_;
    image.height = height_;
    image.rgb.resize(static_cast<std::size_t>(width_) * height_ * 3);
    const auto* bits = static_cast<const std::uint8_t*>(bits_);
    const int stride = RowStride(width_);
    for (int row = 0; row < height_; ++row) {
        const std::uint8_t* source = bits + static_cast<std::size_t>(height_ - 1 - row) * stride;
        std::uint8_t* target = image.rgb.data() + static_cast<std::size_t>(row) * width_ * 3;
        for (int x = 0; x < width_; ++x, source += 3, target += 3) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    return fw::EncodeBmp(image).value_or(std::string());
}

}  // namespace fw::win32
