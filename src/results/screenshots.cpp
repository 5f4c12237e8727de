#include "results/screenshots.h"

#include <charconv>
#include <cmath>

#include "common/number_format.h"
#include "results/quality_names.h"

namespace fw {
namespace {

// Shortest text that reads back as the same value, with a decimal point: the
// game reads its command line the same way on every system.
std::string PlainNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string EnabledText(bool on) {
    return on ? "Enabled" : "Disabled";
}

}  // namespace

std::string BuildScreenshotOption(double frameValue) {
    return " +demo_screenshot_frame " + PlainNumber(frameValue);
}

std::string FormatFrameText(double value, char thousandsMark) {
    if (!std::isfinite(value)) {
        return PlainNumber(value);
    }
    // Halves away from zero, as the display format rounds.
    const double whole = std::round(std::fabs(value));
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    const std::string grouped =
        GroupDigits(std::string_view(buffer, result.ptr - buffer), thousandsMark);
    if (value < 0 && whole != 0) {
        return "(" + grouped + ")";
    }
    return grouped;
}

std::string ScreenshotFileStem(const std::string& screenShotsPath, const std::string& frameText,
                               const std::string& timestamp, const std::string& suffix) {
    return screenShotsPath + "frame" + frameText + "_" + timestamp + suffix;
}

std::vector<std::string> WriteScreenshotDescription(const DescriptionValues& v) {
    std::vector<std::string> lines = {
        "Resolution: " + v.sizeText,
        "Frame: " + v.frameText,
        "Renderer: " + v.rendererTitle,
        // A custom demo's name already carries ".tmd"; it then stands twice.
        "Demo: " + v.demoName + ".tmd",
    };
    if (v.mode == BenchMode::Vga) {
        const std::string_view quality = QualityName(v.qualityLevel);
        if (!quality.empty()) {
            lines.push_back("Quality: " + std::string(quality));
        }
        lines.push_back("Renderer mode: " + v.rendererTitle);
        lines.push_back("Antialising: " + v.aaText);
        lines.push_back("Filtering: " + v.afText);
        lines.push_back("MultiGPU support: " + EnabledText(v.multiGpu));
        lines.push_back("Boost renderer: " + EnabledText(v.boost));
    }
    lines.push_back(std::string("Use Custom Config File: ") + (v.customConfig ? "Yes" : "No"));
    if (!v.note.empty()) {
        lines.push_back("Note: " + v.note);
    }
    return lines;
}

}  // namespace fw
