#include "app/win32/single_instance.h"

namespace fw::win32 {

SingleInstance::SingleInstance(const wchar_t* name) : mutex_(::CreateMutexW(nullptr, FALSE, name)) {
    first_ = !(mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS);
}

void HandOverToRunningCopy(const wchar_t* windowClass, const wchar_t* title,
                           const std::wstring& commandLine, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    HWND running = nullptr;
    while ((running = ::FindWindowW(windowClass, title)) == nullptr &&
           ::GetTickCount() - start < timeoutMs) {
        ::Sleep(100);
    }
    if (running == nullptr) {
        return;
    }
    if (::IsIconic(running)) {
        ::ShowWindow(running, SW_RESTORE);
    }
    ::SetForegroundWindow(running);
    COPYDATASTRUCT data{};
    data.dwData = 1;
    data.cbData = static_cast<DWORD>((commandLine.size() + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(commandLine.c_str());
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                          SMTO_ABORTIFHUNG, 2000, &ignored);
}

}  // namespace fw::win32
