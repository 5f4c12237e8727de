#include "game/game_files.h"

#include <algorithm>
#include <vector>

#include "common/text.h"

namespace fw {

namespace {

constexpr const char* kDemoConfigs[] = {"benchmark_gpu", "benchmark_cpuice", "benchmark_cpuisland",
                                        "coredemo"};
constexpr const char* kLeftoverAutoexecQuestion =
    "Maybe the last time an error occured. The program restored the original settings, but found "
    "an autoexec.cfg file in your Crysis folder. If it's not yours, please delete it. Do you wish "
    "to delete the autoexec.cfg file?";

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            char next = text[++i];
            out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

// "name.jpg" -> "name (2).jpg", the first name not yet taken in the folder.
std::string FreeName(FileSystem& files, const std::string& folder, const std::string& name) {
    const auto dot = name.find_last_of('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
    for (int n = 2;; ++n) {
        std::string candidate = stem + " (" + std::to_string(n) + ")" + ext;
        if (!files.FileExists(folder + candidate)) {
            return candidate;
        }
    }
}

}  // namespace

std::string EncodeRunRecord(const RunRecord& record) {
    return "exe=" + Escape(record.exeName) + "\r\nexefolder=" + Escape(record.exeFolder) +
           "\r\nautoexec=" + Escape(record.autoexecText) +
           "\r\ndemolog=" + Escape(record.demoLogPath) +
           "\r\nshots=" + (record.screenshotsSetAside ? "1" : "0") + "\r\n";
}

RunRecord DecodeRunRecord(const std::string& text) {
    RunRecord record;
    for (const auto& line : SplitLines(text)) {
        auto eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, eq);
        const std::string value = Unescape(line.substr(eq + 1));
        if (key == "exe") {
            record.exeName = value;
        } else if (key == "exefolder") {
            record.exeFolder = value;
        } else if (key == "autoexec") {
            record.autoexecText = value;
        } else if (key == "demolog") {
            record.demoLogPath = value;
        } else if (key == "shots") {
            record.screenshotsSetAside = value == "1";
        }
    }
    return record;
}

void GameFiles::RecordRun(const RunRecord& record) {
    record_ = record;
    files_.WriteFileAtomic(RecordPath(), EncodeRunRecord(record_));
}

void GameFiles::ForgetRun() {
    record_ = RunRecord();
    files_.DeleteFile(RecordPath());
}

void GameFiles::LoadRecord() {
    if (auto text = files_.ReadFile(RecordPath())) {
        record_ = DecodeRunRecord(*text);
    }
}

bool GameFiles::AutoexecIsOurs() {
    if (record_.autoexecText.empty()) {
        return false;
    }
    auto current = files_.ReadFile(install_.CFGPath + "autoexec.cfg");
    return current && *current == record_.autoexecText;
}

void GameFiles::PutBackLeftoverCVarGroups() {
    const std::string config = ConfigFolder();
    if (!files_.FolderExists(config + "CVarGroupsold\\")) {
        return;
    }
    if (files_.FolderExists(install_.CVarGroupsPath)) {
        files_.ShellDeleteFolder(install_.CVarGroupsPath);
    }
    files_.Rename(config + "CVarGroupsold", install_.CVarGroupsPath);
}

// The user's folder comes back under its own name. Whatever the working folder
// still holds is moved into it first, so that no picture is lost — also none
// taken after an interrupted run.
void GameFiles::PutBackScreenshotFolder(bool runShots) {
    const std::string base = install_.CrysisConfigPath;
    const std::string old = base + "ScreenShotsold\\";
    const std::string current = base + "ScreenShots\\";
    if (!files_.FolderExists(old)) {
        return;
    }
    if (files_.FolderExists(current)) {
        const std::string keep = runShots ? install_.ScreenShotsPath : old;
        for (const auto& name : files_.ListFiles(current)) {
            std::string target =
                files_.FileExists(keep + name) ? FreeName(files_, keep, name) : name;
            files_.ShellMove(current + name, keep + target);
        }
        if (files_.ListFiles(current).empty()) {
            files_.ShellDeleteFolder(current);
        }
    }
    files_.Rename(base + "ScreenShotsold", base + "ScreenShots");
}

void GameFiles::PrepareScreenshotFolder() {
    const std::string base = install_.CrysisConfigPath;
    // A folder left aside by an interrupted run goes back first, merged, so the
    // run can set the user's pictures aside again.
    PutBackScreenshotFolder(false);
    if (files_.FolderExists(base + "ScreenShots\\") &&
        files_.Rename(base + "ScreenShots", base + "ScreenShotsold")) {
        files_.CreateFolders(base + "ScreenShots");
        RunRecord record = record_;
        record.screenshotsSetAside = true;
        RecordRun(record);
    }
}

void GameFiles::BackUpGameFiles() {
    const std::string autoexec = install_.CFGPath + "autoexec.cfg";
    if (files_.FileExists(autoexec)) {
        files_.ShellMove(autoexec, install_.CFGPath + "autoexec_old.cfg");
        trace_.Head(kRenameAutoexecTitle);
    }
    const std::string config = ConfigFolder();
    // Without a folder of the program's own the game keeps its own groups.
    if (files_.FolderExists(install_.ProgramFolder + "CVarGroups\\")) {
        if (files_.FolderExists(install_.CVarGroupsPath)) {
            files_.Rename(install_.CVarGroupsPath, config + "CVarGroupsold\\");
        }
        files_.ShellCopyFolder(install_.ProgramFolder + "CVarGroups",
                               install_.InstallDir + "Game\\Config");
    }
    for (const char* name : kDemoConfigs) {
        const std::string file = config + name + ".cfg";
        if (files_.FileExists(file)) {
            files_.Rename(file, config + name + "old.cfg");
        }
    }
}

void GameFiles::PutBackAutoexec() {
    const std::string autoexec = install_.CFGPath + "autoexec.cfg";
    const std::string old = install_.CFGPath + "autoexec_old.cfg";
    if (files_.FileExists(old)) {
        if (files_.FileExists(autoexec)) {
            files_.DeleteFile(autoexec);
        }
        clock_.Sleep(250);
        files_.ShellMove(old, autoexec);
    } else if (files_.FileExists(autoexec) && AutoexecIsOurs()) {
        // Only the file this run wrote goes; a user's own autoexec.cfg stays.
        files_.DeleteFile(autoexec);
    }
}

void GameFiles::PutBackDemoConfigs() {
    const std::string config = ConfigFolder();
    for (const char* name : kDemoConfigs) {
        const std::string old = config + name + "old.cfg";
        if (files_.FileExists(old)) {
            files_.Rename(old, config + name + ".cfg");
        }
    }
}

void GameFiles::PutBackGameConfig() {
    const std::string base = install_.CrysisConfigPath;
    if (files_.FileExists(base + "Gameold.cfg")) {
        if (files_.FileExists(base + "Game.cfg")) {
            files_.DeleteFile(base + "Game.cfg");
        }
        files_.Rename(base + "Gameold.cfg", base + "Game.cfg");
    }
}

void GameFiles::RenameGameExe(const std::string& exeFolder, const std::string& exeName) {
    const std::string source = exeFolder + "Crysis.exe";
    if (!files_.FileExists(source)) {
        return;
    }
    trace_.Head(kRenameGameExeTitle);
    trace_.Add(std::string(kRandomNamePrefix) + exeName);
    RunRecord record = record_;
    record.exeName = exeName;
    record.exeFolder = exeFolder;
    RecordRun(record);
    files_.ShellMove(source, exeFolder + exeName);
}

void GameFiles::RestoreGameExe() {
    if (record_.exeName.empty()) {
        return;
    }
    const std::string renamed = record_.exeFolder + record_.exeName;
    if (files_.FileExists(renamed)) {
        files_.ShellMove(renamed, record_.exeFolder + "Crysis.exe");
        trace_.Head(kRestoreGameExeTitle);
    }
}

void GameFiles::DeleteRunDemoLog() {
    if (!record_.demoLogPath.empty() && files_.FileExists(record_.demoLogPath)) {
        files_.DeleteFile(record_.demoLogPath);
    }
}

void GameFiles::RestoreGameFiles(bool screenshotBox) {
    RestoreGameExe();
    DeleteRunDemoLog();
    PutBackAutoexec();
    PutBackLeftoverCVarGroups();
    PutBackDemoConfigs();
    PutBackGameConfig();
    if (screenshotBox || record_.screenshotsSetAside) {
        PutBackScreenshotFolder(record_.screenshotsSetAside);
    }
    ForgetRun();
}

void GameFiles::RecoverGameFiles(Dialogs& dialogs) {
    LoadRecord();
    const bool runRecorded = files_.FileExists(RecordPath());
    PutBackScreenshotFolder(runRecorded && record_.screenshotsSetAside);
    PutBackGameConfig();
    PutBackDemoConfigs();
    const std::string autoexec = install_.CFGPath + "autoexec.cfg";
    if (runRecorded) {
        // The interrupted run left a note of what it changed: everything it
        // set aside comes back, and its own autoexec.cfg goes without a question.
        PutBackLeftoverCVarGroups();
        RestoreGameExe();
        DeleteRunDemoLog();
        if (files_.FileExists(install_.CFGPath + "autoexec_old.cfg") || AutoexecIsOurs()) {
            PutBackAutoexec();
        }
    }
    // Without a note of the run the system cannot tell whose autoexec.cfg it
    // is, so the user decides.
    if (!runRecorded && files_.FileExists(autoexec) &&
        dialogs.Confirm("Confirm", kLeftoverAutoexecQuestion)) {
        files_.DeleteFile(autoexec);
    }
    ForgetRun();
}

}  // namespace fw
