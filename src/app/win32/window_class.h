#pragma once
// One window procedure for every window class of the program: it finds the
// C++ object of a window (stored at WM_NCCREATE), passes the message on and
// makes sure no exception crosses back into Windows. The same holds for the
// subclassed standard controls.
#include <windows.h>

// After windows.h, which it builds on.
#include <commctrl.h>

#include <string>

namespace fw::win32 {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Destroys a window that is still there; its object goes with it.
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

    // Registers a class served by the shared window procedure; registering
    // twice is harmless.
    static void RegisterClass(const wchar_t* name, HCURSOR cursor, UINT style = 0);

protected:
    // Creates the window of a registered class; throws when it cannot.
    void CreateOfClass(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* title,
                       const RECT& bounds, HWND parent, int id);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // What the user was doing with this window, for error reports.
    virtual std::string Describe() const = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// A standard control whose messages pass through a C++ object first.
class SubclassedControl {
public:
    SubclassedControl() = default;
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;
    virtual ~SubclassedControl();

    HWND hwnd() const { return hwnd_; }
    // The object a control was attached to, or null.
    static SubclassedControl* FromHandle(HWND control);

protected:
    void Attach(HWND control);
    virtual LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) {
        return Default(message, wParam, lParam);
    }
    virtual std::string Describe() const = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefSubclassProc(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);

    HWND hwnd_ = nullptr;
};

// Where a window of `size` stands centred on the desktop's work area.
RECT CentredOnWorkArea(SIZE size);

}  // namespace fw::win32
