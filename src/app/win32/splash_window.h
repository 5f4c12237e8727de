#pragma once
// The about box shown while the program starts: borderless, on top, centred
// on the screen, filled by the program's picture.
#include <windows.h>

#include <string>

#include "app/win32/window_class.h"

namespace fw::win32 {

class Theme;

class SplashWindow : public Window {
public:
    explicit SplashWindow(const Theme& theme) : theme_(theme) {}
    // Shows the window and paints it before returning: the program blocks
    // right after this, so nothing would paint it later.
    void Show();

    static void RegisterClass();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override { return "the about box"; }

private:
    const Theme& theme_;
};

}  // namespace fw::win32
