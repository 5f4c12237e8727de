#pragma once
// What the main window's model asks of the real window.
#include "bench/run_state.h"

namespace fw {

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // The about box, shown and painted at once; closed by HideSplash.
    virtual void ShowSplash() = 0;
    // The splash's wait is idle time: the window builds its hidden parts then.
    virtual void PrepareWhileSplashShows() = 0;
    virtual void HideSplash() = 0;
    virtual void Minimize() = 0;
    // Ends the program at once, without the close events.
    virtual void EndProgram() = 0;
    // Lets the borderless window follow the mouse, as a caption drag does.
    virtual void BeginWindowDrag() = 0;
    // The display mode picker, modal; returns when it closes.
    virtual void ShowPickerModal() = 0;
    virtual void Repaint() = 0;
    virtual WindowBounds NormalBounds() = 0;
    virtual void SetNormalBounds(const WindowBounds& bounds) = 0;
    // The news window, without blocking the main window.
    virtual void ShowNews() = 0;
};

}  // namespace fw
