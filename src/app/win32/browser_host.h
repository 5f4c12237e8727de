#pragma once
// The system's WebBrowser control hosted in a child window: a small OLE
// container of our own (client site, in-place site and frame, host UI
// handler) and a listener to the browser's events.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace fw::win32 {

class BrowserHost {
public:
    // Called on the window's thread while the browser works; none of them
    // may destroy the host (post a message to act on them).
    struct Events {
        std::function<void()> pageComplete;      // the top frame finished loading
        std::function<void()> navigationFailed;  // the top frame could not be loaded
        // A navigation of the top frame: false keeps the browser where it is.
        std::function<bool(const std::wstring& address)> mayStay;
        // A link that leaves the news page, or a page asking for a new
        // window: it belongs in the user's own browser.
        std::function<void(const std::wstring& address)> openOutside;
    };

    // The control, in place in `pane` and filling it; nothing when the
    // control cannot be made or activated there.
    static std::unique_ptr<BrowserHost> Create(HWND pane, Events events);
    // Detaches from the control's events and closes it.
    ~BrowserHost();
    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;

    // Starts loading the page; false when the control refuses at once.
    bool Navigate(const std::wstring& address);

private:
    struct Parts;
    explicit BrowserHost(std::unique_ptr<Parts> parts);

    std::unique_ptr<Parts> parts_;
};

}  // namespace fw::win32
