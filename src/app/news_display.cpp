#include "app/news_display.h"

#include "common/text.h"

namespace fw {

namespace {

// The address without its "#anchor": jumps within the page stay in it.
std::string_view WithoutAnchor(std::string_view address) {
    return address.substr(0, address.find('#'));
}

}  // namespace

NewsStep NewsDisplay::Open() {
    switch (state_) {
        case State::TestingEngine:
        case State::Navigating:
        case State::Fetching:
            return NewsStep::None;
        case State::Idle:
        case State::ShowingBrowser:
        case State::ShowingText:
            break;
    }
    switch (engine_) {
        case Engine::Unknown:
            state_ = State::TestingEngine;
            return NewsStep::TestEngine;
        case Engine::Usable:
            state_ = State::Navigating;
            return NewsStep::Navigate;
        case Engine::Unusable:
            break;
    }
    return StartFetch();
}

NewsStep NewsDisplay::EngineTested(bool usable) {
    if (state_ != State::TestingEngine) {
        return NewsStep::None;
    }
    engine_ = usable ? Engine::Usable : Engine::Unusable;
    if (usable) {
        state_ = State::Navigating;
        return NewsStep::Navigate;
    }
    return StartFetch();
}

NewsStep NewsDisplay::BrowserFailed() {
    engine_ = Engine::Unusable;
    if (state_ == State::Navigating || state_ == State::ShowingBrowser) {
        return StartFetch();
    }
    return NewsStep::None;
}

NewsStep NewsDisplay::NavigationFailed() {
    // The engine stays usable: the next showing tries the browser again.
    if (state_ == State::Navigating) {
        return StartFetch();
    }
    return NewsStep::None;
}

NewsStep NewsDisplay::PageComplete() {
    if (state_ != State::Navigating) {
        return NewsStep::None;
    }
    state_ = State::ShowingBrowser;
    return NewsStep::ShowBrowser;
}

NewsStep NewsDisplay::TextFetched() {
    if (state_ != State::Fetching) {
        return NewsStep::None;
    }
    state_ = State::ShowingText;
    return NewsStep::ShowText;
}

NewsNavigation NewsDisplay::Navigating(std::string_view address) const {
    if (state_ != State::ShowingBrowser) {
        return NewsNavigation::Stay;
    }
    if (EqualsIgnoreCase(WithoutAnchor(address), WithoutAnchor(address_))) {
        return NewsNavigation::Stay;
    }
    return NewsNavigation::OpenOutside;
}

NewsStep NewsDisplay::StartFetch() {
    state_ = State::Fetching;
    return NewsStep::FetchText;
}

}  // namespace fw
