#include "gamesim/stand_in_game.h"

#include <charconv>
#include <cstdio>
#include <system_error>
#include <vector>

#include "common/text.h"
#include "gamesim/demo_log_text.h"
#include "gamesim/demo_names.h"
#include "gamesim/fault_config.h"
#include "gamesim/game_command_line.h"
#include "gamesim/game_files.h"
#include "gamesim/playback_figures.h"
#include "gamesim/screenshot_jpeg.h"

namespace fw::gamesim {

namespace {

namespace fs = std::filesystem;

constexpr int kMostScreenshots = 10000;

void RecordStart(const StandInStart& start, const fs::path& exeFolder, const fs::path& installDir) {
    AppendFileBytes(exeFolder / PathFromText(kCommandsRecordFile), start.commandLine + "\r\n");
    std::string autoexec = "--- autoexec.cfg ---\r\n";
    if (std::optional<std::string> content = ReadFileBytes(installDir / "autoexec.cfg")) {
        autoexec += *content;
        if (!content->empty() && content->back() != '\n') {
            autoexec += "\r\n";
        }
    } else {
        autoexec += "<no autoexec.cfg>\r\n";
    }
    autoexec += "--- end ---\r\n";
    AppendFileBytes(exeFolder / PathFromText(kAutoexecRecordFile), autoexec);
    AppendFileBytes(exeFolder / PathFromText(kCurrentFolderRecordFile),
                    start.currentFolder + "\r\n");
}

// The launcher's part of the hand-over: the work is done by a copy of this
// program under the 64-bit game's image name, which outlives its starter.
int HandOver(const StandInStart& start, const fs::path& exeFolder) {
    fs::path copy = exeFolder / PathFromText(kHandoverExe);
    std::error_code error;
    if (!fs::exists(copy, error)) {
        fs::copy_file(start.executable, copy, error);
    }
    if (start.startProgram(copy, ArgumentsAfterProgram(start.commandLine))) {
        return kExitNormal;
    }
    std::fprintf(stderr, "gamesim: could not start %s\n", TextFromPath(copy).c_str());
    return kExitFixtureError;
}

std::string RendererName(Renderer renderer) {
    return renderer == Renderer::kDirectX10 ? "DirectX 10" : "DirectX 9";
}

std::string GameLogText(const StandInStart& start, const GameCommandLine& commandLine,
                        const PlaybackSettings& settings, Fault fault) {
    std::vector<std::string> lines = {
        "Log Started",
        "Framewright stand-in game (test fixture)",
        "Executable: " + TextFromPath(start.executable),
        "Command Line: " + start.commandLine,
        "Current folder: " + start.currentFolder,
        "Renderer: " + RendererName(settings.renderer),
        "Resolution: " + std::to_string(settings.width) + "x" + std::to_string(settings.height),
    };
    std::optional<std::string> map = commandLine.Setting("map");
    std::optional<std::string> demo = commandLine.Setting("demo");
    if (map) {
        lines.push_back("Loading level " + *map);
    }
    if (demo) {
        lines.push_back("Playing time demo " + *demo);
    }
    if (fault == Fault::kRunaway) {
        lines.push_back("[Error] Runaway thread");
    }
    return JoinCrLf(lines);
}

// The demo file and the log beside it, or nothing when the demo cannot be
// found; folder names are matched without regard to case.
struct DemoPaths {
    fs::path demoFile;
    fs::path logFile;
};

std::optional<DemoPaths> FindDemo(const fs::path& installDir, const GameCommandLine& commandLine) {
    std::optional<std::string> level = commandLine.Setting("map");
    std::optional<std::string> demo = commandLine.Setting("demo");
    if (!level || !demo || !IsPlainFileName(*level)) {
        return std::nullopt;
    }
    std::optional<DemoFileNames> names = DemoFileNamesFor(*demo);
    if (!names) {
        return std::nullopt;
    }
    std::optional<fs::path> folder = installDir;
    for (std::string_view part :
         {std::string_view("Game"), std::string_view("Levels"), std::string_view(*level)}) {
        folder = FindEntryIgnoreCase(*folder, part);
        if (!folder) {
            return std::nullopt;
        }
    }
    std::optional<fs::path> demoFile = FindEntryIgnoreCase(*folder, names->demoFile);
    std::error_code error;
    if (!demoFile || !fs::is_regular_file(*demoFile, error)) {
        return std::nullopt;
    }
    return DemoPaths{*demoFile, *folder / PathFromText(names->logFile)};
}

std::optional<int> ScreenshotFrame(const GameCommandLine& commandLine) {
    std::optional<std::string> text = commandLine.Setting("demo_screenshot_frame");
    int frame = 0;
    if (!text) {
        return std::nullopt;
    }
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), frame);
    if (error != std::errc() || end != text->data() + text->size() || frame <= 0) {
        return std::nullopt;
    }
    return frame;
}

bool SaveScreenshot(const fs::path& documents, int frame, const PlaybackSettings& settings) {
    fs::path folder = documents / "My Games" / "Crysis" / "ScreenShots";
    std::error_code error;
    fs::create_directories(folder, error);
    for (int number = 0; number < kMostScreenshots; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "ScreenShot%04d.jpg", number);
        fs::path file = folder / name;
        if (fs::exists(file, error)) {
            continue;
        }
        std::string comment = "Framewright stand-in game screenshot, " +
                              std::to_string(settings.width) + "x" +
                              std::to_string(settings.height) + ", " +
                              RendererName(settings.renderer) + ", frame " + std::to_string(frame);
        return WriteFileBytes(file, ScreenshotJpeg(comment));
    }
    return false;
}

}  // namespace

int RunStandInGame(const StandInStart& start) {
    const fs::path exeFolder = start.executable.parent_path();
    const fs::path installDir = exeFolder.parent_path();
    const FaultConfig config =
        ParseFaultConfig(ReadFileBytes(exeFolder / PathFromText(kFaultConfigFile)).value_or(""));

    RecordStart(start, exeFolder, installDir);

    if (config.fault == Fault::kHandover && start.startProgram &&
        !EqualsIgnoreCase(TextFromPath(start.executable.filename()), kHandoverExe)) {
        return HandOver(start, exeFolder);
    }

    const GameCommandLine commandLine = ParseGameCommandLine(start.commandLine);
    const PlaybackSettings settings = PlaybackSettingsFrom(commandLine);
    WriteFileBytes(installDir / "Game.log",
                   GameLogText(start, commandLine, settings, config.fault));
    if (config.fault == Fault::kCrash) {
        return kExitCrash;
    }

    std::optional<DemoPaths> demo = FindDemo(installDir, commandLine);
    if (!demo || config.fault == Fault::kRunaway) {
        return kExitNormal;
    }
    if (config.durationMs > 0 && start.wait) {
        start.wait(config.durationMs);
    }
    if (std::optional<int> frame = ScreenshotFrame(commandLine); frame && start.documents) {
        if (!SaveScreenshot(*start.documents, *frame, settings)) {
            std::fprintf(stderr, "gamesim: could not save the screenshot\n");
            return kExitFixtureError;
        }
    }
    if (config.fault == Fault::kNoLog) {
        return kExitNormal;
    }
    std::string text = PlaybackLogText(ComputeRunFigures(settings, config.seed), config.fault);
    if (!AppendFileBytes(demo->logFile, text)) {
        std::fprintf(stderr, "gamesim: could not write %s\n", TextFromPath(demo->logFile).c_str());
        return kExitFixtureError;
    }
    return kExitNormal;
}

}  // namespace fw::gamesim
