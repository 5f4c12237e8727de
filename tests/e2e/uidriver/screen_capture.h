#pragma once
// Pictures of what is on the screen, as 24-bit pixel rows.
#include <windows.h>

#include <vector>

namespace fw::uidriver {

struct Pixels {
    int width = 0;
    int height = 0;
    // Rows bottom-up, blue-green-red, each row padded to four bytes: the
    // layout of a 24-bit bitmap file.
    std::vector<unsigned char> rows;
};

// What the screen shows inside the rectangle (cut to the screen).
Pixels CaptureScreen(RECT area);

}  // namespace fw::uidriver
