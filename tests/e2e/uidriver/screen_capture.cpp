#include "screen_capture.h"

#include <algorithm>

#include "session.h"
#include "win_handles.h"

namespace fw::uidriver {

Pixels CaptureScreen(RECT area) {
    area.left = std::max<LONG>(area.left, 0);
    area.top = std::max<LONG>(area.top, 0);
    area.right = std::min<LONG>(area.right, GetSystemMetrics(SM_CXSCREEN));
    area.bottom = std::min<LONG>(area.bottom, GetSystemMetrics(SM_CYSCREEN));
    Pixels pixels;
    pixels.width = area.right - area.left;
    pixels.height = area.bottom - area.top;
    if (pixels.width <= 0 || pixels.height <= 0) {
        throw CommandError(L"the window is not on the screen");
    }
    WindowDc screen(nullptr);
    MemoryDc memory(screen.get());
    Bitmap bitmap(CreateCompatibleBitmap(screen.get(), pixels.width, pixels.height));
    if (screen.get() == nullptr || memory.get() == nullptr || bitmap.get() == nullptr) {
        throw CommandError(L"no device context for the screen");
    }
    {
        Selection selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, pixels.width, pixels.height, screen.get(), area.left,
                    area.top, SRCCOPY | CAPTUREBLT)) {
            throw CommandError(L"the screen could not be copied");
        }
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = pixels.height;  // positive: bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(pixels.width) * 3 + 3) & ~size_t{3};
    pixels.rows.resize(stride * static_cast<size_t>(pixels.height));
    if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(pixels.height),
                  pixels.rows.data(), &info, DIB_RGB_COLORS) == 0) {
        throw CommandError(L"the screen copy could not be read");
    }
    return pixels;
}

}  // namespace fw::uidriver
