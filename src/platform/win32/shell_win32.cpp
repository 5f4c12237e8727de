#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <shellapi.h>

#include <thread>

#include "common/text.h"
#include "platform/win32/com_apartment.h"

namespace fw::win32 {

bool Win32Shell::Open(const std::string& target) {
    OpenInBackground(WideFromCp1252(target));
    return true;
}

void OpenInBackground(std::wstring target) {
    std::thread([target = std::move(target)] {
        // The shell wants COM on the thread that calls it.
        const ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        ::ShellExecuteW(nullptr, L"open", target.c_str(), L"", L"", SW_SHOWNORMAL);
    }).detach();
}

}  // namespace fw::win32
