#pragma once
#include "platform/display_modes.h"

namespace fw::win32 {

// The modes the primary display's driver lists, in its order.
class Win32DisplayModes : public DisplayModes {
public:
    std::optional<DisplayMode> ModeAt(int n) override;
};

}  // namespace fw::win32
