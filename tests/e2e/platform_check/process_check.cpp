#include <windows.h>

#include <memory>
#include <vector>

#include "check_support.h"
#include "checks.h"
#include "common/text.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/path_text.h"
#include "platform/win32/process_launcher_win32.h"
#include "platform/win32/ui_dispatcher.h"

namespace fw::check {

namespace {

struct Ending {
    unsigned long exitCode;
    DWORD thread;
};

std::string ChildCommand(const std::string& arguments) {
    return "\"" + win32::UsablePathText(OwnExecutable()) + "\" " + arguments;
}

}  // namespace

void CheckProcesses(CheckLog& log, const std::string& scratch) {
    log.Section("processes");
    win32::UiDispatcher dispatcher;
    win32::Win32FileSystem files;
    const DWORD uiThread = ::GetCurrentThreadId();

    {
        win32::Win32ProcessLauncher launcher(dispatcher);
        log.Expect(launcher.IsImageRunning("PLATFORM_CHECK.EXE"),
                   "IsImageRunning finds this program in other letter case");
        log.Expect(!launcher.IsImageRunning("no-such-image-fw.exe"),
                   "IsImageRunning is false for an image that does not run");

        const std::string workFolder = scratch + "game bin\\";
        files.CreateFolders(workFolder);
        const std::string report = scratch + "child.txt";
        std::vector<Ending> endings;
        auto second = [&](unsigned long code) {
            endings.push_back({code, ::GetCurrentThreadId()});
        };
        auto first = [&](unsigned long code) {
            endings.push_back({code, ::GetCurrentThreadId()});
            // The handler starts the next process, as the run does for its next resolution.
            launcher.Start(ChildCommand("--child-exit 4"), "", second);
        };
        launcher.Start(ChildCommand("--child-report \"" + report + "\" 3"), workFolder, first);
        PumpUntil([&] { return endings.size() >= 2; }, 20000);
        PumpUntil([] { return false; }, 300);
        log.ExpectEqual(endings.size(), size_t{2},
                        "one termination call per process, the second started from the first");
        if (endings.size() == 2) {
            log.ExpectEqual(endings[0].exitCode, 3ul, "the first call carries its exit code");
            log.ExpectEqual(endings[1].exitCode, 4ul, "the second call carries its exit code");
            log.Expect(endings[0].thread == uiThread && endings[1].thread == uiThread,
                       "both calls come on the user-interface thread");
        }
        std::string childSaw = files.ReadFile(report).value_or("<none>");
        log.ExpectEqual(childSaw, workFolder.substr(0, workFolder.size() - 1) + "|hidden",
                        "the child ran in the given folder with a hidden window");

        try {
            launcher.Start("C:\\no\\such\\folder\\Crysis.exe -DEVMODE", workFolder,
                           [](unsigned long) {});
            log.Expect(false, "starting a missing program raises an error");
        } catch (const ProcessStartError& error) {
            log.Info(std::string("start error: ") + error.what() + " (code " +
                     std::to_string(error.code()) + ")");
            log.Expect(error.code() == ERROR_PATH_NOT_FOUND || error.code() == ERROR_FILE_NOT_FOUND,
                       "the error carries the system's code");
            log.Expect(std::string(error.what()).size() > 0, "and the system's message");
        }
    }

    // A launcher that goes while its process still runs neither waits for it
    // nor reports its end later.
    std::wstring eventName = L"FwPlatformCheckRelease-" + std::to_wstring(::GetCurrentProcessId());
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    bool lateCall = false;
    DWORD before = ::GetTickCount();
    {
        win32::Win32ProcessLauncher launcher(dispatcher);
        launcher.Start(ChildCommand("--child-wait " + Cp1252FromWide(eventName)), "",
                       [&](unsigned long) { lateCall = true; });
    }
    log.Expect(::GetTickCount() - before < 3000,
               "the launcher goes without waiting for its process");
    ::SetEvent(release);

    // Its end already posted but not yet handled: the call must not come either.
    {
        win32::Win32ProcessLauncher launcher(dispatcher);
        launcher.Start(ChildCommand("--child-exit 5"), "", [&](unsigned long) { lateCall = true; });
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20000, QS_POSTMESSAGE);
    }
    PumpUntil([] { return false; }, 500);
    log.Expect(!lateCall, "no termination call reaches a launcher that is gone");
    ::CloseHandle(release);
}

}  // namespace fw::check
