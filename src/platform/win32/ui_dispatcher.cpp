#include "platform/win32/ui_dispatcher.h"

#include <memory>
#include <stdexcept>

#include "common/text.h"
#include "platform/win32/last_error.h"

namespace fw::win32 {

namespace {

constexpr UINT kWorkMessage = WM_APP + 1;
constexpr wchar_t kClassName[] = L"FramewrightUiDispatcher";

using Work = std::function<void()>;

void RegisterDispatcherClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("Cannot register the dispatcher window: " + LastErrorText());
    }
}

}  // namespace

UiDispatcher::UiDispatcher() {
    RegisterDispatcherClass(&UiDispatcher::WindowProc);
    window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ::GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("Cannot create the dispatcher window: " + LastErrorText());
    }
}

UiDispatcher::~UiDispatcher() {
    // Work already queued would be discarded with the window and its closure
    // leaked; take it out and free it without running it.
    MSG message;
    while (::PeekMessageW(&message, window_, kWorkMessage, kWorkMessage, PM_REMOVE)) {
        delete reinterpret_cast<Work*>(message.lParam);
    }
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
}

void UiDispatcher::Post(std::function<void()> work) {
    auto owned = std::make_unique<Work>(std::move(work));
    if (::PostMessageW(window_, kWorkMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) {
        owned.release();  // the window procedure owns it now
    }
}

void UiDispatcher::SetErrorReporter(std::function<void(const std::string& message)> reporter) {
    reporter_ = std::move(reporter);
}

void UiDispatcher::RunPosted(std::function<void()>& work) {
    std::string failure;
    try {
        work();
        return;
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "Unknown error";
    }
    if (reporter_) {
        try {
            reporter_(failure);
            return;
        } catch (...) {
            // A failing reporter still must not let the error reach Windows.
        }
    }
    ::MessageBoxW(nullptr, WideFromCp1252(failure).c_str(), L"Error", MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK UiDispatcher::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == kWorkMessage) {
        std::unique_ptr<Work> work(reinterpret_cast<Work*>(lParam));
        auto* self = reinterpret_cast<UiDispatcher*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && work && *work) {
            self->RunPosted(*work);
        }
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace fw::win32
