#include "app/win32/window_class.h"

#include <stdexcept>
#include <utility>

#include "app/win32/error_report.h"

namespace fw::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x4657;  // one subclass of ours per control
// Where a control keeps its object; GetWindowSubclass is not exported by name.
constexpr wchar_t kObjectProperty[] = L"Framewright.Control";

std::string MessageContext(const std::string& object, UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
            return "handling a control of " + object;
        case WM_PAINT:
        case WM_DRAWITEM:
        case WM_PRINTCLIENT:
        case WM_ERASEBKGND:
            return "painting " + object;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
            return "handling the mouse over " + object;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            return "handling the keyboard in " + object;
        case WM_CREATE:
        case WM_NCCREATE:
            return "creating " + object;
        case WM_CLOSE:
        case WM_DESTROY:
            return "closing " + object;
        default:
            return "handling " + object;
    }
}

}  // namespace

Window::~Window() {
    if (hwnd_ != nullptr) {
        // Detach first: the destruction messages must not reach a half-destroyed object.
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(std::exchange(hwnd_, nullptr));
    }
}

void Window::RegisterClass(const wchar_t* name, HCURSOR cursor, UINT style) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = &Window::Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = cursor;
    windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = name;
    if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("A window class could not be registered.");
    }
}

void Window::CreateOfClass(const wchar_t* className, DWORD exStyle, DWORD style,
                           const wchar_t* title, const RECT& bounds, HWND parent, int id) {
    const HMENU menu =
        (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    const HWND created = ::CreateWindowExW(
        exStyle, className, title, style, bounds.left, bounds.top, bounds.right - bounds.left,
        bounds.bottom - bounds.top, parent, menu, ::GetModuleHandleW(nullptr), this);
    if (created == nullptr) {
        throw std::runtime_error("A window could not be created.");
    }
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    const LRESULT result = GuardedCall(
        [&] { return MessageContext(self->Describe(), message); },
        [&] { return self->HandleMessage(message, wParam, lParam); },
        message == WM_NCCREATE ? ::DefWindowProcW(window, message, wParam, lParam) : LRESULT{0});
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

SubclassedControl::~SubclassedControl() {
    if (hwnd_ != nullptr) {
        ::RemoveWindowSubclass(hwnd_, &SubclassedControl::Procedure, kSubclassId);
        ::RemovePropW(hwnd_, kObjectProperty);
    }
}

SubclassedControl* SubclassedControl::FromHandle(HWND control) {
    return control != nullptr
               ? static_cast<SubclassedControl*>(::GetPropW(control, kObjectProperty))
               : nullptr;
}

void SubclassedControl::Attach(HWND control) {
    if (control == nullptr) {
        throw std::runtime_error("A control could not be created.");
    }
    hwnd_ = control;
    ::SetPropW(control, kObjectProperty, this);
    ::SetWindowSubclass(control, &SubclassedControl::Procedure, kSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK SubclassedControl::Procedure(HWND control, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR selfData) {
    auto* self = reinterpret_cast<SubclassedControl*>(selfData);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, &SubclassedControl::Procedure, kSubclassId);
        ::RemovePropW(control, kObjectProperty);
        self->hwnd_ = nullptr;
        return ::DefSubclassProc(control, message, wParam, lParam);
    }
    return GuardedCall([&] { return MessageContext(self->Describe(), message); },
                       [&] { return self->HandleSubclassed(message, wParam, lParam); }, LRESULT{0});
}

RECT CentredOnWorkArea(SIZE size) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - size.cx) / 2;
    const int top = work.top + (work.bottom - work.top - size.cy) / 2;
    return RECT{left, top, left + size.cx, top + size.cy};
}

}  // namespace fw::win32
