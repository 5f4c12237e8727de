#include "app/win32/progress_ring.h"

#include <algorithm>
#include <cmath>

#include "app/win32/drawing.h"
#include "app/win32/gdi.h"
#include "app/win32/pixel_canvas.h"
#include "app/win32/theme.h"

namespace fw::win32 {

namespace {

constexpr wchar_t kRingClass[] = L"FramewrightProgressRing";
constexpr UINT_PTR kTurnTimer = 1;
constexpr UINT kTurnMilliseconds = 80;

}  // namespace

void ProgressRing::RegisterClass() {
    Window::RegisterClass(kRingClass, ::LoadCursorW(nullptr, IDC_ARROW));
}

void ProgressRing::Create(HWND parent, const RECT& bounds) {
    CreateOfClass(kRingClass, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"", bounds, parent, 0);
}

void ProgressRing::SetRunning(bool running) {
    if (running == running_ || hwnd() == nullptr) {
        return;
    }
    running_ = running;
    if (running) {
        // The panel behind may have changed since the last run.
        for (CachedPicture& picture : steps_) {
            picture.Clear();
        }
        ::SetTimer(hwnd(), kTurnTimer, kTurnMilliseconds, nullptr);
    } else {
        ::KillTimer(hwnd(), kTurnTimer);
    }
}

void ProgressRing::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int step = step_;
    steps_[step].Paint(
        dc, SIZE{client.right, client.bottom},
        [this, step](HDC target, const RECT& area) { PaintStep(target, area, step); });
}

void ProgressRing::PaintStep(HDC dc, const RECT& client, int step) {
    PaintParentBackground(hwnd(), dc);
    PixelCanvas canvas(client.right, client.bottom);
    const double size = std::min(client.right, client.bottom);
    const double c = size / 2.0;
    const double radius = size * 0.38;
    const double dot = size * 0.075;
    for (int i = 0; i < kDots; ++i) {
        const double angle = 2 * 3.14159265358979 * i / kDots - 3.14159265358979 / 2;
        // Dots behind the head fade out, as a trail.
        const int age = (step - i + kDots) % kDots;
        const double strength = 1.0 - static_cast<double>(age) / kDots;
        const Rgb colour = Mix(ToRgb(colours::kFrame), ToRgb(colours::kHighlight), strength);
        canvas.FillCircle(c + std::cos(angle) * radius, c + std::sin(angle) * radius,
                          dot * (0.7 + 0.5 * strength), colour, 0.35 + 0.65 * strength);
    }
    DrawCanvas(dc, 0, 0, canvas);
}

LRESULT ProgressRing::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            BufferedClientPaint paint(hwnd());
            Paint(paint.Get());
            return 0;
        }
        case WM_TIMER:
            if (wParam == kTurnTimer) {
                step_ = (step_ + 1) % kDots;
                ::InvalidateRect(hwnd(), nullptr, FALSE);
            }
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), kTurnTimer);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace fw::win32
