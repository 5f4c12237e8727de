#include "app/win32/news_window.h"

#include <cstdlib>
#include <vector>

#include "app/news_text.h"
#include "app/win32/browser_host.h"
#include "app/win32/html_engine.h"
#include "app/win32/theme.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/winhttp_transport.h"
#include "update/update_address.h"

namespace fw::win32 {

namespace {

constexpr wchar_t kNewsClass[] = L"FramewrightNews";
constexpr wchar_t kCaption[] = L"Quernmark NEWS";
constexpr int kWidth = 520;
constexpr int kHeight = 500;
constexpr int kMargin = 8;
constexpr int kLinkLineHeight = 16;
constexpr int kMaxLinkLines = 10;
constexpr int kTextId = 1;
constexpr int kLinksId = 2;
constexpr int kPaneId = 3;
constexpr UINT kPageArrived = WM_APP + 1;
constexpr UINT kEngineTested = WM_APP + 2;  // wParam: whether the engine can be used
constexpr UINT kBrowserPageComplete = WM_APP + 3;
constexpr UINT kBrowserPageFailed = WM_APP + 4;
constexpr std::uint64_t kMaxPageBytes = 1024 * 1024;

// Tests serve the page from this machine; nothing else moves it.
constexpr char kNewsAddressVariable[] = "FRAMEWRIGHT_NEWS_URL";
constexpr char kDefaultNewsAddress[] = "https://www.brimvale.example/benchmarks/news.html";

constexpr wchar_t kLoadingText[] = L"Loading the news\x2026";
constexpr wchar_t kFailedText[] =
    L"The news could not be loaded. Please check your internet connection and try again later.";
constexpr wchar_t kEmptyText[] = L"There is no news at the moment.";

std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    int length =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                          length, nullptr, nullptr);
    return narrow;
}

std::string NewsAddressText() {
    const char* value = std::getenv(kNewsAddressVariable);
    if (value != nullptr && *value != '\0') {
        return value;
    }
    return kDefaultNewsAddress;
}

// The page's body, nothing when it could not be fetched.
std::optional<std::string> FetchPage(std::stop_token stop) {
    auto address = ParseUpdateAddress(NewsAddressText());
    if (!address) {
        return std::nullopt;
    }
    WinHttpTransport transport(false, stop);
    std::string body;
    FetchResult result = transport.Fetch(*address, kMaxPageBytes, [&](std::string_view piece) {
        body.append(piece);
        return true;
    });
    if (result != FetchResult::Ok) {
        return std::nullopt;
    }
    return body;
}

// A SysLink control reads markup; the texts put into it must not add any.
std::wstring LinkSafe(std::wstring text) {
    for (wchar_t& c : text) {
        if (c == L'<' || c == L'>' || c == L'"') {
            c = L' ';
        }
    }
    return text;
}

}  // namespace

NewsWindow::NewsWindow(const Theme& theme) : theme_(theme), display_(NewsAddressText()) {}

NewsWindow::~NewsWindow() {
    if (work_.joinable()) {
        work_.request_stop();
        work_.join();
    }
    browser_.reset();
}

void NewsWindow::RegisterClass() {
    Window::RegisterClass(kNewsClass, ::LoadCursorW(nullptr, IDC_ARROW));
}

void NewsWindow::Create() {
    RegisterClass();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOPMOST;
    RECT bounds{0, 0, theme_.Scale(kWidth), theme_.Scale(kHeight)};
    ::AdjustWindowRectEx(&bounds, style, FALSE, exStyle);
    CreateOfClass(kNewsClass, exStyle, style, kCaption,
                  CentredOnWorkArea(SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top}),
                  nullptr, 0);

    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    text_ = ::CreateWindowExW(
        0, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0,
        0, hwnd(), reinterpret_cast<HMENU>(kTextId), instance, nullptr);
    links_ = ::CreateWindowExW(0, WC_LINK, L"", WS_CHILD | WS_TABSTOP, 0, 0, 0, 0, hwnd(),
                               reinterpret_cast<HMENU>(kLinksId), instance, nullptr);
    pane_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, hwnd(),
                              reinterpret_cast<HMENU>(kPaneId), instance, nullptr);
    for (HWND child : {text_, links_}) {
        if (child != nullptr) {
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(theme_.Normal()), FALSE);
        }
    }
    SetContent(kLoadingText, L"");
}

void NewsWindow::ShowPage() {
    Perform(display_.Open());
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    KeepOnTop();
}

void NewsWindow::Perform(NewsStep step) {
    const HWND window = hwnd();
    switch (step) {
        case NewsStep::None:
            break;
        case NewsStep::TestEngine:
            SetContent(kLoadingText, L"");
            StartWork([window](std::stop_token) {
                const bool usable = HtmlEngineUsable();
                ::PostMessageW(window, kEngineTested, usable ? 1 : 0, 0);
            });
            break;
        case NewsStep::Navigate:
            SetContent(kLoadingText, L"");
            if (!StartBrowser()) {
                browser_.reset();
                Perform(display_.BrowserFailed());
            }
            break;
        case NewsStep::FetchText:
            ::ShowWindow(pane_, SW_HIDE);
            SetContent(kLoadingText, L"");
            StartWork([this, window](std::stop_token stop) {
                std::optional<std::string> body = FetchPage(stop);
                {
                    std::lock_guard lock(mutex_);
                    body_ = std::move(body);
                }
                ::PostMessageW(window, kPageArrived, 0, 0);
            });
            break;
        case NewsStep::ShowBrowser:
            ShowBrowser();
            break;
        case NewsStep::ShowText:
            ShowFetchedText();
            break;
    }
}

void NewsWindow::StartWork(std::function<void(std::stop_token)> job) {
    // The previous job has posted its outcome already: the display starts
    // one only after the last one's outcome came in.
    if (work_.joinable()) {
        work_.join();
    }
    work_ = std::jthread(std::move(job));
}

bool NewsWindow::StartBrowser() {
    if (pane_ == nullptr) {
        return false;
    }
    if (!browser_) {
        const HWND window = hwnd();
        BrowserHost::Events events;
        // The browser calls back in the middle of its own work: what changes
        // the window waits for a message of its own.
        events.pageComplete = [window] { ::PostMessageW(window, kBrowserPageComplete, 0, 0); };
        events.navigationFailed = [window] { ::PostMessageW(window, kBrowserPageFailed, 0, 0); };
        events.mayStay = [this](const std::wstring& address) {
            return display_.Navigating(Utf8FromWide(address)) == NewsNavigation::Stay;
        };
        events.openOutside = [](const std::wstring& address) { OpenInBackground(address); };
        browser_ = BrowserHost::Create(pane_, std::move(events));
        if (!browser_) {
            return false;
        }
    }
    return browser_->Navigate(WideFromUtf8(display_.Address()));
}

void NewsWindow::ShowBrowser() {
    for (HWND child : {text_, links_}) {
        if (child != nullptr) {
            ::ShowWindow(child, SW_HIDE);
        }
    }
    ::ShowWindow(pane_, SW_SHOWNA);
    KeepOnTop();
}

void NewsWindow::ShowFetchedText() {
    std::optional<std::string> body;
    {
        std::lock_guard lock(mutex_);
        body = std::move(body_);
        body_.reset();
    }
    if (!body) {
        SetContent(kFailedText, L"");
        KeepOnTop();
        return;
    }
    NewsPage page = ReadNewsPage(*body);
    std::wstring text;
    if (!page.title.empty()) {
        text = WideFromUtf8(page.title) + L"\r\n\r\n";
    }
    for (const std::string& paragraph : page.paragraphs) {
        text += WideFromUtf8(paragraph) + L"\r\n\r\n";
    }
    if (page.title.empty() && page.paragraphs.empty()) {
        text = kEmptyText;
    }
    std::wstring links;
    int lines = 0;
    for (const NewsLink& link : page.links) {
        if (lines == kMaxLinkLines) {
            break;
        }
        links += L"<a href=\"" + LinkSafe(WideFromUtf8(link.address)) + L"\">" +
                 LinkSafe(WideFromUtf8(link.text)) + L"</a>\n";
        ++lines;
    }
    SetContent(text, links);
    KeepOnTop();
}

void NewsWindow::SetContent(const std::wstring& text, const std::wstring& links) {
    if (text_ != nullptr) {
        ::SetWindowTextW(text_, text.c_str());
        ::ShowWindow(text_, SW_SHOWNA);
    }
    linkLines_ = 0;
    if (links_ != nullptr) {
        for (wchar_t c : links) {
            linkLines_ += c == L'\n' ? 1 : 0;
        }
        ::SetWindowTextW(links_, links.c_str());
        ::ShowWindow(links_, linkLines_ > 0 ? SW_SHOWNA : SW_HIDE);
    }
    Layout();
}

void NewsWindow::Layout() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int margin = theme_.Scale(kMargin);
    const int linksHeight = linkLines_ * theme_.Scale(kLinkLineHeight);
    const int width = client.right - 2 * margin;
    const int linksTop = client.bottom - margin - linksHeight;
    const int textBottom = linkLines_ > 0 ? linksTop - margin : client.bottom - margin;
    if (text_ != nullptr) {
        ::MoveWindow(text_, margin, margin, width, textBottom - margin, TRUE);
    }
    if (links_ != nullptr) {
        ::MoveWindow(links_, margin, linksTop, width, linksHeight, TRUE);
    }
    if (pane_ != nullptr) {
        ::MoveWindow(pane_, 0, 0, client.right, client.bottom, TRUE);
    }
}

// Wine's virtual desktop raises whichever window takes the keyboard focus
// above all others, always-on-top ones included; the main window does so
// while it settles after being shown, and would cover this one until the
// user clicks it. Leaving the always-on-top band and entering it again puts
// the window back on top there, where Windows keeps it anyway; all of it is
// painted anew, since what it drew while covered may have been lost.
void NewsWindow::KeepOnTop() {
    if (!::IsWindowVisible(hwnd())) {
        return;
    }
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    ::SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, kFlags);
    ::RedrawWindow(hwnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT NewsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kPageArrived:
            Perform(display_.TextFetched());
            return 0;
        case kEngineTested:
            Perform(display_.EngineTested(wParam != 0));
            return 0;
        case kBrowserPageComplete:
            Perform(display_.PageComplete());
            return 0;
        case kBrowserPageFailed:
            Perform(display_.NavigationFailed());
            return 0;
        case WM_CLOSE:
            // The window stays for the next time the news is shown.
            ::ShowWindow(hwnd(), SW_HIDE);
            return 0;
        case WM_ERASEBKGND: {
            RECT client{};
            ::GetClientRect(hwnd(), &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, theme_.BrushOf(colours::kBlack));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, colours::kSilver);
            ::SetBkColor(dc, colours::kBlack);
            // A stock brush: Wine's link control deletes the brush it is given
            // after painting (seen in Wine 8), which would leave a brush of the
            // theme's dead for every later paint; a stock object survives that.
            return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == links_ &&
                (header->code == NM_CLICK || header->code == NM_RETURN)) {
                const auto* link = reinterpret_cast<const NMLINK*>(lParam);
                OpenInBackground(link->item.szUrl);
                return 0;
            }
            return Default(message, wParam, lParam);
        }
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace fw::win32
