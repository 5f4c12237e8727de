#include "results/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace fw {
namespace {

// libjpeg's own error exit ends the process; ours jumps back to the encoder,
// which gives up on the image instead.
struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf resume;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    std::longjmp(manager->resume, 1);
}

// Warnings would go to the console, which a window program does not have.
void IgnoreMessage(j_common_ptr) {}

// Everything between setjmp and a possible longjmp lives here, in plain C
// objects only, so that a jump skips no destructor. The output buffer belongs
// to the caller, who frees it with free() whatever the result.
bool CompressToMemory(const RgbImage& image, int quality, unsigned char** output,
                      unsigned long* outputSize) {
    jpeg_compress_struct info{};
    JumpingErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpOnError;
    errors.base.output_message = IgnoreMessage;
    if (setjmp(errors.resume) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, output, outputSize);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, JCS_YCbCr);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const JDIMENSION stride = info.image_width * 3;
    while (info.next_scanline < info.image_height) {
        // libjpeg's interface is not const-correct; it only reads the rows.
        auto* row = const_cast<JSAMPLE*>(image.rgb.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

std::optional<std::string> EncodeJpeg(const RgbImage& image, int quality) {
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxBitmapSide ||
        image.height > kMaxBitmapSide ||
        image.rgb.size() !=
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3 ||
        quality < 1 || quality > 100) {
        return std::nullopt;
    }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = CompressToMemory(image, quality, &buffer, &size);
    std::optional<std::string> bytes;
    if (ok && buffer != nullptr) {
        bytes.emplace(reinterpret_cast<const char*>(buffer), size);
    }
    std::free(buffer);
    return bytes;
}

bool ConvertBitmapToJpeg(FileSystem& files, const std::string& bmpPath,
                         const std::string& jpegPath) {
    const std::optional<std::string> bmp = files.ReadFile(bmpPath);
    if (!bmp) {
        return false;
    }
    const std::optional<RgbImage> image = DecodeBmp(*bmp);
    if (!image) {
        return false;
    }
    const std::optional<std::string> jpeg = EncodeJpeg(*image, kChartJpegQuality);
    return jpeg && files.WriteFileAtomic(jpegPath, *jpeg);
}

}  // namespace fw
