// Commands for the program's task dialogs and message boxes.
#include <windows.h>

#include <string>

#include "commands.h"
#include "delivery.h"
#include "window_search.h"

namespace fw::uidriver {

namespace {

constexpr unsigned long kDialogTimeoutMs = 10000;

HWND WaitForDialog(const Session& session, unsigned long timeoutMs) {
    HWND dialog = nullptr;
    WaitUntil(timeoutMs, [&] {
        std::vector<HWND> dialogs = ProgramDialogs(session);
        dialog = dialogs.empty() ? nullptr : dialogs.front();
        return dialog != nullptr;
    });
    if (dialog == nullptr) {
        throw CommandError(L"no dialog of " + session.processImage + L" within " +
                           std::to_wstring(timeoutMs) + L" ms");
    }
    return dialog;
}

// A button's caption as shown, without the "&" of its access key.
std::wstring Caption(HWND control) {
    std::wstring caption;
    for (wchar_t c : WindowText(control)) {
        if (c != L'&') {
            caption += c;
        }
    }
    return caption;
}

bool IsCheckBox(HWND control) {
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return _wcsicmp(ClassName(control).c_str(), L"Button") == 0 &&
           (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX);
}

void PressButton(Session& session, HWND dialog, HWND button) {
    Deliver(session, button, BM_CLICK, 0, 0);
    WaitUntil(kDialogTimeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

}  // namespace

void DialogTexts(Session& session, const Args& args) {
    HWND dialog = WaitForDialog(session, TimeoutArgument(args, 0, kDialogTimeoutMs));
    wchar_t title[512] = {};
    GetWindowTextW(dialog, title, 512);
    session.out.Value(title);
    for (HWND child : ChildWindows(dialog)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        std::wstring text = WindowText(child);
        if (!text.empty()) {
            session.out.Value(text);
        }
    }
}

void DialogPress(Session& session, const Args& args) {
    HWND dialog = WaitForDialog(session, TimeoutArgument(args, 1, kDialogTimeoutMs));
    for (HWND child : ChildWindows(dialog)) {
        if (_wcsicmp(ClassName(child).c_str(), L"Button") == 0 && IsWindowVisible(child) &&
            !IsCheckBox(child) && Caption(child) == args[0]) {
            PressButton(session, dialog, child);
            return;
        }
    }
    throw CommandError(L"the dialog has no button \"" + args[0] + L"\"");
}

void DialogCheckVerification(Session& session, const Args& args) {
    HWND dialog = WaitForDialog(session, TimeoutArgument(args, 0, kDialogTimeoutMs));
    for (HWND child : ChildWindows(dialog)) {
        if (IsCheckBox(child) && IsWindowVisible(child)) {
            SendNow(child, BM_CLICK, 0, 0);
            session.out.Value(std::to_wstring(SendNow(child, BM_GETCHECK, 0, 0)));
            return;
        }
    }
    throw CommandError(L"the dialog has no verification box");
}

}  // namespace fw::uidriver
