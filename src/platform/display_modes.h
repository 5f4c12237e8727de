#pragma once
#include <optional>

namespace fw {

struct DisplayMode {
    int width = 0;
    int height = 0;
};

class DisplayModes {
public:
    virtual ~DisplayModes() = default;
    // Mode number n of the primary display, or nothing when there is no mode n.
    virtual std::optional<DisplayMode> ModeAt(int n) = 0;
};

}  // namespace fw
