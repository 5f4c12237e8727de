#pragma once
// The program's and the game's folders, filled once at start-up. Every folder
// text ends with a backslash; file paths are folder + name.
#include <string>

namespace fw {

struct GameInstall {
    std::string ProgramFolder;
    std::string InstallDir;
    std::string BinPath;
    std::string CVarGroupsPath;
    std::string CrysisConfigPath;
    std::string CFGPath;
    std::string DemoPath;
    std::string ScreenShotsPath;
    std::string Path;
    std::string GameVersion;
};

}  // namespace fw
