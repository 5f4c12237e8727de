#pragma once
// A surface factory for run tests: surfaces that draw nothing and encode a
// small valid bitmap of the requested size.
#include <memory>

#include "platform/canvas.h"
#include "results/bitmap_file.h"

namespace fw::testing {

class BlankSurface : public BitmapSurface {
public:
    BlankSurface(int width, int height) : width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRect(int, int, int, int, Rgb) override {}
    void FillGradientVertical(int, int, int, int, Rgb, Rgb) override {}
    void FrameRect(int, int, int, int, Rgb) override {}
    void Line(int, int, int, int, Rgb) override {}
    void Text(int, int, const std::string&, const FontStyle&, Rgb) override {}
    void TextRotated90(int, int, const std::string&, const FontStyle&, Rgb) override {}
    TextSize MeasureText(const std::string& text, const FontStyle& font) const override {
        return {static_cast<int>(text.size()) * font.pixelHeight / 2, font.pixelHeight};
    }
    std::string EncodeBmp() const override {
        RgbImage image{width_, height_,
                       std::vector<std::uint8_t>(static_cast<size_t>(width_) * height_ * 3, 255)};
        return fw::EncodeBmp(image).value_or(std::string());
    }

private:
    int width_;
    int height_;
};

class BlankSurfaceFactory : public SurfaceFactory {
public:
    std::unique_ptr<BitmapSurface> Create(int width, int height) override {
        return std::make_unique<BlankSurface>(width, height);
    }
};

}  // namespace fw::testing
