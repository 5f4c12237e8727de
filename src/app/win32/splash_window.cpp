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
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = theme_.Scale(kWidth);
    const int height = theme_.Scale(kHeight);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    CreateOfClass(kSplashClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, L"About Framewright",
                  RECT{left, top, left + width, top + height}, nullptr, 0);
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(hwnd());
    ::GdiFlush();
}

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintScope paint(hwnd());
            RECT client{};
            ::GetClientRect(hwnd(), &client);
            BufferedDraw buffer(paint.Get(), client);
            PaintSplashPicture(buffer.Get(), client, theme_);
            return 0;
        }
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace fw::win32
