#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <shellapi.h>

#include "common/text.h"

namespace fw::win32 {

bool Win32Shell::Open(const std::string& target) {
    std::wstring wideTarget = WideFromCp1252(target);
    auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", wideTarget.c_str(), L"", L"", SW_SHOWNORMAL));
    // Values up to 32 are the call's error codes.
    return result > 32;
}

}  // namespace fw::win32
