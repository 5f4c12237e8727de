#pragma once
// The hints of the window's controls, shown by one tooltip control.
#include <windows.h>

// After windows.h, which it builds on.
#include <commctrl.h>

#include <string>

namespace fw::win32 {

class Tooltips {
public:
    Tooltips() = default;
    ~Tooltips();
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;

    void Create(HWND owner);
    HWND hwnd() const { return tip_; }
    // Shows `text` while the pointer rests on `control`, also while the control
    // is disabled (a disabled button tells why it cannot be pressed). Empty
    // text removes the hint.
    void SetHint(HWND control, const std::string& text);

private:
    TOOLINFOW ToolFor(HWND control, bool onParent) const;

    HWND tip_ = nullptr;
};

}  // namespace fw::win32
