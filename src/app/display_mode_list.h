#pragma once
// The display modes of the primary display as "W x H" texts.
#include <string>
#include <vector>

#include "platform/display_modes.h"

namespace fw {

// One entry per distinct width and height, in the platform's order.
std::vector<std::string> ListDisplayModes(DisplayModes& modes);

// The entries joined, each followed by a line break: the text in which the
// availability test looks for a mode text anywhere.
std::string JoinModeText(const std::vector<std::string>& modes);

}  // namespace fw
