#pragma once
// Only one copy of the program runs: a second start brings the first copy's
// window to the front, hands it its command line and ends.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace fw::win32 {

class SingleInstance {
public:
    explicit SingleInstance(const wchar_t* name);
    // True when no other copy held the name when this one started.
    bool IsFirst() const { return first_; }

private:
    UniqueHandle mutex_;
    bool first_ = true;
};

// Brings the running copy's main window to the front and sends it this copy's
// command line (WM_COPYDATA). The running copy has no use for it. Waits up to
// `timeoutMs` for the window, which may still be behind its splash.
void HandOverToRunningCopy(const wchar_t* windowClass, const wchar_t* title,
                           const std::wstring& commandLine, DWORD timeoutMs);

// The name shared by all copies of the program in one session.
inline constexpr const wchar_t* kInstanceName = L"Brimvale.Framewright.SingleInstance";

}  // namespace fw::win32
