#pragma once
// The news window TForm5: the maker's news page, fetched in the background and
// shown as readable text with its links, since no browser control is taken for
// granted. It is made once and only hidden when the user closes it.
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/win32/window_class.h"

namespace fw::win32 {

class Theme;

class NewsWindow : public Window {
public:
    explicit NewsWindow(const Theme& theme) : theme_(theme) {}
    // Stops a fetch still running before the window goes.
    ~NewsWindow() override;

    // Creates the window, hidden, centred on the desktop.
    void Create();
    // Starts loading the news page (unless a load is under way) and shows the
    // window without taking the focus from the main window.
    void ShowPage();

    static void RegisterClass();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override { return "the news window"; }

private:
    void ShowLoaded();
    void SetContent(const std::wstring& text, const std::wstring& links);
    void Layout();

    const Theme& theme_;
    HWND text_ = nullptr;
    HWND links_ = nullptr;
    int linkLines_ = 0;
    bool loading_ = false;
    std::mutex mutex_;
    std::optional<std::string> body_;  // the page, or nothing when it could not be had
    // Last, so that it stops before anything it posts to goes.
    std::jthread fetch_;
};

}  // namespace fw::win32
