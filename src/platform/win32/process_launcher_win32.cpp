#include "platform/win32/process_launcher_win32.h"

#include <tlhelp32.h>

#include <stdexcept>
#include <vector>

#include "common/text.h"
#include "platform/win32/last_error.h"

namespace fw::win32 {

Win32ProcessLauncher::Win32ProcessLauncher(UiDispatcher& dispatcher)
    : dispatcher_(dispatcher),
      stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      watchers_(std::make_shared<Watchers>()) {
    if (!stop_) {
        throw std::runtime_error("Cannot create the process watcher's event: " + LastErrorText());
    }
}

Win32ProcessLauncher::~Win32ProcessLauncher() {
    ::SetEvent(stop_.Get());
    for (auto& [number, thread] : watchers_->threads) {
        thread.join();
    }
    watchers_->threads.clear();
}

void Win32ProcessLauncher::Start(const std::string& commandLine, const std::string& currentFolder,
                                 std::function<void(unsigned long exitCode)> onTerminate) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring wideCommand = WideFromCp1252(commandLine);
    std::vector<wchar_t> command(wideCommand.begin(), wideCommand.end());
    command.push_back(L'\0');
    std::wstring folder = WideFromCp1252(currentFolder);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION created{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &created)) {
        DWORD code = ::GetLastError();
        throw ProcessStartError(ErrorText(code), code);
    }
    UniqueHandle mainThread(created.hThread);
    Watch(UniqueHandle(created.hProcess), std::move(onTerminate));
}

void Win32ProcessLauncher::Watch(UniqueHandle process,
                                 std::function<void(unsigned long)> onTerminate) {
    std::uint64_t number = nextWatch_++;
    std::weak_ptr<Watchers> registry = watchers_;
    HANDLE stop = stop_.Get();
    UiDispatcher& dispatcher = dispatcher_;
    auto watch = [number, registry, stop, &dispatcher, process = std::move(process),
                  onTerminate = std::move(onTerminate)]() mutable {
        HANDLE waitFor[2] = {process.Get(), stop};
        DWORD woke = ::WaitForMultipleObjects(2, waitFor, FALSE, INFINITE);
        if (woke == WAIT_OBJECT_0 + 1) {
            return;  // the launcher is going; nobody is left to tell
        }
        DWORD exitCode = 0;
        ::GetExitCodeProcess(process.Get(), &exitCode);
        dispatcher.Post([number, registry, exitCode, onTerminate = std::move(onTerminate)] {
            auto watchers = registry.lock();
            if (!watchers) {
                return;
            }
            // The watcher is done once it has posted; joining it makes the
            // launcher ready before the handler may start the next process.
            auto found = watchers->threads.find(number);
            if (found != watchers->threads.end()) {
                found->second.join();
                watchers->threads.erase(found);
            }
            watchers.reset();
            onTerminate(exitCode);
        });
    };
    // The slot exists before the thread, so a thread that cannot be started
    // leaves nothing behind but its empty slot, which is taken out again.
    auto& slot = watchers_->threads[number];
    try {
        slot = std::thread(std::move(watch));
    } catch (...) {
        watchers_->threads.erase(number);
        throw;
    }
}

bool Win32ProcessLauncher::IsImageRunning(const std::string& imageName) {
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return false;
    }
    std::wstring wanted = WideFromCp1252(imageName);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (::lstrcmpiW(entry.szExeFile, wanted.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace fw::win32
