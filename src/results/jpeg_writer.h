#pragma once
// The chart image of the report: the bitmap the chart was drawn into, written
// as a baseline colour JPEG.
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "results/bitmap_file.h"

namespace fw {

inline constexpr int kChartJpegQuality = 90;

// A baseline (not progressive) JPEG with three YCbCr components; nothing when
// the image is not sound or the encoder fails.
std::optional<std::string> EncodeJpeg(const RgbImage& image, int quality);

// Reads the bitmap file and writes it as a JPEG of quality 90; true when the
// JPEG file was written.
bool ConvertBitmapToJpeg(FileSystem& files, const std::string& bmpPath,
                         const std::string& jpegPath);

}  // namespace fw
