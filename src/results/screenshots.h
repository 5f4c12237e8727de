#pragma once
// The screenshot of each resolution: the game's command-line fragment, the name
// it is kept under, and the text file that describes its settings.
#include <string>
#include <vector>

#include "bench/run_state.h"

namespace fw {

// " +demo_screenshot_frame " and the frame as a plain number for the game.
std::string BuildScreenshotOption(double frameValue);

// The frame as the frame field shows it (",0;(,0)"): a whole number with digit
// grouping, a negative one in parentheses.
std::string FormatFrameText(double value, char thousandsMark);

// Folder + "frame" + frame text + "_" + timestamp + suffix, without extension;
// the screenshot adds ".jpg", its description ".txt".
std::string ScreenshotFileStem(const std::string& screenShotsPath, const std::string& frameText,
                               const std::string& timestamp, const std::string& suffix);

struct DescriptionValues {
    std::string sizeText;  // the resolution's chart label, e.g. "800×600"
    std::string frameText;
    std::string rendererTitle;
    std::string demoName;
    BenchMode mode = BenchMode::Vga;
    int qualityLevel = 0;
    std::string aaText;
    std::string afText;
    bool multiGpu = false;
    bool boost = false;
    bool customConfig = false;
    std::string note;
};

// `DescriptionLines`, saved beside the screenshot with CR LF after each line.
std::vector<std::string> WriteScreenshotDescription(const DescriptionValues& values);

}  // namespace fw
