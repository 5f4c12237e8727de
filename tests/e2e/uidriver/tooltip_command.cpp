// Reads a control's hint from the program's tooltip windows. Tooltip
// messages carry pointers, which Windows does not copy between processes, so
// the tool description lives in memory allocated inside the program.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "commands.h"
#include "delivery.h"
#include "win_handles.h"
#include "window_search.h"

namespace fw::uidriver {

namespace {

constexpr size_t kTextChars = 1024;

struct ToolBlock {
    TOOLINFOW info;
    wchar_t text[kTextChars];
};

void WriteRemote(HANDLE process, void* remote, const ToolBlock& local) {
    if (!WriteProcessMemory(process, remote, &local, sizeof(local), nullptr)) {
        throw CommandError(L"cannot write into the program's memory");
    }
}

void ReadRemote(HANDLE process, const void* remote, ToolBlock& local) {
    if (!ReadProcessMemory(process, remote, &local, sizeof(local), nullptr)) {
        throw CommandError(L"cannot read the program's memory");
    }
}

bool DescribesControl(const TOOLINFOW& info, HWND control) {
    if ((info.uFlags & TTF_IDISHWND) != 0) {
        return reinterpret_cast<HWND>(info.uId) == control;
    }
    return info.hwnd == control;
}

// The hint of the control in this tooltip window, when it holds one.
bool HintFrom(HWND tooltip, HWND control, HANDLE process, std::wstring& hint) {
    RemoteMemory memory(process, sizeof(ToolBlock));
    if (memory.get() == nullptr) {
        throw CommandError(L"cannot allocate memory in the program");
    }
    auto* remote = static_cast<ToolBlock*>(memory.get());  // never read here
    const LRESULT count = SendNow(tooltip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        ToolBlock local{};
        local.info.cbSize = sizeof(local.info);
        WriteRemote(process, remote, local);
        if (!SendNow(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&remote->info))) {
            continue;
        }
        ReadRemote(process, remote, local);
        if (!DescribesControl(local.info, control)) {
            continue;
        }
        local.info.lpszText = remote->text;
        local.text[0] = L'\0';
        WriteRemote(process, remote, local);
        SendNow(tooltip, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(&remote->info));
        ReadRemote(process, remote, local);
        local.text[kTextChars - 1] = L'\0';
        hint = local.text;
        return true;
    }
    return false;
}

}  // namespace

void Tooltip(Session& session, const Args& args) {
    HWND control = RequireControl(session, args[0]);
    DWORD processId = 0;
    GetWindowThreadProcessId(control, &processId);
    UniqueHandle process(OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, processId));
    if (!process) {
        throw CommandError(L"cannot open the program's process");
    }
    for (HWND tooltip : TopLevelWindows(L"*", false)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(tooltip, &owner);
        if (owner != processId || _wcsicmp(ClassName(tooltip).c_str(), TOOLTIPS_CLASSW) != 0) {
            continue;
        }
        std::wstring hint;
        if (HintFrom(tooltip, control, process.get(), hint)) {
            session.out.Value(hint);
            return;
        }
    }
    throw CommandError(L"control " + args[0] + L" has no hint");
}

}  // namespace fw::uidriver
