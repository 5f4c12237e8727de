#include "check_support.h"

#include <vector>

#include "common/text.h"
#include "platform/win32/path_text.h"

namespace fw::check {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (done()) {
            return true;
        }
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

std::string MakeScratchFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder = std::wstring(temp) + L"fw-platform-check-" +
                          std::to_wstring(::GetCurrentProcessId()) + L"-" +
                          std::to_wstring(::GetTickCount());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return win32::UsablePathText(folder) + "\\";
}

std::wstring OwnExecutable() {
    std::vector<wchar_t> path(32768);
    DWORD got = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::wstring(path.data(), got);
}

}  // namespace fw::check
