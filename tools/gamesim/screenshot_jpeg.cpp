#include "gamesim/screenshot_jpeg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace fw::gamesim {

namespace {

constexpr int kTile = 8;
constexpr int kQuantizer = 8;
constexpr int kComponents = 3;

// Huffman table for the DC differences (the usual luminance table).
constexpr std::array<std::uint8_t, 16> kDcCodeCounts = {0, 1, 5, 1, 1, 1, 1, 1,
                                                        1, 0, 0, 0, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, 12> kDcSymbols = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
// Flat tiles have no AC coefficients: the AC table holds end-of-block alone.
constexpr std::array<std::uint8_t, 16> kAcCodeCounts = {1, 0, 0, 0, 0, 0, 0, 0,
                                                        0, 0, 0, 0, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, 1> kAcSymbols = {0x00};

struct Code {
    std::uint16_t bits = 0;
    int length = 0;
};

// Canonical codes in symbol order, as a decoder rebuilds them from the counts.
std::array<Code, 12> DcCodes() {
    std::array<Code, 12> codes{};
    std::uint16_t code = 0;
    size_t symbol = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int n = 0; n < kDcCodeCounts[length - 1]; ++n) {
            codes[kDcSymbols[symbol++]] = Code{code++, length};
        }
        code <<= 1;
    }
    return codes;
}

class BitWriter {
public:
    explicit BitWriter(std::string& out) : out_(out) {}

    void Put(std::uint32_t bits, int length) {
        for (int i = length - 1; i >= 0; --i) {
            accumulator_ = static_cast<std::uint8_t>((accumulator_ << 1) | ((bits >> i) & 1));
            if (++count_ == 8) {
                Flush();
            }
        }
    }

    // Pads the last byte with one bits, as the format asks.
    void Finish() {
        while (count_ != 0) {
            Put(1, 1);
        }
    }

private:
    void Flush() {
        out_ += static_cast<char>(accumulator_);
        if (accumulator_ == 0xFF) {
            out_ += '\0';  // a data byte FF is followed by 00 so it cannot read as a marker
        }
        accumulator_ = 0;
        count_ = 0;
    }

    std::string& out_;
    std::uint8_t accumulator_ = 0;
    int count_ = 0;
};

void PutWord(std::string& out, int value) {
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void PutSegment(std::string& out, int marker, const std::string& body) {
    PutWord(out, marker);
    PutWord(out, static_cast<int>(body.size()) + 2);
    out += body;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string text;
    for (int v : values) {
        text += static_cast<char>(v);
    }
    return text;
}

template <size_t N, size_t M>
std::string HuffmanTable(int tableClass, const std::array<std::uint8_t, N>& counts,
                         const std::array<std::uint8_t, M>& symbols) {
    std::string body(1, static_cast<char>(tableClass << 4));
    for (std::uint8_t count : counts) {
        body += static_cast<char>(count);
    }
    for (std::uint8_t symbol : symbols) {
        body += static_cast<char>(symbol);
    }
    return body;
}

int Clamp255(double value) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

// Y, Cb, Cr of a colour.
std::array<int, kComponents> YCbCr(Rgb c) {
    return {Clamp255(0.299 * c.red + 0.587 * c.green + 0.114 * c.blue),
            Clamp255(-0.168736 * c.red - 0.331264 * c.green + 0.5 * c.blue + 128),
            Clamp255(0.5 * c.red - 0.418688 * c.green - 0.081312 * c.blue + 128)};
}

int Category(int value) {
    int magnitude = value < 0 ? -value : value;
    int category = 0;
    while (magnitude != 0) {
        ++category;
        magnitude >>= 1;
    }
    return category;
}

}  // namespace

Rgb ScreenshotPixel(int x, int y) {
    int column = x / kTile;
    int row = y / kTile;
    int rows = kScreenshotHeight / kTile;
    int horizon = rows * 3 / 5;
    if (column >= 15 && column <= 16 && row >= 2 && row <= 3) {
        return {250, 228, 150};  // sun
    }
    int peak = 6;
    if (row < horizon && row >= 4 && std::abs(column - peak) <= row - 4) {
        return {118, 114, 126};  // mountain
    }
    if (row < horizon) {
        return {70 + row * 11, 110 + row * 10, 180 + row * 6};  // sky, lighter downwards
    }
    int shade = (column + row) % 2 == 0 ? 0 : 14;
    return {52 + shade, 104 + shade, 46 + shade};  // grass
}

std::string ScreenshotJpeg(std::string_view comment) {
    std::string out;
    PutWord(out, 0xFFD8);
    PutSegment(out, 0xFFE0, Bytes({'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0}));
    if (!comment.empty()) {
        PutSegment(out, 0xFFFE, std::string(comment.substr(0, 60000)));
    }
    PutSegment(out, 0xFFDB, std::string(1, '\0') + std::string(64, static_cast<char>(kQuantizer)));
    std::string frame = Bytes({8, kScreenshotHeight >> 8, kScreenshotHeight & 0xFF,
                               kScreenshotWidth >> 8, kScreenshotWidth & 0xFF, kComponents});
    for (int c = 1; c <= kComponents; ++c) {
        frame += Bytes({c, 0x11, 0});
    }
    PutSegment(out, 0xFFC0, frame);
    PutSegment(out, 0xFFC4, HuffmanTable(0, kDcCodeCounts, kDcSymbols));
    PutSegment(out, 0xFFC4, HuffmanTable(1, kAcCodeCounts, kAcSymbols));
    std::string scan = Bytes({kComponents});
    for (int c = 1; c <= kComponents; ++c) {
        scan += Bytes({c, 0x00});
    }
    scan += Bytes({0, 63, 0});
    PutSegment(out, 0xFFDA, scan);

    const std::array<Code, 12> dcCodes = DcCodes();
    const Code endOfBlock{0, 1};
    BitWriter bits(out);
    std::array<int, kComponents> previous{};
    for (int y = 0; y < kScreenshotHeight; y += kTile) {
        for (int x = 0; x < kScreenshotWidth; x += kTile) {
            std::array<int, kComponents> values = YCbCr(ScreenshotPixel(x, y));
            for (int c = 0; c < kComponents; ++c) {
                // A flat tile's DC coefficient is 8 x (value - 128); the
                // quantizer 8 leaves value - 128.
                int dc = (values[c] - 128) * 8 / kQuantizer;
                int difference = dc - previous[c];
                previous[c] = dc;
                int category = Category(difference);
                bits.Put(dcCodes[category].bits, dcCodes[category].length);
                if (category > 0) {
                    int raw = difference > 0 ? difference : difference + (1 << category) - 1;
                    bits.Put(static_cast<std::uint32_t>(raw), category);
                }
                bits.Put(endOfBlock.bits, endOfBlock.length);
            }
        }
    }
    bits.Finish();
    PutWord(out, 0xFFD9);
    return out;
}

}  // namespace fw::gamesim
