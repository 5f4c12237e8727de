#pragma once
// The news window TForm5: the maker's news page, in the system's browser
// control where Windows has a usable one, otherwise fetched in the
// background and shown as readable text with its links. It is made once and
// only hidden when the user closes it; it never holds up the main window.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "app/news_display.h"
#include "app/win32/window_class.h"

namespace fw::win32 {

class Theme;
class BrowserHost;

class NewsWindow : public Window {
public:
    explicit NewsWindow(const Theme& theme);
    // Closes the browser and stops the background work before the window goes.
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
    void Perform(NewsStep step);
    // Runs `job` on the background thread, after the previous job ended.
    void StartWork(std::function<void(std::stop_token)> job);
    bool StartBrowser();
    void ShowBrowser();
    void ShowFetchedText();
    void SetContent(const std::wstring& text, const std::wstring& links);
    void Layout();
    void KeepOnTop();

    const Theme& theme_;
    NewsDisplay display_;
    HWND text_ = nullptr;
    HWND links_ = nullptr;
    HWND pane_ = nullptr;  // holds the browser control, shown once its page is there
    int linkLines_ = 0;
    std::unique_ptr<BrowserHost> browser_;
    std::mutex mutex_;
    std::optional<std::string> body_;  // the page, or nothing when it could not be had
    // Last, so that it stops before anything it posts to goes.
    std::jthread work_;
};

}  // namespace fw::win32
