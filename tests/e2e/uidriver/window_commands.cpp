// Commands about top-level windows and the session itself.
#include <windows.h>

#include <string>

#include "bmp_file.h"
#include "commands.h"
#include "delivery.h"
#include "screen_capture.h"
#include "win_handles.h"
#include "window_search.h"

namespace fw::uidriver {

namespace {

// Long enough for the program's five-second splash on a cold Wine start.
constexpr unsigned long kWindowTimeoutMs = 20000;
constexpr unsigned long kExitTimeoutMs = 20000;

std::wstring TitleOf(HWND window) {
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    return title;
}

}  // namespace

void WaitWindow(Session& session, const Args& args) {
    const unsigned long timeout = TimeoutArgument(args, 1, kWindowTimeoutMs);
    HWND found = nullptr;
    const bool appeared = WaitUntil(timeout, [&] {
        std::vector<HWND> windows = TopLevelWindows(args[0], true);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    });
    if (!appeared) {
        throw CommandError(L"no window \"" + args[0] + L"\" within " + std::to_wstring(timeout) +
                           L" ms");
    }
    session.out.Value(TitleOf(found));
}

void WaitGone(Session&, const Args& args) {
    const unsigned long timeout = TimeoutArgument(args, 1, kWindowTimeoutMs);
    if (!WaitUntil(timeout, [&] { return TopLevelWindows(args[0], true).empty(); })) {
        throw CommandError(L"window \"" + args[0] + L"\" still there after " +
                           std::to_wstring(timeout) + L" ms");
    }
}

void WindowRect(Session& session, const Args& args) {
    RECT rect{};
    GetWindowRect(RequireWindow(args[0]), &rect);
    session.out.Value(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
                      std::to_wstring(rect.right) + L" " + std::to_wstring(rect.bottom));
}

void CloseWindow(Session&, const Args& args) {
    // Posted, as Alt+F4 arrives: the program may ask questions before it closes.
    PostMessageW(RequireWindow(args[0]), WM_CLOSE, 0, 0);
}

void WaitExit(Session& session, const Args& args) {
    const unsigned long timeout = TimeoutArgument(args, 1, kExitTimeoutMs);
    std::vector<HWND> windows = TopLevelWindows(args[0], false);
    if (windows.empty()) {
        session.out.Value(L"gone");
        return;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(windows.front(), &processId);
    UniqueHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        session.out.Value(L"gone");
        return;
    }
    if (WaitForSingleObject(process.get(), timeout) != WAIT_OBJECT_0) {
        throw CommandError(L"the program of \"" + args[0] + L"\" still runs after " +
                           std::to_wstring(timeout) + L" ms");
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    session.out.Value(L"exit " + std::to_wstring(code));
}

void UseWindow(Session& session, const Args& args) {
    session.mainTitle = args[0];
}

void UseProcess(Session& session, const Args& args) {
    session.processImage = args[0];
}

void SleepFor(Session&, const Args& args) {
    Sleep(static_cast<DWORD>(ParseNumber(args[0], L"milliseconds")));
}

void Screenshot(Session&, const Args& args) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (args[0] != L"-") {
        HWND window = RequireWindow(args[0]);
        // Paint what is pending first, so the picture shows the current state.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendNow(window, WM_NULL, 0, 0);
        GetWindowRect(window, &area);
    }
    WriteBmpFile(args[1], CaptureScreen(area));
}

}  // namespace fw::uidriver
