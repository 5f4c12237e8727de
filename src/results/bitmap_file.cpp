#include "results/bitmap_file.h"

#include <cstddef>

namespace fw {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t ReadU32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::uint16_t ReadU16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void PutU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void PutU16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

// Rows of a bitmap are padded to whole 32-bit words.
std::int64_t RowStride(std::int64_t width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// 32-bit pixels with bit fields are only read when the fields are the usual
// blue-green-red-unused bytes.
bool HasPlainBgrMasks(std::string_view bytes) {
    constexpr std::size_t kMasksAt = kFileHeaderSize + kInfoHeaderSize;
    if (bytes.size() < kMasksAt + 12) {
        return false;
    }
    return ReadU32(bytes, kMasksAt) == 0x00FF0000u && ReadU32(bytes, kMasksAt + 4) == 0x0000FF00u &&
           ReadU32(bytes, kMasksAt + 8) == 0x000000FFu;
}

}  // namespace

std::optional<RgbImage> DecodeBmp(std::string_view bytes) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        return std::nullopt;
    }
    const std::uint32_t pixelsAt = ReadU32(bytes, 10);
    const std::uint32_t headerSize = ReadU32(bytes, 14);
    if (headerSize < kInfoHeaderSize || headerSize > bytes.size() - kFileHeaderSize) {
        return std::nullopt;
    }
    const auto width = static_cast<std::int32_t>(ReadU32(bytes, 18));
    const auto rawHeight = static_cast<std::int32_t>(ReadU32(bytes, 22));
    const std::uint16_t planes = ReadU16(bytes, 26);
    const std::uint16_t bitsPerPixel = ReadU16(bytes, 28);
    const std::uint32_t compression = ReadU32(bytes, 30);

    if (planes != 1 || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return std::nullopt;
    }
    std::size_t headersEnd = kFileHeaderSize + headerSize;
    if (compression == kBitFields && bitsPerPixel == 32 && HasPlainBgrMasks(bytes)) {
        if (headerSize == kInfoHeaderSize) {
            headersEnd += 12;  // the three masks follow the short header
        }
    } else if (compression != kUncompressed) {
        return std::nullopt;
    }

    const std::int64_t height = rawHeight < 0 ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || width > kMaxBitmapSide || height == 0 || height > kMaxBitmapSide) {
        return std::nullopt;
    }
    const std::int64_t stride = RowStride(width, bitsPerPixel);
    if (pixelsAt < headersEnd || static_cast<std::int64_t>(pixelsAt) + stride * height >
                                     static_cast<std::int64_t>(bytes.size())) {
        return std::nullopt;
    }

    RgbImage image;
    image.width = width;
    image.height = static_cast<int>(height);
    image.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    const bool bottomUp = rawHeight > 0;
    const int bytesPerPixel = bitsPerPixel / 8;
    for (std::int64_t row = 0; row < height; ++row) {
        const std::int64_t fileRow = bottomUp ? height - 1 - row : row;
        const auto* source =
            reinterpret_cast<const unsigned char*>(bytes.data() + pixelsAt + fileRow * stride);
        std::uint8_t* target = image.rgb.data() + row * width * 3;
        for (std::int32_t x = 0; x < width; ++x) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            target += 3;
            source += bytesPerPixel;
        }
    }
    return image;
}

std::optional<std::string> EncodeBmp(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxBitmapSide ||
        image.height > kMaxBitmapSide ||
        image.rgb.size() !=
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3) {
        return std::nullopt;
    }
    const std::int64_t stride = RowStride(image.width, 24);
    const std::int64_t pixelBytes = stride * image.height;
    const std::int64_t fileSize = kFileHeaderSize + kInfoHeaderSize + pixelBytes;
    if (fileSize > 0xFFFFFFFFll) {
        return std::nullopt;
    }

    std::string out;
    out.reserve(static_cast<std::size_t>(fileSize));
    out += "BM";
    PutU32(out, static_cast<std::uint32_t>(fileSize));
    PutU32(out, 0);
    PutU32(out, kFileHeaderSize + kInfoHeaderSize);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(image.width));
    PutU32(out, static_cast<std::uint32_t>(image.height));
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, kUncompressed);
    PutU32(out, static_cast<std::uint32_t>(pixelBytes));
    PutU32(out, 3780);  // 96 dots per inch, in dots per metre
    PutU32(out, 3780);
    PutU32(out, 0);
    PutU32(out, 0);

    const std::size_t padding = static_cast<std::size_t>(stride) - image.width * 3u;
    for (int row = image.height - 1; row >= 0; --row) {
        const std::uint8_t* source =
            image.rgb.data() + static_cast<std::size_t>(row) * image.width * 3;
        for (int x = 0; x < image.width; ++x, source += 3) {
            out += static_cast<char>(source[2]);
            out += static_cast<char>(source[1]);
            out += static_cast<char>(source[0]);
        }
        out.append(padding, '\0');
    }
    return out;
}

}  // namespace fw
