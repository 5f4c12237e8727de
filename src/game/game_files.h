#pragma once
// Setting the game's own files aside before a run and putting them back after
// it, and the repair at start-up after a run that did not end.
#include <optional>
#include <string>

#include "game/game_install.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "results/diagnostic_log.h"

namespace fw {

// What a run under way has written, kept beside the program so that the
// repair after a crash can tell the system's files from the user's.
struct RunRecord {
    std::string exeName;               // the random name in use, or ""
    std::string exeFolder;             // the folder of the renamed executable
    std::string autoexecText;          // the autoexec.cfg the run wrote, or ""
    std::string demoLogPath;           // the demo log the run reads
    bool screenshotsSetAside = false;  // the user's ScreenShots folder waits as ScreenShotsold
};

class GameFiles {
public:
    GameFiles(FileSystem& files, Clock& clock, const GameInstall& install, DiagnosticLog& trace)
        : files_(files), clock_(clock), install_(install), trace_(trace) {}

    void PutBackLeftoverCVarGroups();
    void PrepareScreenshotFolder();
    void BackUpGameFiles();
    // `screenshotBox`: the screenshot option as ticked now.
    // The executable gets its name back whenever this run renamed it, even if
    // the random-name box was cleared meanwhile.
    void RestoreGameFiles(bool screenshotBox);
    // Without the settings store: the caller stores "0" in "NoErrorWarning".
    void RecoverGameFiles(Dialogs& dialogs);

    // The run's own files, remembered in memory and beside the program.
    void RecordRun(const RunRecord& record);
    const RunRecord& Record() const { return record_; }
    void ForgetRun();

    // Random executable name: rename for the run and back.
    void RenameGameExe(const std::string& exeFolder, const std::string& exeName);
    void RestoreGameExe();

    std::string ConfigFolder() const { return install_.InstallDir + "Game\\Config\\"; }
    std::string RecordPath() const { return install_.ProgramFolder + "RunInProgress.dat"; }

private:
    // `runShots`: the working folder holds only what the game wrote for this
    // run; those pictures go to the program's own store instead of the user's.
    void PutBackScreenshotFolder(bool runShots);
    void PutBackDemoConfigs();
    void PutBackGameConfig();
    void PutBackAutoexec();
    void DeleteRunDemoLog();
    void LoadRecord();
    bool AutoexecIsOurs();

    FileSystem& files_;
    Clock& clock_;
    const GameInstall& install_;
    DiagnosticLog& trace_;
    RunRecord record_;
};

// The record's file text and back; unknown lines are ignored.
std::string EncodeRunRecord(const RunRecord& record);
RunRecord DecodeRunRecord(const std::string& text);

}  // namespace fw
