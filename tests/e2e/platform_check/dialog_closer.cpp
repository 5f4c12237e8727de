#include "dialog_closer.h"

#include <vector>

namespace fw::check {

namespace {

std::wstring TextOf(HWND window) {
    std::vector<wchar_t> text(4096);
    int got = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), got > 0 ? got : 0);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    int got = ::GetClassNameW(window, name, 256);
    return std::wstring(name, got > 0 ? got : 0);
}

struct ChildSearch {
    std::wstring kind;
    std::wstring text;
    HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM state) {
    auto* wanted = reinterpret_cast<ChildSearch*>(state);
    if (::lstrcmpiW(ClassOf(child).c_str(), wanted->kind.c_str()) == 0 &&
        (wanted->text.empty() || TextOf(child) == wanted->text)) {
        wanted->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM state) {
    *reinterpret_cast<std::wstring*>(state) += TextOf(child) + L"\n";
    return TRUE;
}

}  // namespace

HWND FindChild(HWND parent, const std::wstring& kind, const std::wstring& text) {
    ChildSearch search{kind, text};
    ::EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogCloser::DialogCloser(std::wstring title, std::function<void(HWND dialog)> act) {
    thread_ = std::thread([this, title = std::move(title), act = std::move(act)] {
        HWND dialog = nullptr;
        // The dialog appears once the other thread has entered it; look for it
        // for a while rather than assume when that is.
        for (int attempt = 0; attempt < 500 && dialog == nullptr; ++attempt) {
            dialog = ::FindWindowW(nullptr, title.c_str());
            if (dialog == nullptr || !::IsWindowVisible(dialog)) {
                dialog = nullptr;
                ::Sleep(20);
            }
        }
        if (dialog == nullptr) {
            return;
        }
        ::Sleep(200);  // let it finish laying out its controls
        found_ = true;
        ::EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts_));
        act(dialog);
    });
}

DialogCloser::~DialogCloser() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool DialogCloser::Found() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return found_;
}

std::wstring DialogCloser::Texts() {
    Found();
    return texts_;
}

}  // namespace fw::check
