#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <thread>

#include "common/text.h"

namespace fw::win32 {

// The shell may wait for the program it starts (a browser answering DDE, a
// viewer that is slow to come up); that wait belongs on a thread of its own,
// never on the window's. Nobody looks at the outcome.
bool Win32Shell::Open(const std::string& target) {
    std::wstring wideTarget = WideFromCp1252(target);
    std::thread([wideTarget] {
        const HRESULT com =
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        ::ShellExecuteW(nullptr, L"open", wideTarget.c_str(), L"", L"", SW_SHOWNORMAL);
        if (SUCCEEDED(com)) {
            ::CoUninitialize();
        }
    }).detach();
    return true;
}

}  // namespace fw::win32
