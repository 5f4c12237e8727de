#pragma once
// The circular progress indicator of the run panel: a ring of dots with a
// bright head going round while the panel is shown.
#include <windows.h>

#include <array>
#include <string>

#include "app/win32/drawing.h"
#include "app/win32/window_class.h"

namespace fw::win32 {

class Theme;

class ProgressRing : public Window {
public:
    explicit ProgressRing(const Theme& theme) : theme_(theme) {}
    void Create(HWND parent, const RECT& bounds);
    // Turning only while someone can see it.
    void SetRunning(bool running);

    static void RegisterClass();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override { return "the progress indicator"; }

private:
    static constexpr int kDots = 12;

    void Paint(HDC dc);
    void PaintStep(HDC dc, const RECT& client, int step);

    const Theme& theme_;
    // Each step's whole picture, the panel behind included, is drawn once per
    // run: a turn then costs one copy instead of a redraw of the panel.
    std::array<CachedPicture, kDots> steps_;
    int step_ = 0;
    bool running_ = false;
};

}  // namespace fw::win32
