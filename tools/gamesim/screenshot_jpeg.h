#pragma once
// The picture the stand-in saves as its screenshot: a small landscape drawn in
// flat 8 x 8 tiles and encoded as a baseline JPEG by this file's own encoder.
#include <string>
#include <string_view>

namespace fw::gamesim {

inline constexpr int kScreenshotWidth = 160;
inline constexpr int kScreenshotHeight = 120;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The colour of the tile that holds the pixel (x, y).
Rgb ScreenshotPixel(int x, int y);

// The JPEG file's bytes; `comment` goes into a comment segment so that the
// screenshots of different resolutions can be told apart.
std::string ScreenshotJpeg(std::string_view comment);

}  // namespace fw::gamesim
