#include "app/win32/tooltips.h"

#include "common/text.h"

namespace fw::win32 {

Tooltips::~Tooltips() {
    if (tip_ != nullptr) {
        ::DestroyWindow(tip_);
    }
}

void Tooltips::Create(HWND owner) {
    tip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
    if (tip_ != nullptr) {
        ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
}

// A disabled control gets no mouse messages; they go to its parent, so each
// hint is also registered there for the control's rectangle.
TOOLINFOW Tooltips::ToolFor(HWND control, bool onParent) const {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    if (onParent) {
        // Control ids are small numbers, window handles are not, so the two
        // tools of one control never share a key.
        const int id = ::GetDlgCtrlID(control);
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = ::GetParent(control);
        tool.uId = id != 0 ? static_cast<UINT_PTR>(id) : reinterpret_cast<UINT_PTR>(control) ^ 1;
        ::GetWindowRect(control, &tool.rect);
        ::MapWindowPoints(nullptr, tool.hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
    } else {
        tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
        tool.hwnd = ::GetParent(control);
        tool.uId = reinterpret_cast<UINT_PTR>(control);
    }
    return tool;
}

void Tooltips::SetHint(HWND control, const std::string& text) {
    if (tip_ == nullptr || control == nullptr) {
        return;
    }
    std::wstring wide = WideFromCp1252(text);
    for (bool onParent : {false, true}) {
        TOOLINFOW tool = ToolFor(control, onParent);
        ::SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        if (!wide.empty()) {
            tool.lpszText = wide.data();
            ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

}  // namespace fw::win32
