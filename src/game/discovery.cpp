#include "game/discovery.h"

namespace fw {

std::string NormaliseVersion(std::string text) {
    for (int pass = 0; pass < 3; ++pass) {
        if (auto comma = text.find(','); comma != std::string::npos) {
            text[comma] = '.';
        }
        if (auto blank = text.find(' '); blank != std::string::npos) {
            text.erase(blank, 1);
        }
    }
    return text;
}

VersionVerdict JudgeGameVersion(const std::string& normalisedVersion) {
    if (normalisedVersion == "1.1.1.6115") {
        return {"1.2", false};
    }
    if (normalisedVersion == "1.1.1.6156") {
        return {"1.2.1", false};
    }
    if (normalisedVersion.empty()) {
        return {kUnknownVersionLabel, false};
    }
    return {std::nullopt, true};
}

DiscoveryResult DiscoverGame(SettingsStore& store, OsInfo& os, FileSystem& files,
                             GameInstall& install) {
    DiscoveryResult result;
    store.OpenKeyAt(kGameKey);
    if (store.HasValue("InstallDir")) {
        result.installDirFound = true;
        install.InstallDir = store.ReadValue("InstallDir");
        // On 64-bit Windows only Bin64 will do, on 32-bit only Bin32: the game
        // of the other width would not match the system's own checks.
        const bool wow64 = os.IsRunningUnderWow64();
        if (!wow64 && files.FolderExists(install.InstallDir + "Bin32\\")) {
            install.BinPath = install.InstallDir + "Bin32\\";
        }
        if (wow64 && files.FolderExists(install.InstallDir + "Bin64\\")) {
            install.BinPath = install.InstallDir + "Bin64\\";
        }
        install.CVarGroupsPath = install.InstallDir + "Game\\Config\\CVarGroups\\";
        install.CrysisConfigPath = os.DocumentsFolder() + "\\My Games\\Crysis\\";
        install.CFGPath = install.InstallDir;
        install.Path = install.BinPath;
        install.DemoPath = install.InstallDir + "Game\\Levels\\";
        install.ScreenShotsPath = install.ProgramFolder + "ScreenShots\\";
    }
    result.fileVersionText = os.FileVersion(install.BinPath + "CrySystem.dll");
    install.GameVersion = NormaliseVersion(result.fileVersionText);
    result.verdict = JudgeGameVersion(install.GameVersion);
    return result;
}

std::string FolderOfChosenFile(const std::string& filePath) {
    auto slash = filePath.find_last_of("\\/");
    if (slash == std::string::npos) {
        return {};
    }
    std::string folder = filePath.substr(0, slash);
    if (folder.size() >= 2 && folder[1] == ':') {
        return folder.substr(0, 1) + ":" + folder.substr(2) + "\\";
    }
    return folder + "\\";
}

}  // namespace fw
