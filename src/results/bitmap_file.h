#pragma once
// Uncompressed Windows bitmap files, the chart's hand-over format between the
// drawing and the JPEG encoder.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// Pixels top row first, three bytes per pixel in the order red, green, blue.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// Sides above this are refused; it is also the largest side a JPEG can have.
inline constexpr int kMaxBitmapSide = 65500;

// Reads a 24- or 32-bit uncompressed bitmap, bottom-up or top-down. Anything
// else, and any header whose sizes do not fit the bytes, gives nothing.
std::optional<RgbImage> DecodeBmp(std::string_view bmpBytes);

// A 24-bit bottom-up bitmap file; nothing when the image's sizes are not sound.
std::optional<std::string> EncodeBmp(const RgbImage& image);

}  // namespace fw
