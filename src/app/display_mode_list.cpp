#include "app/display_mode_list.h"

#include <algorithm>

namespace fw {

std::vector<std::string> ListDisplayModes(DisplayModes& modes) {
    std::vector<std::string> list;
    for (int n = 0;; ++n) {
        auto mode = modes.ModeAt(n);
        if (!mode) {
            break;
        }
        std::string text = std::to_string(mode->width) + " x " + std::to_string(mode->height);
        if (std::find(list.begin(), list.end(), text) == list.end()) {
            list.push_back(std::move(text));
        }
    }
    return list;
}

std::string JoinModeText(const std::vector<std::string>& modes) {
    std::string joined;
    for (const auto& mode : modes) {
        joined += mode;
        joined += "\r\n";
    }
    return joined;
}

}  // namespace fw
