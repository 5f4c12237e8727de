#pragma once
// The updater of the real program: each check runs on a thread of its own and
// reports back through the user-interface dispatcher.
//
// The check thread is never waited for. Destroying the updater cuts it off at
// once: the thread is told to stop, it gives up at its next step or when its
// network timeouts expire, and nothing it still sends reaches the events.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/updater.h"
#include "platform/win32/ui_dispatcher.h"
#include "update/update_check.h"

namespace fw::win32 {

struct UpdaterWin32Options {
    // The window that owns the upgrade question; may answer null.
    std::function<HWND()> owner;
    // Asks the user on the user-interface thread whether to upgrade to `version`;
    // true for yes. Left empty, a Yes/No message box owned by owner() asks.
    std::function<bool(const std::string& version)> askToUpgrade;
    // On the user-interface thread, after the verified installer was started.
    std::function<void()> installerStarted;
};

class UpdaterWin32 final : public Updater {
public:
    // `ui` must outlive the updater. Construct and use on the user-interface thread.
    UpdaterWin32(UiDispatcher& ui, UpdaterEvents events, UpdaterWin32Options options = {});
    ~UpdaterWin32() override;
    UpdaterWin32(const UpdaterWin32&) = delete;
    UpdaterWin32& operator=(const UpdaterWin32&) = delete;

    void SetDirectConnection() override;
    void SetInstalledVersion(const std::string& version) override;
    void StartCheck() override;

    struct Link;  // what the updater shares with its check threads

private:
    void Finish(UpdateOutcome outcome);

    UiDispatcher& ui_;
    UpdaterEvents events_;
    UpdaterWin32Options options_;
    bool direct_ = false;
    std::string installedVersion_;
    bool checking_ = false;
    std::shared_ptr<Link> link_;
};

}  // namespace fw::win32
