#pragma once
// The chart's drawing surface on Windows: GDI drawing into a 24-bit DIB
// section held by a memory device context.
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "platform/canvas.h"
#include "platform/win32/gdi_handles.h"

namespace fw::win32 {

// Colours are spelled fw::Rgb: the window's own artwork has an Rgb of its own
// in this namespace, and both meet in the program's entry file.
class GdiSurface : public BitmapSurface {
public:
    // The chart's colour type, not the window pictures' own of the same name.
    using Rgb = ::fw::Rgb;

    // A white surface; nothing when GDI cannot make the bitmap.
    static std::unique_ptr<GdiSurface> Create(int width, int height);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRect(int x, int y, int width, int height, fw::Rgb colour) override;
    void FillGradientVertical(int x, int y, int width, int height, fw::Rgb top,
                              fw::Rgb bottom) override;
    void FrameRect(int x, int y, int width, int height, fw::Rgb colour) override;
    void Line(int x1, int y1, int x2, int y2, fw::Rgb colour) override;
    void Text(int x, int y, const std::string& cp1252, const FontStyle& font,
              fw::Rgb colour) override;
    void TextRotated90(int x, int y, const std::string& cp1252, const FontStyle& font,
                       fw::Rgb colour) override;
    TextSize MeasureText(const std::string& cp1252, const FontStyle& font) const override;
    std::string EncodeBmp() const override;

private:
    GdiSurface(UniqueMemoryDc dc, UniqueGdiObject bitmap, void* bits, int width, int height);
    // The font for a style, made once; turned a quarter left when `rotated`.
    HFONT FontFor(const FontStyle& font, bool rotated) const;
    // The face to ask GDI for: the wanted one when the system has it, else the
    // first installed of a few look-alikes, so that text never falls back to a
    // bitmap font that cannot be smoothed.
    const std::wstring& FaceFor(const std::string& wanted) const;
    void PaintText(int x, int y, const std::string& cp1252, HFONT font, fw::Rgb colour);

    // Destroyed in reverse order: the bitmap is put out of the context before
    // it is deleted, and the context goes last.
    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    SelectionGuard bitmapSelection_;
    void* bits_;
    int width_;
    int height_;
    mutable std::map<std::tuple<std::string, int, bool, bool>, UniqueGdiObject> fonts_;
    mutable std::map<std::string, std::wstring> faces_;
};

class GdiSurfaceFactory : public SurfaceFactory {
public:
    std::unique_ptr<BitmapSurface> Create(int width, int height) override {
        return GdiSurface::Create(width, height);
    }
};

}  // namespace fw::win32
