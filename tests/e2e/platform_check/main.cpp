// Proves the Windows platform services against the real API. Run under Wine:
// every expectation prints a PASS or FAIL line; the exit code is 0 only when
// all of them pass. The program also serves as the child process of the
// process checks.
#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <string>

#include "check_log.h"
#include "check_support.h"
#include "checks.h"
#include "common/text.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/os_info_win32.h"

namespace {

// "--child-report FILE CODE": writes its current folder and whether its window
// was asked to stay hidden, then ends with CODE.
int ReportAndExit(const std::wstring& file, int code) {
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    bool hidden = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 && startup.wShowWindow == SW_HIDE;
    fw::win32::Win32FileSystem files;
    files.WriteFileAtomic(fw::Cp1252FromWide(file),
                          fw::Cp1252FromWide(folder) + (hidden ? "|hidden" : "|shown"));
    return code;
}

// "--child-wait EVENT": runs until the named event is set (at most a minute).
int WaitForRelease(const std::wstring& name) {
    HANDLE release = ::OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
    if (release != nullptr) {
        ::WaitForSingleObject(release, 60000);
        ::CloseHandle(release);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"--child-report") {
        return ReportAndExit(argv[2], _wtoi(argv[3]));
    }
    if (argc == 3 && std::wstring(argv[1]) == L"--child-exit") {
        return _wtoi(argv[2]);
    }
    if (argc == 3 && std::wstring(argv[1]) == L"--child-wait") {
        return WaitForRelease(argv[2]);
    }
    if (argc == 2 && std::wstring(argv[1]) == L"--major-version") {
        // For the run script, which asks it under each Windows version Wine plays.
        std::printf("%d\n", fw::win32::Win32OsInfo().MajorVersion());
        return 0;
    }

    // The folder browser needs COM on this thread, as the program's entry sets it up.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    fw::check::CheckLog log;
    const std::string scratch = fw::check::MakeScratchFolder();
    log.Info("scratch folder " + scratch);

    fw::check::CheckDispatcher(log);
    fw::check::CheckRegistry(log);
    fw::check::CheckFileSystem(log, scratch);
    fw::check::CheckPathText(log, scratch);
    fw::check::CheckOsInfo(log, scratch);
    fw::check::CheckDisplayModes(log);
    fw::check::CheckClockAndLocale(log);
    fw::check::CheckProcesses(log, scratch);
    fw::check::CheckShell(log);
    fw::check::CheckSystemSources(log);
    fw::check::CheckDialogs(log, scratch);

    fw::win32::Win32FileSystem files;
    files.ShellDeleteFolder(scratch);
    ::CoUninitialize();
    std::printf("%s: %d failed\n", log.Failures() == 0 ? "ALL PASSED" : "FAILED", log.Failures());
    return log.Failures() == 0 ? 0 : 1;
}
