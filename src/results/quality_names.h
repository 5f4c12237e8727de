#pragma once
// The quality preset's name as the report and the screenshot descriptions show it.
#include <string_view>

namespace fw {

// "Low", "Medium", "High" or "Very High (with tweaks)" for quality 1..4; empty
// for any other level.
std::string_view QualityName(int qualityLevel);

}  // namespace fw
