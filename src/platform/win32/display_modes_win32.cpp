#include "platform/win32/display_modes_win32.h"

#include <windows.h>

namespace fw::win32 {

std::optional<DisplayMode> Win32DisplayModes::ModeAt(int n) {
    // Negative numbers are the API's special requests (current and registry
    // settings), not modes of the list.
    if (n < 0) {
        return std::nullopt;
    }
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!::EnumDisplaySettingsW(nullptr, static_cast<DWORD>(n), &mode)) {
        return std::nullopt;
    }
    return DisplayMode{static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)};
}

}  // namespace fw::win32
