#pragma once
// One complete update check, run on a background thread: fetch the information
// file, decide, ask, download while hashing, verify, start the installer.
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>

#include "update/download_check.h"
#include "update/update_info.h"
#include "update/update_services.h"

namespace fw {

enum class UpdateOutcome {
    NoUpdateAvailable,
    HostUnreachable,
    LaterUpgrade,
    Aborted,
    InstallerStarted,  // the verified installer runs; no event follows
    Cancelled,         // the updater went away; nothing is reported
};

struct UpdateCheckRequest {
    std::string infoAddress;
    std::string installedVersion;
    std::uint64_t maxInfoBytes = kMaxUpdateInfoBytes;
    std::uint64_t maxDownloadBytes = kMaxDownloadBytes;
};

struct UpdateCheckServices {
    UpdateTransport& transport;
    DownloadStore& store;
    // The one question of the updater; blocks until the user answered, true for
    // yes. Answers no when the updater goes away meanwhile.
    std::function<bool(const std::string& version)> askToUpgrade;
    std::stop_token stop;
};

UpdateOutcome RunUpdateCheck(const UpdateCheckRequest& request, UpdateCheckServices& services);

inline constexpr const char* kUpdaterTitle = "Quernmark Updater";

std::string UpgradeQuestion(const std::string& version);

}  // namespace fw
