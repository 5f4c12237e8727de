#pragma once
// Starts processes hidden and reports each one's end on the user-interface thread.
#include <cstdint>
#include <map>
#include <memory>
#include <thread>

#include "platform/process_launcher.h"
#include "platform/win32/handles.h"
#include "platform/win32/ui_dispatcher.h"

namespace fw::win32 {

class Win32ProcessLauncher : public ProcessLauncher {
public:
    // The dispatcher must outlive the launcher.
    explicit Win32ProcessLauncher(UiDispatcher& dispatcher);
    // Stops watching at once, even while processes still run; their ends are
    // then never reported, also not those already waiting in the message queue.
    ~Win32ProcessLauncher() override;
    Win32ProcessLauncher(const Win32ProcessLauncher&) = delete;
    Win32ProcessLauncher& operator=(const Win32ProcessLauncher&) = delete;

    void Start(const std::string& commandLine, const std::string& currentFolder,
               std::function<void(unsigned long exitCode)> onTerminate) override;
    bool IsImageRunning(const std::string& imageName) override;

private:
    // One waiting thread per running process, by watch number. Shared with the
    // reports in the message queue so that a report arriving after the
    // launcher is gone finds nothing and does nothing.
    struct Watchers {
        std::map<std::uint64_t, std::thread> threads;
    };

    void Watch(UniqueHandle process, std::function<void(unsigned long)> onTerminate);

    UiDispatcher& dispatcher_;
    UniqueHandle stop_;  // set when the launcher goes; every watcher also waits on it
    std::shared_ptr<Watchers> watchers_;
    std::uint64_t nextWatch_ = 0;
};

}  // namespace fw::win32
