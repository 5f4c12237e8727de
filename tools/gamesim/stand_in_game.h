#pragma once
// One start of the stand-in game, from the command line to the exit code.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fw::gamesim {

struct StandInStart {
    std::filesystem::path executable;  // this program, InstallDir/BinNN/<name>
    std::string commandLine;           // exactly as received, Windows-1252
    std::string currentFolder;
    std::optional<std::filesystem::path> documents;  // the user's documents folder
    // Starts another program with the given arguments (which begin with their
    // separating blank); empty where the hand-over is not modelled.
    std::function<bool(const std::filesystem::path&, std::string_view)> startProgram;
    // Lets the given time pass while the game "plays".
    std::function<void(int milliseconds)> wait;
};

// Files beside the executable.
inline constexpr std::string_view kFaultConfigFile = "gamesim.ini";
inline constexpr std::string_view kCommandsRecordFile = "gamesim-commands.log";
inline constexpr std::string_view kAutoexecRecordFile = "gamesim-autoexec.log";
inline constexpr std::string_view kCurrentFolderRecordFile = "gamesim-cwd.log";
inline constexpr std::string_view kHandoverExe = "Crysis64.exe";

inline constexpr int kExitNormal = 0;
inline constexpr int kExitFixtureError = 1;  // the stand-in could not do its work
inline constexpr int kExitCrash = 3;

int RunStandInGame(const StandInStart& start);

}  // namespace fw::gamesim
