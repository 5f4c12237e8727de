#pragma once
// Hands work from background threads to the user-interface thread through a
// hidden message-only window. Background threads only ever post.
#include <windows.h>

#include <functional>

namespace fw::win32 {

class UiDispatcher {
public:
    // Must be created on the user-interface thread.
    UiDispatcher();
    ~UiDispatcher();
    UiDispatcher(const UiDispatcher&) = delete;
    UiDispatcher& operator=(const UiDispatcher&) = delete;

    // Thread-safe: runs `work` on the user-interface thread, in posting order.
    void Post(std::function<void()> work);

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
};

}  // namespace fw::win32
