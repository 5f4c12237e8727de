#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "fakes/fake_file_system.h"
#include "results/bitmap_file.h"
#include "results/jpeg_writer.h"

namespace fw {
namespace {

// ---------------------------------------------------------------- helpers

void PutU32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((v >> shift) & 0xFF);
    }
}

void PutU16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

struct BmpLayout {
    std::int32_t width = 2;
    std::int32_t height = 2;  // negative: top-down
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::string masks;           // written after a 40-byte header
    std::string pixels;          // the rows as stored in the file
    std::int64_t pixelsAt = -1;  // default: right after the headers
};

std::string BuildBmp(const BmpLayout& layout) {
    std::string header;
    PutU32(header, layout.headerSize);
    PutU32(header, static_cast<std::uint32_t>(layout.width));
    PutU32(header, static_cast<std::uint32_t>(layout.height));
    PutU16(header, 1);
    PutU16(header, layout.bits);
    PutU32(header, layout.compression);
    PutU32(header, static_cast<std::uint32_t>(layout.pixels.size()));
    PutU32(header, 0);
    PutU32(header, 0);
    PutU32(header, 0);
    PutU32(header, 0);
    header.resize(layout.headerSize >= 40 ? layout.headerSize : 40, '\0');
    header += layout.masks;
    const std::uint32_t at = layout.pixelsAt >= 0 ? static_cast<std::uint32_t>(layout.pixelsAt)
                                                  : 14 + static_cast<std::uint32_t>(header.size());
    std::string out = "BM";
    PutU32(out, static_cast<std::uint32_t>(14 + header.size() + layout.pixels.size()));
    PutU32(out, 0);
    PutU32(out, at);
    return out + header + layout.pixels;
}

// Blue, green, red bytes as a bitmap stores them.
std::string Bgr(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return std::string{static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
}

// Red, green / blue, white: the top row first.
const std::vector<std::uint8_t> kTwoByTwo = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};

RgbImage ChartLikeImage(int width, int height) {
    RgbImage image{width, height, {}};
    image.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &image.rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = p[1] = p[2] = 255;
            const int band = x / 60;
            if (y > 80 && x % 60 > 10 && x % 60 < 50) {
                // Bars of the three series colours, lighter towards the top.
                static const std::uint8_t colours[3][3] = {
                    {255, 106, 106}, {252, 185, 124}, {103, 165, 1}};
                const std::uint8_t* c = colours[band % 3];
                const int lift = (height - y) * 60 / height;
                for (int k = 0; k < 3; ++k) {
                    p[k] = static_cast<std::uint8_t>(std::min(255, c[k] + lift));
                }
            }
        }
    }
    return image;
}

struct DecodedJpeg {
    int width = 0, height = 0, components = 0;
    J_COLOR_SPACE colourSpace = JCS_UNKNOWN;
    bool progressive = true;
    std::vector<std::uint8_t> rgb;
};

struct ThrowingErrors {
    jpeg_error_mgr base;
};

[[noreturn]] void FailDecode(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    info->err->format_message(info, message);
    throw std::runtime_error(message);
}

// The test's own reading of the bytes, through libjpeg's decompressor.
DecodedJpeg DecodeJpeg(const std::string& bytes) {
    jpeg_decompress_struct info{};
    ThrowingErrors errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = FailDecode;
    jpeg_create_decompress(&info);
    DecodedJpeg out;
    try {
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        out.components = info.num_components;
        out.colourSpace = info.jpeg_color_space;
        out.progressive = info.progressive_mode != 0;
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        out.width = static_cast<int>(info.output_width);
        out.height = static_cast<int>(info.output_height);
        out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = &out.rgb[static_cast<std::size_t>(info.output_scanline) * out.width * 3];
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
    } catch (...) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    jpeg_destroy_decompress(&info);
    return out;
}

// Markers from the start of image up to the start of scan, with the bytes of
// each segment.
std::vector<std::pair<int, std::string>> HeaderSegments(const std::string& bytes) {
    std::vector<std::pair<int, std::string>> segments;
    std::size_t at = 2;
    while (at + 4 <= bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF) {
        const int marker = static_cast<unsigned char>(bytes[at + 1]);
        const std::size_t length = static_cast<unsigned char>(bytes[at + 2]) << 8 |
                                   static_cast<unsigned char>(bytes[at + 3]);
        segments.emplace_back(marker, bytes.substr(at + 4, length - 2));
        if (marker == 0xDA) {
            break;
        }
        at += 2 + length;
    }
    return segments;
}

// ---------------------------------------------------------------- JPEG

TEST(EncodeJpeg, WritesABaselineColourJpegOfTheChartsSize) {
    const RgbImage image = ChartLikeImage(681, 343);
    const std::optional<std::string> jpeg = EncodeJpeg(image, 90);
    ASSERT_TRUE(jpeg.has_value());
    ASSERT_GE(jpeg->size(), 4u);
    EXPECT_EQ(jpeg->substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(jpeg->substr(jpeg->size() - 2), "\xFF\xD9");

    bool baseline = false;
    bool progressive = false;
    int lumaDc = -1;
    for (const auto& [marker, body] : HeaderSegments(*jpeg)) {
        baseline |= marker == 0xC0;
        progressive |= marker == 0xC2;
        if (marker == 0xDB && lumaDc < 0 && body.size() >= 2 && body[0] == 0) {
            lumaDc = static_cast<unsigned char>(body[1]);
        }
    }
    EXPECT_TRUE(baseline);
    EXPECT_FALSE(progressive);
    // Quality 90 scales the standard luminance table by a fifth: 16 -> 3.
    EXPECT_EQ(lumaDc, 3);

    const DecodedJpeg decoded = DecodeJpeg(*jpeg);
    EXPECT_EQ(decoded.width, 681);
    EXPECT_EQ(decoded.height, 343);
    EXPECT_EQ(decoded.components, 3);
    EXPECT_EQ(decoded.colourSpace, JCS_YCbCr);
    EXPECT_FALSE(decoded.progressive);

    long long totalError = 0;
    for (std::size_t i = 0; i < image.rgb.size(); ++i) {
        totalError += std::abs(int(decoded.rgb[i]) - int(image.rgb[i]));
    }
    EXPECT_LT(double(totalError) / image.rgb.size(), 2.0);
    // The middle of a bar keeps its colour closely.
    const std::size_t middle = (static_cast<std::size_t>(250) * 681 + 30) * 3;
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(decoded.rgb[middle + k], image.rgb[middle + k], 6) << k;
    }
}

TEST(EncodeJpeg, RefusesImagesThatAreNotSound) {
    RgbImage empty{0, 10, {}};
    EXPECT_FALSE(EncodeJpeg(empty, 90));
    RgbImage shortPixels{4, 4, std::vector<std::uint8_t>(4 * 4 * 3 - 1)};
    EXPECT_FALSE(EncodeJpeg(shortPixels, 90));
    RgbImage fine{4, 4, std::vector<std::uint8_t>(4 * 4 * 3, 128)};
    EXPECT_FALSE(EncodeJpeg(fine, 0));
    EXPECT_FALSE(EncodeJpeg(fine, 101));
    EXPECT_TRUE(EncodeJpeg(fine, 90));
}

// ---------------------------------------------------------------- bitmaps

TEST(EncodeBmp, WritesA24BitBottomUpFileWithPaddedRows) {
    const RgbImage image{1, 2, {255, 0, 0, 0, 0, 255}};  // red above blue
    std::string expected =
        "BM" + std::string("\x3E\0\0\0", 4) + std::string(4, '\0') + std::string("\x36\0\0\0", 4);
    expected += std::string("\x28\0\0\0\x01\0\0\0\x02\0\0\0\x01\0\x18\0", 16);
    expected += std::string(4, '\0');                        // uncompressed
    expected += std::string("\x08\0\0\0", 4);                // pixel bytes
    expected += std::string("\xC4\x0E\0\0\xC4\x0E\0\0", 8);  // 96 dpi
    expected += std::string(8, '\0');
    expected += std::string("\xFF\0\0\0", 4);  // bottom row first: blue, padded
    expected += std::string("\0\0\xFF\0", 4);  // then red
    EXPECT_EQ(EncodeBmp(image), expected);
    EXPECT_FALSE(EncodeBmp(RgbImage{2, 2, std::vector<std::uint8_t>(5)}));
}

TEST(DecodeBmp, ReadsEveryLayoutTheChartMayBeSavedIn) {
    const std::string pad(2, '\0');
    struct Case {
        const char* name;
        BmpLayout layout;
    };
    const Case cases[] = {
        {"24-bit bottom-up",
         {2, 2, 24, 0, 40, "",
          Bgr(0, 0, 255) + Bgr(255, 255, 255) + pad + Bgr(255, 0, 0) + Bgr(0, 255, 0) + pad}},
        {"24-bit top-down",
         {2, -2, 24, 0, 40, "",
          Bgr(255, 0, 0) + Bgr(0, 255, 0) + pad + Bgr(0, 0, 255) + Bgr(255, 255, 255) + pad}},
        {"32-bit bottom-up",
         {2, 2, 32, 0, 40, "",
          Bgr(0, 0, 255) + "\x7F" + Bgr(255, 255, 255) + "\x7F" + Bgr(255, 0, 0) + "\x7F" +
              Bgr(0, 255, 0) + "\x7F"}},
        {"32-bit bit fields after a short header",
         {2, -2, 32, 3, 40, std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12),
          Bgr(255, 0, 0) + '\0' + Bgr(0, 255, 0) + '\0' + Bgr(0, 0, 255) + '\0' +
              Bgr(255, 255, 255) + '\0'}},
        {"24-bit with a version 5 header",
         {2, 2, 24, 0, 124, "",
          Bgr(0, 0, 255) + Bgr(255, 255, 255) + pad + Bgr(255, 0, 0) + Bgr(0, 255, 0) + pad}},
    };
    for (const Case& c : cases) {
        const std::optional<RgbImage> image = DecodeBmp(BuildBmp(c.layout));
        ASSERT_TRUE(image.has_value()) << c.name;
        EXPECT_EQ(image->width, 2) << c.name;
        EXPECT_EQ(image->height, 2) << c.name;
        EXPECT_EQ(image->rgb, kTwoByTwo) << c.name;
    }
}

TEST(DecodeBmp, RoundTripsWhatEncodeBmpWrites) {
    const RgbImage image = ChartLikeImage(37, 5);  // odd width: padded rows
    const std::optional<std::string> bmp = EncodeBmp(image);
    ASSERT_TRUE(bmp.has_value());
    const std::optional<RgbImage> back = DecodeBmp(*bmp);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->width, 37);
    EXPECT_EQ(back->height, 5);
    EXPECT_EQ(back->rgb, image.rgb);
}

TEST(DecodeBmp, RefusesBadOrOversizedHeadersWithoutReadingPastTheEnd) {
    const std::string pad(2, '\0');
    const std::string rows =
        Bgr(1, 2, 3) + Bgr(4, 5, 6) + pad + Bgr(7, 8, 9) + Bgr(10, 11, 12) + pad;
    const BmpLayout good{2, 2, 24, 0, 40, "", rows};
    ASSERT_TRUE(DecodeBmp(BuildBmp(good)));

    struct Case {
        const char* name;
        std::string bytes;
    };
    auto with = [&](auto change) {
        BmpLayout layout = good;
        change(layout);
        return BuildBmp(layout);
    };
    std::string wrongMagic = BuildBmp(good);
    wrongMagic[0] = 'X';
    const std::string whole = BuildBmp(good);
    std::string longHeader = whole;
    longHeader.replace(14, 4, std::string("\xA0\x0F\0\0", 4));  // 4000 bytes
    const Case cases[] = {
        {"empty", ""},
        {"only the magic", "BM"},
        {"wrong magic", wrongMagic},
        {"cut in the pixels", whole.substr(0, whole.size() - 1)},
        {"cut in the header", whole.substr(0, 40)},
        {"16 bits per pixel", with([](BmpLayout& s) { s.bits = 16; })},
        {"8 bits per pixel", with([](BmpLayout& s) { s.bits = 8; })},
        {"run-length compressed", with([](BmpLayout& s) { s.compression = 1; })},
        {"bit fields on 24 bits", with([](BmpLayout& s) { s.compression = 3; })},
        {"unusual bit fields", with([](BmpLayout& s) {
             s.bits = 32;
             s.compression = 3;
             s.masks = std::string("\xFF\0\0\0\0\xFF\0\0\0\0\xFF\0", 12);
             s.pixels = std::string(16, '\0');
         })},
        {"core header", with([](BmpLayout& s) { s.headerSize = 12; })},
        {"header longer than the file", longHeader},
        {"zero width", with([](BmpLayout& s) { s.width = 0; })},
        {"negative width", with([](BmpLayout& s) { s.width = -2; })},
        {"zero height", with([](BmpLayout& s) { s.height = 0; })},
        {"lowest height", with([](BmpLayout& s) { s.height = INT32_MIN; })},
        {"huge width", with([](BmpLayout& s) { s.width = 70000; })},
        {"width beyond the data", with([](BmpLayout& s) { s.width = 60000; })},
        {"height beyond the data", with([](BmpLayout& s) { s.height = 60000; })},
        {"pixels before the headers", with([](BmpLayout& s) { s.pixelsAt = 20; })},
        {"pixels past the end", with([](BmpLayout& s) { s.pixelsAt = 0x7FFFFFF0; })},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(DecodeBmp(c.bytes).has_value()) << c.name;
    }
}

// ---------------------------------------------------------------- the file step

TEST(ConvertBitmapToJpeg, WritesTheJpegBesideWhereverItIsAsked) {
    testing::FakeFileSystem files;
    files.AddFolder("C:\\Results");
    files.AddFile("C:\\Prog\\ch.bmp", *EncodeBmp(ChartLikeImage(456, 343)));
    ASSERT_TRUE(ConvertBitmapToJpeg(files, "C:\\Prog\\ch.bmp", "C:\\Results\\chart.jpg"));
    const std::optional<std::string> jpeg = files.ReadFile("C:\\Results\\chart.jpg");
    ASSERT_TRUE(jpeg.has_value());
    const DecodedJpeg decoded = DecodeJpeg(*jpeg);
    EXPECT_EQ(decoded.width, 456);
    EXPECT_EQ(decoded.height, 343);
    EXPECT_TRUE(files.FileExists("C:\\Prog\\ch.bmp")) << "the caller deletes the bitmap";
}

TEST(ConvertBitmapToJpeg, FailsWithoutWritingOnAMissingOrBrokenBitmapOrFolder) {
    struct Case {
        const char* name;
        std::optional<std::string> bitmap;
        const char* jpegPath;
    };
    const Case cases[] = {
        {"no bitmap", std::nullopt, "C:\\Results\\chart.jpg"},
        {"not a bitmap", std::string("not a bitmap at all, but long enough to have a header......"),
         "C:\\Results\\chart.jpg"},
        {"results folder missing", EncodeBmp(ChartLikeImage(8, 8)), "C:\\Gone\\chart.jpg"},
    };
    for (const Case& c : cases) {
        testing::FakeFileSystem files;
        files.AddFolder("C:\\Results");
        if (c.bitmap) {
            files.AddFile("C:\\Prog\\ch.bmp", *c.bitmap);
        }
        EXPECT_FALSE(ConvertBitmapToJpeg(files, "C:\\Prog\\ch.bmp", c.jpegPath)) << c.name;
        EXPECT_FALSE(files.FileExists(c.jpegPath)) << c.name;
    }
}

}  // namespace
}  // namespace fw
