#pragma once
// What the news window shows and what it does next: the maker's page in the
// system's browser control where Windows has a usable one, otherwise the
// page's text and links fetched in the background. The window reports what
// happened (the engine test, the browser's events, the fetch) and carries out
// the step it is given; the choices themselves live here, free of Windows.
#include <string>
#include <string_view>
#include <utility>

namespace fw {

enum class NewsStep {
    None,
    TestEngine,   // find out in the background whether the HTML engine can be used
    Navigate,     // host the browser (made if need be) and send it to the news page
    FetchText,    // fetch the page in the background for the readable rendering
    ShowBrowser,  // the browser holds the page: show it in place of the text
    ShowText,     // the fetched text (or why there is none) is ready to show
};

// Where a navigation inside the browser may go.
enum class NewsNavigation {
    Stay,         // the news page itself, a part of it, or something it loads
    OpenOutside,  // a link the user followed: it opens in the user's own browser
};

class NewsDisplay {
public:
    explicit NewsDisplay(std::string address) : address_(std::move(address)) {}

    const std::string& Address() const { return address_; }
    bool BrowserShown() const { return state_ == State::ShowingBrowser; }

    // The window is shown (again). Nothing new starts while a load is under way.
    NewsStep Open();
    // The outcome of TestEngine.
    NewsStep EngineTested(bool usable);
    // The browser could not be made, placed or told to navigate; the engine
    // is not tried again while the program runs.
    NewsStep BrowserFailed();
    // The browser reported an error for the news page itself.
    NewsStep NavigationFailed();
    // The browser finished loading the news page.
    NewsStep PageComplete();
    // The background fetch ended (with the page or without).
    NewsStep TextFetched();

    // A navigation of the browser's top frame to `address`. Until the news
    // page has loaded everything stays (redirects lead there); afterwards
    // only the page and its own anchors stay inside the small window.
    NewsNavigation Navigating(std::string_view address) const;

private:
    enum class State { Idle, TestingEngine, Navigating, Fetching, ShowingBrowser, ShowingText };
    enum class Engine { Unknown, Usable, Unusable };

    NewsStep StartFetch();

    std::string address_;
    State state_ = State::Idle;
    Engine engine_ = Engine::Unknown;
};

}  // namespace fw
