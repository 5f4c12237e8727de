#pragma once
// Hands work from background threads to the user-interface thread through a
// hidden message-only window. Background threads only ever post.
#include <windows.h>

#include <functional>
#include <string>

namespace fw::win32 {

class UiDispatcher {
public:
    // Must be created and destroyed on the user-interface thread. Whoever posts
    // from another thread must stop doing so before the dispatcher goes.
    UiDispatcher();
    ~UiDispatcher();
    UiDispatcher(const UiDispatcher&) = delete;
    UiDispatcher& operator=(const UiDispatcher&) = delete;

    // Thread-safe: runs `work` on the user-interface thread, in posting order.
    // Work still waiting when the dispatcher goes is dropped without running.
    void Post(std::function<void()> work);

    // Told about an exception that escaped posted work, so that none crosses the
    // window procedure; the work posted after it still runs. Without a reporter
    // the error is shown in a plain message box.
    void SetErrorReporter(std::function<void(const std::string& message)> reporter);

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void RunPosted(std::function<void()>& work);

    HWND window_ = nullptr;
    std::function<void(const std::string&)> reporter_;
};

}  // namespace fw::win32
