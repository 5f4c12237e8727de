#pragma once
// The check for a newer version of the program. A check runs in the background;
// its outcome arrives later as one of the events, always on the user-interface
// thread. When a newer version exists the updater asks the user itself whether
// to upgrade and, on yes, downloads, verifies and starts the new installer; that
// path ends without an event.
#include <functional>
#include <string>

namespace fw {

struct UpdaterEvents {
    std::function<void()> NoUpdateAvailable;
    std::function<void()> HostUnreachable;
    std::function<void()> LaterUpgrade;
    std::function<void()> Aborted;
};

class Updater {
public:
    virtual ~Updater() = default;
    // Connect without any proxy for the following checks.
    virtual void SetDirectConnection() = 0;
    // The program's own FileVersion text, compared with the offered version.
    virtual void SetInstalledVersion(const std::string& version) = 0;
    // Returns at once. A start while a check is still running is ignored: the
    // running check's outcome answers both.
    virtual void StartCheck() = 0;
};

}  // namespace fw
