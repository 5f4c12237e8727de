// Commands that move the focus and type (at the end of a field's text). Keys are sent to the
// control itself (down, character, up), in order and each handled before the next, so a typed text
// arrives complete and exactly once whatever the program's message loop does with posted keys.
#include <windows.h>

#include <cwctype>
#include <string>

#include "commands.h"
#include "delivery.h"
#include "win_handles.h"
#include "window_search.h"

namespace fw::uidriver {

namespace {

struct NamedKey {
    std::wstring_view name;
    UINT vk;
};

constexpr NamedKey kNamedKeys[] = {
    {L"RETURN", VK_RETURN},   {L"ENTER", VK_RETURN},  {L"TAB", VK_TAB},   {L"ESCAPE", VK_ESCAPE},
    {L"BACK", VK_BACK},       {L"DELETE", VK_DELETE}, {L"LEFT", VK_LEFT}, {L"RIGHT", VK_RIGHT},
    {L"UP", VK_UP},           {L"DOWN", VK_DOWN},     {L"HOME", VK_HOME}, {L"END", VK_END},
    {L"SPACE", VK_SPACE},     {L"PRIOR", VK_PRIOR},   {L"NEXT", VK_NEXT}, {L"SHIFT", VK_SHIFT},
    {L"CONTROL", VK_CONTROL},
};

UINT ParseVirtualKey(const std::wstring& argument) {
    std::wstring name;
    for (wchar_t c : argument) {
        name += static_cast<wchar_t>(std::towupper(c));
    }
    if (name.starts_with(L"VK_")) {
        name = name.substr(3);
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == name) {
            return key.vk;
        }
    }
    const long vk = ParseNumber(argument, L"virtual key");
    if (vk <= 0 || vk > 0xFE) {
        throw CommandError(L"virtual key out of range: " + argument);
    }
    return static_cast<UINT>(vk);
}

LPARAM KeyParam(UINT vk, bool up) {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM param = 1 | static_cast<LPARAM>(scan << 16);
    if (up) {
        param |= static_cast<LPARAM>(3u << 30);  // previous state down, transition up
    }
    return param;
}

// Moves the keyboard focus to the control as a user's click into it would;
// false when the program's thread did not take it.
bool MoveFocus(HWND control) {
    const DWORD thread = GetWindowThreadProcessId(control, nullptr);
    InputAttachment attachment(GetCurrentThreadId(), thread);
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetFocus(control);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus == control;
}

}  // namespace

void Focus(Session& session, const Args& args) {
    if (!MoveFocus(RequireControl(session, args[0]))) {
        throw CommandError(L"control " + args[0] + L" did not take the focus");
    }
}

void Focused(Session& session, const Args&) {
    std::vector<HWND> mains = TopLevelWindows(session.mainTitle, false);
    if (mains.empty()) {
        throw CommandError(L"no window \"" + session.mainTitle + L"\"");
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(mains.front(), nullptr);
    if (!GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) {
        session.out.Value(L"none");
        return;
    }
    session.out.Value(std::to_wstring(GetDlgCtrlID(info.hwndFocus)));
}

void KeyState(Session& session, const Args& args) {
    // The asynchronous state: what a program asks at its start, before it
    // has processed any input of its own.
    const bool down = GetAsyncKeyState(static_cast<int>(ParseVirtualKey(args[0]))) < 0;
    session.out.Value(down ? L"down" : L"up");
}

void Type(Session& session, const Args& args) {
    HWND control = RequireControl(session, args[0]);
    MoveFocus(control);
    if (_wcsicmp(ClassName(control).c_str(), L"Edit") == 0) {
        // Typing goes on after the text the field holds.
        const LRESULT length = SendNow(control, WM_GETTEXTLENGTH, 0, 0);
        SendNow(control, EM_SETSEL, static_cast<WPARAM>(length), length);
    }
    for (wchar_t c : args[1]) {
        const SHORT scan = VkKeyScanW(c);
        // Characters without a key of their own come as VK_PACKET, as an
        // input method delivers them.
        const UINT vk = scan == -1 ? VK_PACKET : LOBYTE(scan);
        SendNow(control, WM_KEYDOWN, vk, KeyParam(vk, false));
        SendNow(control, WM_CHAR, c, KeyParam(vk, false));
        Deliver(session, control, WM_KEYUP, vk, KeyParam(vk, true));
    }
}

void Key(Session& session, const Args& args) {
    HWND control = RequireControl(session, args[0]);
    const UINT vk = ParseVirtualKey(args[1]);
    Deliver(session, control, WM_KEYDOWN, vk, KeyParam(vk, false));
    // Keys that make a character (Enter, Tab, Backspace, Escape, Space) send
    // it too, as the message loop's translation would.
    UINT character = MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;
    if (character >= L'A' && character <= L'Z') {
        character += L'a' - L'A';  // no Shift is held
    }
    if (character != 0 && IsWindow(control)) {
        Deliver(session, control, WM_CHAR, character, KeyParam(vk, false));
    }
    if (IsWindow(control)) {
        Deliver(session, control, WM_KEYUP, vk, KeyParam(vk, true));
    }
}

}  // namespace fw::uidriver
