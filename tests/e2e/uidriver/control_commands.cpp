// Commands that read or use one control of the main window.
#include <windows.h>

#include <string>

#include "commands.h"
#include "delivery.h"
#include "window_search.h"

namespace fw::uidriver {

namespace {

std::wstring Flag(bool on) {
    return on ? L"1" : L"0";
}

// A user can only click what is shown and enabled.
void RequireUsable(HWND control, const std::wstring& idArgument) {
    if (!IsWindowVisible(control)) {
        throw CommandError(L"control " + idArgument + L" is not visible");
    }
    if (!IsWindowEnabled(control)) {
        throw CommandError(L"control " + idArgument + L" is disabled");
    }
}

}  // namespace

void Text(Session& session, const Args& args) {
    session.out.Value(WindowText(RequireControl(session, args[0])));
}

void SetText(Session& session, const Args& args) {
    HWND control = RequireControl(session, args[0]);
    SendNow(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()));
}

void Click(Session& session, const Args& args) {
    HWND control = RequireControl(session, args[0]);
    RequireUsable(control, args[0]);
    if (_wcsicmp(ClassName(control).c_str(), L"Button") == 0) {
        Deliver(session, control, BM_CLICK, 0, 0);
        return;
    }
    // Other controls (labels that act as links, the program's own kinds)
    // get the mouse messages of a click at their centre.
    RECT client{};
    GetClientRect(control, &client);
    const LPARAM centre =
        MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    SendNow(control, WM_MOUSEMOVE, 0, centre);
    Deliver(session, control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    Deliver(session, control, WM_LBUTTONUP, 0, centre);
}

void Checked(Session& session, const Args& args) {
    const LRESULT state = SendNow(RequireControl(session, args[0]), BM_GETCHECK, 0, 0);
    session.out.Value(std::to_wstring(state));
}

void Enabled(Session& session, const Args& args) {
    session.out.Value(Flag(IsWindowEnabled(RequireControl(session, args[0]))));
}

void Visible(Session& session, const Args& args) {
    session.out.Value(Flag(IsWindowVisible(RequireControl(session, args[0]))));
}

void ListControls(Session& session, const Args&) {
    std::vector<HWND> mains = TopLevelWindows(session.mainTitle, false);
    if (mains.empty()) {
        throw CommandError(L"no window \"" + session.mainTitle + L"\"");
    }
    for (HWND child : ChildWindows(mains.front())) {
        session.out.Value(std::to_wstring(GetDlgCtrlID(child)) + L" " + ClassName(child) +
                          L" visible=" + Flag(IsWindowVisible(child)) + L" enabled=" +
                          Flag(IsWindowEnabled(child)) + L" " + WindowText(child));
    }
}

}  // namespace fw::uidriver
