#include "app/news_display.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace fw {

// Names the steps in failure messages.
void PrintTo(NewsStep step, std::ostream* out) {
    constexpr const char* kNames[] = {"None",      "TestEngine",  "Navigate",
                                      "FetchText", "ShowBrowser", "ShowText"};
    *out << kNames[static_cast<int>(step)];
}

namespace {

constexpr char kAddress[] = "https://www.brimvale.example/benchmarks/news.html";

// What the window reports, in the order it happens.
enum class Event {
    Open,
    EngineUsable,
    EngineMissing,
    BrowserFailed,
    NavigationFailed,
    PageComplete,
    TextFetched,
};

NewsStep Report(NewsDisplay& display, Event event) {
    switch (event) {
        case Event::Open:
            return display.Open();
        case Event::EngineUsable:
            return display.EngineTested(true);
        case Event::EngineMissing:
            return display.EngineTested(false);
        case Event::BrowserFailed:
            return display.BrowserFailed();
        case Event::NavigationFailed:
            return display.NavigationFailed();
        case Event::PageComplete:
            return display.PageComplete();
        case Event::TextFetched:
            return display.TextFetched();
    }
    return NewsStep::None;
}

TEST(NewsDisplay, EachEventLeadsToItsStep) {
    using E = Event;
    using S = NewsStep;
    struct Case {
        const char* name;
        std::vector<Event> events;
        std::vector<NewsStep> steps;  // one per event
        bool browserShown;
    };
    const std::vector<Case> cases = {
        {"first showing tests the engine", {E::Open}, {S::TestEngine}, false},
        {"usable engine: the browser loads the page",
         {E::Open, E::EngineUsable, E::PageComplete},
         {S::TestEngine, S::Navigate, S::ShowBrowser},
         true},
        {"no engine: the text is fetched",
         {E::Open, E::EngineMissing, E::TextFetched},
         {S::TestEngine, S::FetchText, S::ShowText},
         false},
        {"browser cannot be hosted: the text is fetched",
         {E::Open, E::EngineUsable, E::BrowserFailed, E::TextFetched},
         {S::TestEngine, S::Navigate, S::FetchText, S::ShowText},
         false},
        {"navigation error: the text is fetched",
         {E::Open, E::EngineUsable, E::NavigationFailed, E::TextFetched},
         {S::TestEngine, S::Navigate, S::FetchText, S::ShowText},
         false},
        {"a late page after the error does not replace the text",
         {E::Open, E::EngineUsable, E::NavigationFailed, E::PageComplete, E::TextFetched},
         {S::TestEngine, S::Navigate, S::FetchText, S::None, S::ShowText},
         false},
        {"showing again while a load runs starts nothing",
         {E::Open, E::Open, E::EngineUsable, E::Open, E::PageComplete},
         {S::TestEngine, S::None, S::Navigate, S::None, S::ShowBrowser},
         true},
        {"showing again after the browser worked navigates without a new test",
         {E::Open, E::EngineUsable, E::PageComplete, E::Open},
         {S::TestEngine, S::Navigate, S::ShowBrowser, S::Navigate},
         false},
        {"showing again after a navigation error tries the browser again",
         {E::Open, E::EngineUsable, E::NavigationFailed, E::TextFetched, E::Open},
         {S::TestEngine, S::Navigate, S::FetchText, S::ShowText, S::Navigate},
         false},
        {"showing again after a hosting failure fetches at once",
         {E::Open, E::EngineUsable, E::BrowserFailed, E::TextFetched, E::Open},
         {S::TestEngine, S::Navigate, S::FetchText, S::ShowText, S::FetchText},
         false},
        {"showing again without an engine fetches at once",
         {E::Open, E::EngineMissing, E::TextFetched, E::Open, E::TextFetched},
         {S::TestEngine, S::FetchText, S::ShowText, S::FetchText, S::ShowText},
         false},
        {"a shown browser that fails falls back to the text",
         {E::Open, E::EngineUsable, E::PageComplete, E::BrowserFailed},
         {S::TestEngine, S::Navigate, S::ShowBrowser, S::FetchText},
         false},
        {"events out of turn change nothing",
         {E::PageComplete, E::TextFetched, E::NavigationFailed, E::EngineUsable, E::Open},
         {S::None, S::None, S::None, S::None, S::TestEngine},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewsDisplay display(kAddress);
        std::vector<NewsStep> steps;
        for (Event event : c.events) {
            steps.push_back(Report(display, event));
        }
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(display.BrowserShown(), c.browserShown);
    }
}

TEST(NewsDisplay, FollowedLinksOpenOutsideOnceThePageIsShown) {
    struct Case {
        std::string address;
        NewsNavigation whileLoading;
        NewsNavigation whenShown;
    };
    const std::vector<Case> cases = {
        {kAddress, NewsNavigation::Stay, NewsNavigation::Stay},
        {std::string(kAddress) + "#older", NewsNavigation::Stay, NewsNavigation::Stay},
        {"HTTPS://WWW.BRIMVALE.EXAMPLE/benchmarks/news.html", NewsNavigation::Stay,
         NewsNavigation::Stay},
        {"https://www.brimvale.example/dl", NewsNavigation::Stay, NewsNavigation::OpenOutside},
        {"https://www.brimvale.example/benchmarks/news.html?page=2", NewsNavigation::Stay,
         NewsNavigation::OpenOutside},
        {"http://elsewhere.example/", NewsNavigation::Stay, NewsNavigation::OpenOutside},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        NewsDisplay display(kAddress);
        display.Open();
        display.EngineTested(true);
        EXPECT_EQ(display.Navigating(c.address), c.whileLoading);
        display.PageComplete();
        EXPECT_EQ(display.Navigating(c.address), c.whenShown);
    }
}

}  // namespace
}  // namespace fw
