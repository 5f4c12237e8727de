#include "app/win32/error_report.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "common/text.h"

namespace fw::win32 {

namespace {

std::wstring ProgramFolderWide() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::string TimestampText() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{now.wYear},
                  unsigned{now.wMonth}, unsigned{now.wDay}, unsigned{now.wHour},
                  unsigned{now.wMinute}, unsigned{now.wSecond});
    return text;
}

// Appends one line; a log that cannot be written must not hide the error
// itself, so failure here is silent.
bool AppendToErrorLog(const std::string& line) {
    const std::wstring folder = ProgramFolderWide();
    if (folder.empty()) {
        return false;
    }
    const HANDLE file =
        ::CreateFileW((folder + L"error.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != 0 &&
        written == line.size();
    ::CloseHandle(file);
    return ok;
}

}  // namespace

std::string CurrentExceptionText() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "An error of unknown kind.";
    }
}

void ReportUnexpectedError(const std::string& where, const std::string& what) {
    const bool logged = AppendToErrorLog(TimestampText() + "  " + where + ": " + what + "\r\n");
    std::string text = "Framewright met an unexpected error while " + where + ".\r\n\r\n" + what +
                       "\r\n\r\nThe program goes on. If the last action did not take effect, try "
                       "it again; if the error comes back, close Framewright and start it anew.";
    if (logged) {
        text += " The error was also written to error.log in the program's folder.";
    }
    ::MessageBoxW(nullptr, WideFromCp1252(text).c_str(), L"Framewright",
                  MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace fw::win32
