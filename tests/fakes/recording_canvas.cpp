#include "fakes/recording_canvas.h"

#include "results/bitmap_file.h"

namespace fw::testing {

std::vector<DrawCall> RecordingCanvas::Texts() const {
    std::vector<DrawCall> texts;
    for (const DrawCall& call : calls) {
        if (call.kind == DrawCall::Kind::Text || call.kind == DrawCall::Kind::TextRotated) {
            texts.push_back(call);
        }
    }
    return texts;
}

const DrawCall* RecordingCanvas::FindText(const std::string& text) const {
    for (const DrawCall& call : calls) {
        if ((call.kind == DrawCall::Kind::Text || call.kind == DrawCall::Kind::TextRotated) &&
            call.text == text) {
            return &call;
        }
    }
    return nullptr;
}

void RecordingCanvas::FillRect(int x, int y, int w, int h, Rgb colour) {
    calls.push_back(DrawCall{DrawCall::Kind::FillRect, x, y, w, h, colour, {}, {}, {}});
}

void RecordingCanvas::FillGradientVertical(int x, int y, int w, int h, Rgb top, Rgb bottom) {
    calls.push_back(DrawCall{DrawCall::Kind::Gradient, x, y, w, h, top, bottom, {}, {}});
}

void RecordingCanvas::FrameRect(int x, int y, int w, int h, Rgb colour) {
    calls.push_back(DrawCall{DrawCall::Kind::Frame, x, y, w, h, colour, {}, {}, {}});
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2, Rgb colour) {
    calls.push_back(DrawCall{DrawCall::Kind::Line, x1, y1, x2, y2, colour, {}, {}, {}});
}

void RecordingCanvas::Text(int x, int y, const std::string& text, const FontStyle& font,
                           Rgb colour) {
    const TextSize size = Measure(text, font);
    calls.push_back(
        DrawCall{DrawCall::Kind::Text, x, y, size.width, size.height, colour, {}, text, font});
}

void RecordingCanvas::TextRotated90(int x, int y, const std::string& text, const FontStyle& font,
                                    Rgb colour) {
    const TextSize size = Measure(text, font);
    calls.push_back(DrawCall{
        DrawCall::Kind::TextRotated, x, y, size.height, size.width, colour, {}, text, font});
}

std::string RecordingCanvas::EncodeBmp() const {
    RgbImage white;
    white.width = width_;
    white.height = height_;
    white.rgb.assign(static_cast<std::size_t>(width_) * height_ * 3, 255);
    return fw::EncodeBmp(white).value_or(std::string());
}

std::unique_ptr<BitmapSurface> RecordingSurfaceFactory::Create(int width, int height) {
    created.push_back(TextSize{width, height});
    if (fail) {
        return nullptr;
    }
    return std::make_unique<RecordingCanvas>(width, height);
}

}  // namespace fw::testing
