#pragma once
// Plays the user of a modal dialog from a second thread: waits for the window
// with the given title, notes the texts it shows, then acts on it.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace fw::check {

class DialogCloser {
public:
    DialogCloser(std::wstring title, std::function<void(HWND dialog)> act);
    ~DialogCloser();
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;

    // After the dialog returned: whether it appeared, and every text on it.
    bool Found();
    std::wstring Texts();

private:
    std::thread thread_;
    bool found_ = false;
    std::wstring texts_;
};

// The first child window of `kind` (a window class) whose text is `text`,
// or of any text when `text` is empty.
HWND FindChild(HWND parent, const std::wstring& kind, const std::wstring& text = L"");

}  // namespace fw::check
