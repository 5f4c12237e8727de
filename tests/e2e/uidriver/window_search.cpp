#include "window_search.h"

#include <tlhelp32.h>

#include <cwctype>

#include "win_handles.h"

namespace fw::uidriver {

namespace {

constexpr unsigned long kPollMs = 25;
constexpr UINT kTextTimeoutMs = 5000;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool SameImageName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

std::set<DWORD> ProcessIdsByImage(std::wstring_view image) {
    std::set<DWORD> ids;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return ids;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (SameImageName(entry.szExeFile, image)) {
            ids.insert(entry.th32ProcessID);
        }
    }
    return ids;
}

}  // namespace

bool TitleMatches(std::wstring_view title, std::wstring_view pattern) {
    const size_t star = pattern.find(L'*');
    if (star == std::wstring_view::npos) {
        return title == pattern;
    }
    const std::wstring_view head = pattern.substr(0, star);
    if (title.substr(0, head.size()) != head) {
        return false;
    }
    // Each later star may stand for any text; try every place it can end.
    const std::wstring_view rest = pattern.substr(star + 1);
    for (size_t from = head.size(); from <= title.size(); ++from) {
        if (TitleMatches(title.substr(from), rest)) {
            return true;
        }
    }
    return false;
}

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                             &length)) {
        throw CommandError(L"the window does not answer WM_GETTEXTLENGTH");
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied)) {
        throw CommandError(L"the window does not answer WM_GETTEXT");
    }
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<HWND> TopLevelWindows(std::wstring_view pattern, bool visibleOnly) {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> matching;
    for (HWND window : all) {
        if (visibleOnly && !IsWindowVisible(window)) {
            continue;
        }
        // The title of a top-level window is known without asking it, so a
        // busy program cannot stall the search.
        wchar_t title[512] = {};
        GetWindowTextW(window, title, 512);
        if (TitleMatches(title, pattern)) {
            matching.push_back(window);
        }
    }
    return matching;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND RequireWindow(std::wstring_view pattern) {
    std::vector<HWND> windows = TopLevelWindows(pattern, true);
    if (windows.empty()) {
        throw CommandError(L"no visible window \"" + std::wstring(pattern) + L"\"");
    }
    return windows.front();
}

HWND RequireControl(const Session& session, int id) {
    // The program may keep more than one top-level window of its title
    // (hidden ones too); the first that holds the id wins.
    std::vector<HWND> mains = TopLevelWindows(session.mainTitle, false);
    if (mains.empty()) {
        throw CommandError(L"no window \"" + session.mainTitle + L"\"");
    }
    for (HWND main : mains) {
        for (HWND child : ChildWindows(main)) {
            if (GetDlgCtrlID(child) == id) {
                return child;
            }
        }
    }
    throw CommandError(L"no control " + std::to_wstring(id) + L" under \"" + session.mainTitle +
                       L"\"");
}

HWND RequireControl(const Session& session, std::wstring_view idArgument) {
    return RequireControl(session, static_cast<int>(ParseNumber(idArgument, L"control id")));
}

std::vector<HWND> ProgramDialogs(const Session& session) {
    std::set<DWORD> processes = ProcessIdsByImage(session.processImage);
    for (HWND main : TopLevelWindows(session.mainTitle, false)) {
        DWORD process = 0;
        GetWindowThreadProcessId(main, &process);
        processes.insert(process);
    }
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> dialogs;
    for (HWND window : all) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (!processes.contains(process) || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
            ClassName(window) != L"#32770") {
            continue;
        }
        // A dialog may carry the main window's title (the program's error
        // report does); the class test above already keeps the main window out.
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner == nullptr || !IsWindowEnabled(owner)) {
            dialogs.push_back(window);
        }
    }
    return dialogs;
}

bool WaitUntil(unsigned long timeoutMs, const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollMs);
    }
}

}  // namespace fw::uidriver
