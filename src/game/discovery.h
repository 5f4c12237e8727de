#pragma once
// Finding the game: its folders from its registry key, and its version.
#include <optional>
#include <string>

#include "game/game_install.h"
#include "platform/file_system.h"
#include "platform/os_info.h"
#include "settings/settings_store.h"

namespace fw {

inline constexpr const char* kGameKey = "\\SOFTWARE\\Crytek\\Crysis";
inline constexpr const char* kValueNotAvailable = "Value Not Available";
inline constexpr const char* kUnknownVersionLabel = "Unknow";
inline constexpr const char* kUnsupportedVersionMessage =
    "Please install the official v1.2 or 1.2.1 patch! NOT READY TO BENCH!";

// Three passes, each turning the first "," into "." and deleting the first blank.
std::string NormaliseVersion(std::string text);

struct VersionVerdict {
    std::optional<std::string> label;  // shown beside "Crysis version:"
    bool refused = false;              // the run button goes off for good
};

VersionVerdict JudgeGameVersion(const std::string& normalisedVersion);

struct DiscoveryResult {
    bool installDirFound = false;
    // The game library's FileVersion as read, before normalising; the version
    // reader holds it from here on.
    std::string fileVersionText;
    VersionVerdict verdict;
};

// Fills the game's folders from its key (the store is pointed at it and left
// there) and reads the game library's version. The 64-bit query's error
// propagates.
DiscoveryResult DiscoverGame(SettingsStore& store, OsInfo& os, FileSystem& files,
                             GameInstall& install);

// The folder of a chosen file as drive letter + ":" + folder + "\".
std::string FolderOfChosenFile(const std::string& filePath);

}  // namespace fw
