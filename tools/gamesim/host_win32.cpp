#include <shlobj.h>
#include <windows.h>

#include <string>

#include "common/text.h"
#include "gamesim/host.h"
#include "gamesim/host_win32.h"

namespace fw::gamesim {

namespace fs = std::filesystem;

namespace {

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    OwnedHandle& operator=(OwnedHandle&&) = delete;

private:
    HANDLE handle_;
};

}  // namespace

fs::path OwnExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return fs::path();
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return fs::path(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<fs::path> UserDocumentsFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return std::nullopt;
    }
    return fs::path(folder);
}

std::string CurrentFolderText() {
    DWORD length = GetCurrentDirectoryW(0, nullptr);
    if (length == 0) {
        return std::string();
    }
    std::wstring folder(length, L'\0');
    length = GetCurrentDirectoryW(length, folder.data());
    folder.resize(length);
    return Cp1252FromWide(folder);
}

void WaitMilliseconds(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

std::string RawCommandLine() {
    return Cp1252FromWide(GetCommandLineW());
}

bool StartProgram(const fs::path& program, std::string_view arguments) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\"" + WideFromCp1252(arguments);
    STARTUPINFOW ownStart{};
    ownStart.cb = sizeof ownStart;
    GetStartupInfoW(&ownStart);
    // The copy is shown the way this program was asked to show itself (hidden
    // when the benchmark starts the game).
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = ownStart.dwFlags & STARTF_USESHOWWINDOW;
    startup.wShowWindow = ownStart.wShowWindow;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    OwnedHandle processHandle(process.hProcess);
    OwnedHandle threadHandle(process.hThread);
    return true;
}

}  // namespace fw::gamesim
