#include "app/win32/panel.h"

#include "app/win32/drawing.h"
#include "app/win32/gdi.h"
#include "app/win32/theme.h"

namespace fw::win32 {

namespace {

constexpr wchar_t kPanelClass[] = L"FramewrightPanel";

}  // namespace

void Panel::RegisterClass() {
    Window::RegisterClass(kPanelClass, ::LoadCursorW(nullptr, IDC_ARROW));
}

void Panel::Create(HWND parent, int id, const RECT& bounds, PanelStyle style) {
    style_ = std::move(style);
    // Tab moves into the panel's controls; siblings never paint over each other.
    CreateOfClass(kPanelClass, WS_EX_CONTROLPARENT,
                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, L"", bounds, parent,
                  id);
}

COLORREF Panel::BackgroundOf(HWND window) {
    wchar_t className[64] = {};
    if (window != nullptr && ::GetClassNameW(window, className, 64) > 0 &&
        lstrcmpW(className, kPanelClass) == 0) {
        if (auto* panel = reinterpret_cast<Panel*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) {
            return panel->Background();
        }
    }
    return colours::kBlack;
}

void Panel::WatchLeave(std::function<void()> onLeave) {
    watch_ = std::make_unique<GroupLeaveWatch>(hwnd(), std::move(onLeave));
}

void Panel::Refresh() {
    picture_.Clear();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

int Panel::CaptionHeight() const {
    return style_.groupFrame ? MeasureText(theme_.Normal(), "Ag").cy + theme_.Scale(4) : 0;
}

void Panel::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    if (style_.painter && style_.cachePainter) {
        picture_.Paint(dc, SIZE{client.right, client.bottom}, style_.painter);
    } else if (style_.painter) {
        style_.painter(dc, client);
    } else {
        FillSolid(dc, client, style_.background);
    }
    if (!style_.groupFrame) {
        return;
    }
    const SIZE text = MeasureText(theme_.Normal(), style_.caption.empty() ? "Ag" : style_.caption);
    RECT frame = client;
    frame.top += text.cy / 2;
    {
        ScopedSelect pen(dc, theme_.PenOf(colours::kFrame));
        ScopedSelect brush(dc, ::GetStockObject(NULL_BRUSH));
        const int round = theme_.Scale(6);
        ::RoundRect(dc, frame.left, frame.top, frame.right, frame.bottom, round, round);
    }
    const int left = theme_.Scale(8);
    if (style_.caption.empty() && style_.headingWidth > 0) {
        FillSolid(dc, RECT{left, 0, left + theme_.Scale(style_.headingWidth), text.cy},
                  style_.background);
    }
    if (!style_.caption.empty()) {
        RECT behind{left, 0, left + text.cx, text.cy};
        FillSolid(dc, behind, style_.background);
        DrawTextIn(dc, style_.caption, behind, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX,
                   theme_.Normal(),
                   ::IsWindowEnabled(hwnd()) ? colours::kSilver : colours::kDisabledText);
    }
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT routed = 0;
    if (RouteToControl(message, wParam, lParam, routed)) {
        return routed;
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintScope paint(hwnd());
            BufferedDraw buffer(paint.Get(), paint.Dirty());
            Paint(buffer.Get());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ENABLE:
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            break;
        case WM_MOUSEMOVE:
            if (watch_ && !tracking_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
                tracking_ = ::TrackMouseEvent(&track) != FALSE;
            }
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (watch_) {
                watch_->PartLeft();
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (OnMouseDown) {
                OnMouseDown(message, POINT{static_cast<short>(LOWORD(lParam)),
                                           static_cast<short>(HIWORD(lParam))});
            }
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace fw::win32
