#include "app/win32/splash_window.h"

#include "app/win32/gdi.h"
#include "app/win32/pictures.h"
#include "app/win32/theme.h"

namespace fw::win32 {

namespace {

constexpr wchar_t kSplashClass[] = L"FramewrightSplash";
constexpr int kWidth = 733;
constexpr int kHeight = 443;

}  // namespace

void SplashWindow::RegisterClass() {
    Window::RegisterClass(kSplashClass, ::LoadCursorW(nullptr, IDC_APPSTARTING));
}

void SplashWindow::Show() {
    CreateOfClass(kSplashClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, L"About Framewright",
                  CentredOnWorkArea(SIZE{theme_.Scale(kWidth), theme_.Scale(kHeight)}), nullptr, 0);
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(hwnd());
    ::GdiFlush();
}

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            BufferedClientPaint paint(hwnd());
            PaintSplashPicture(paint.Get(), paint.Client(), theme_);
            return 0;
        }
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace fw::win32
