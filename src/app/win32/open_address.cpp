#include "app/win32/open_address.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <thread>

namespace fw::win32 {

void OpenAddressInBackground(std::wstring address) {
    std::thread([address = std::move(address)] {
        const HRESULT com =
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        ::ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        if (SUCCEEDED(com)) {
            ::CoUninitialize();
        }
    }).detach();
}

}  // namespace fw::win32
