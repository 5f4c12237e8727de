#include "platform/win32/os_info_win32.h"

#include <windows.h>

#include <shlobj.h>
#include <wininet.h>

#include <cstdio>
#include <vector>

#include "common/text.h"
#include "platform/win32/path_text.h"

namespace fw::win32 {

namespace {

constexpr char kNoVersionInformation[] = "Value Not Available";

// A function found by name at run time; GetProcAddress's generic type goes
// through void(*)() so the conversion is not taken for a mistake.
template <typename Function>
Function FindFunction(const wchar_t* module, const char* name) {
    HMODULE handle = ::GetModuleHandleW(module);
    if (handle == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(handle, name)));
}

}  // namespace

Win32OsInfo::Win32OsInfo() {
    // The asynchronous state: the thread's own key state knows nothing before
    // the program has handled its first input.
    shiftHeldAtStart_ = (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}

int Win32OsInfo::MajorVersion() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    // The classic answer is wanted: 6 from Vista on for a program that declares
    // no later Windows, which is what offers DirectX 10 on Windows 10 and 11.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL known = ::GetVersionExW(&version);
#pragma GCC diagnostic pop
    return known ? static_cast<int>(version.dwMajorVersion) : 0;
}

bool Win32OsInfo::IsRunningUnderWow64() {
#ifdef _WIN64
    // A 64-bit program runs on 64-bit Windows only.
    return true;
#else
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64Process = FindFunction<IsWow64ProcessFunction>(L"kernel32", "IsWow64Process");
    if (isWow64Process == nullptr) {
        return false;  // Windows before XP SP2 knows no WOW64
    }
    BOOL wow64 = FALSE;
    if (!isWow64Process(::GetCurrentProcess(), &wow64)) {
        throw Wow64QueryError();
    }
    return wow64 != FALSE;
#endif
}

std::string Win32OsInfo::DocumentsFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return "";
    }
    std::wstring path(folder);
    // Even a drive root loses its backslash: the caller appends "\My Games\...".
    while (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    return UsablePathText(path);
}

std::string Win32OsInfo::FileVersion(const std::string& path) {
    std::wstring file = WideFromCp1252(path);
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) {
        return kNoVersionInformation;
    }
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, block.data())) {
        return kNoVersionInformation;
    }
    void* translation = nullptr;
    UINT translationBytes = 0;
    if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translation,
                          &translationBytes) ||
        translation == nullptr || translationBytes < 2 * sizeof(WORD)) {
        return "";
    }
    auto* languageAndCodePage = static_cast<const WORD*>(translation);
    wchar_t entry[64];
    std::swprintf(entry, sizeof(entry) / sizeof(entry[0]),
                  L"\\StringFileInfo\\%04x%04x\\FileVersion", languageAndCodePage[0],
                  languageAndCodePage[1]);
    void* text = nullptr;
    UINT characters = 0;
    if (!::VerQueryValueW(block.data(), entry, &text, &characters) || text == nullptr) {
        return "";
    }
    std::wstring version(static_cast<const wchar_t*>(text), characters);
    auto end = version.find(L'\0');
    if (end != std::wstring::npos) {
        version.resize(end);
    }
    return Cp1252FromWide(version);
}

std::string Win32OsInfo::ProgramPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD got = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (got == 0) {
            return "";
        }
        if (got < buffer.size()) {
            return UsablePathText(std::wstring(buffer.data(), got));
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool Win32OsInfo::ShiftHeldAtStart() {
    return shiftHeldAtStart_;
}

bool Win32OsInfo::IsOnline() {
    DWORD flags = 0;
    return ::InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace fw::win32
