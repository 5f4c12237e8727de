// Start-up and leaving the program.
#include <algorithm>
#include <cstdint>

#include "app/display_mode_list.h"
#include "app/form_main.h"
#include "bench/resolution_catalogue.h"
#include "common/text.h"
#include "game/discovery.h"

namespace fw {

namespace {

constexpr const char* kReinstall = "Please reinstall the Brimvale Framewright!";
constexpr const char* kInstallCrysis = "Please install Crysis!";

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// "1".."n" as a zero-based item, or -1 for any other text.
int OneBasedItem(const std::string& value, int count) {
    for (int n = 1; n <= count; ++n) {
        if (value == std::to_string(n)) {
            return n - 1;
        }
    }
    return -1;
}

int ZeroBasedItem(const std::string& value, int count) {
    for (int n = 0; n < count; ++n) {
        if (value == std::to_string(n)) {
            return n;
        }
    }
    return -1;
}

}  // namespace

void TForm1::ShowSplash() {
    constexpr std::uint32_t kSplashMs = 5000;
    host_.ShowSplash();
    // The splash stays its full time, however long the window took to build
    // what it shows later.
    const std::uint32_t shownAt = platform_.clock.Ticks();
    host_.PrepareWhileSplashShows();
    const std::uint32_t spent = std::min(platform_.clock.Ticks() - shownAt, kSplashMs);
    platform_.clock.Sleep(static_cast<int>(kSplashMs - spent));
    host_.HideSplash();
}

void TForm1::FormCreate() {
    ShowSplash();
    Install.ProgramFolder = FolderOf(platform_.os.ProgramPath());
    PageControl.SetVisible(false);
    ActivePage = Page::PathInfo;
    // Failure to create the results folder is not reported; the user learns
    // of it when the folder is opened or a report is saved.
    platform_.files.CreateFolders(Install.ProgramFolder + "Benchmark\\");

    VersionReaderText = platform_.os.FileVersion(platform_.os.ProgramPath());
    ProgramVersion = VersionReaderText;
    if (seams.SetUpdaterVersion) {
        seams.SetUpdaterVersion(ProgramVersion);
    }
    Label17.SetCaption(ProgramVersion);

    if (!Store.Open()) {
        OutcomeSettingsKeyMissing();
        return;
    }
    if (!Store.OpenKeyAt(kGameKey)) {
        OutcomeGameKeyMissing();
        return;
    }
    Store.Open();
    LoadStoredOptions();
    ApplyDiscovery();
    Store.Open();
    LoadStoredOptionsAfterDiscovery();
}

void TForm1::OutcomeSettingsKeyMissing() {
    ShowWarning(kReinstall, "The Brimvale Framewright is not installed.");
    BenchButton.SetEnabled(false);
    BenchButton.SetHint(kReinstall);
}

void TForm1::OutcomeGameKeyMissing() {
    ShowWarning(kInstallCrysis, "The full version of Crysis is not installed.");
    MessageLabel.SetCaption(kInstallCrysis);
    BenchButton.SetEnabled(false);
    BenchButton.SetHint(kInstallCrysis);
    Label11.SetCaption(kUnknownVersionLabel);
}

void TForm1::ApplyModeAvailability() {
    const std::string modeText = JoinModeText(ListDisplayModes(platform_.displayModes));
    for (int position = 0; position < 8; ++position) {
        const ResolutionEntry& entry = EntryAt(position);
        if (Contains(modeText, entry.ModeText)) {
            res.SetItemChecked(position, Store.ReadValue(entry.SettingName) == "1");
        } else {
            res.SetItemChecked(position, false);
            res.SetItemEnabled(position, false);
        }
    }
    const std::string width = Store.ReadValue("CusW");
    const std::string height = Store.ReadValue("CusH");
    if (width == "0" || height == "0") {
        return;
    }
    if (Contains(modeText, width + " x " + height)) {
        CusWidth.SetText(width);
        CusHeight.SetText(height);
        cusresbox.SetChecked(Store.ReadValue("CusRes") == "1" && !CusWidth.Text().empty() &&
                             !CusHeight.Text().empty());
    } else {
        Store.WriteValue("CusW", "0");
        Store.WriteValue("CusH", "0");
    }
}

void TForm1::LoadStoredOptions() {
    ApplyModeAvailability();

    if (int item = OneBasedItem(Store.ReadValue("Quality"), 4); item >= 0) {
        QualityBox.SetItemIndex(item);
        QualityLevel = item + 1;
    }
    if (int item = ZeroBasedItem(Store.ReadValue("AFLevel"), 6); item >= 0) {
        AFBox.SetItemIndex(item);
    }
    if (int item = ZeroBasedItem(Store.ReadValue("AALevel"), 8); item >= 0) {
        AABox.SetItemIndex(item);
    }

    const bool vista = platform_.os.MajorVersion() == 6;
    if (Store.ReadValue("Renderer") == "2" && vista) {
        RendererBox.SetItemIndex(1);
        Run.RendererTitle = "DirectX 10";
        Run.RendererSwitch = "-DX10";
    } else {
        RendererBox.SetItemIndex(0);
        Run.RendererTitle = "DirectX 9";
        Run.RendererSwitch = "-DX9";
    }
    if (platform_.os.MajorVersion() != 6) {
        RendererBox.DeleteItem(1);
        RendererBox.SetEnabled(false);
    }

    const std::string runNumber = Store.ReadValue("RunNumber");
    if (runNumber == "1") {
        RunNumberBox.SetValue(1);
        SkipFirstBox.SetChecked(false);
        SkipFirstBox.SetEnabled(false);
    } else if (int item = OneBasedItem(runNumber, 5); item >= 1) {
        RunNumberBox.SetValue(item + 1);
        SkipFirstBox.SetEnabled(false);
    }
    SkipFirstBox.SetChecked(Store.ReadValue("SkipFirstRun") == "1" &&
                            Store.ReadValue("RunNumber") != "1");

    if (int item = OneBasedItem(Store.ReadValue("RunNumberCPU"), 5); item >= 0) {
        RunNumberBoxCPU.SetValue(item + 1);
    }
    FrameEdit.SetText(Store.ReadValue("Frame"), platform_.locale.ThousandsMark());
    MultiGPUBox.SetChecked(Store.ReadValue("MultiGPU") == "1");
    if (Store.ReadValue("ScreenShot") == "1") {
        ScreenBox.SetChecked(true);
        FrameEdit.SetEnabled(true);
    } else {
        ScreenBox.SetChecked(false);
        FrameEdit.SetEnabled(false);
    }
}

void TForm1::ApplyDiscovery() {
    DiscoveryResult found = DiscoverGame(Store, platform_.os, platform_.files, Install);
    if (found.installDirFound) {
        CrysisPathEdit.SetText(Install.BinPath);
        Store.Open();
        Store.WriteValue("Path", CrysisPathEdit.Text());
    }
    VersionReaderText = found.fileVersionText;
    if (found.verdict.label) {
        Label11.SetCaption(*found.verdict.label);
    }
    if (found.verdict.refused) {
        MessageLabel.SetCaption(kUnsupportedVersionMessage);
        BenchButton.SetEnabled(false);
    }
}

void TForm1::LoadStoredOptionsAfterDiscovery() {
    const std::string demoValue = Store.ReadValue("Demo");
    if (demoValue == "1") {
        demo.SetItemIndex(0);
    } else if (demoValue == "2") {
        demo.SetItemIndex(1);
    } else if (demoValue == "3") {
        const std::string demoName = Store.ReadValue("Demoname");
        if (!demoName.empty() && platform_.files.FileExists(demoName)) {
            DemoEdit.SetText(demoName);
        }
        demo.SetItemIndex(2);
    }

    const bool useCustom = Store.ReadValue("UseCustom") == "1";
    UseCustomConfigBox.SetChecked(useCustom);
    ConfigEdit.SetEnabled(useCustom);
    RzToolButton1.SetEnabled(useCustom);
    const std::string configFile = Store.ReadValue("ConfigFile");
    if (!configFile.empty() && platform_.files.FileExists(configFile)) {
        ConfigEdit.SetText(configFile);
    }

    BoostBox.SetChecked(Store.ReadValue("Boost") == "1");

    ResEdit.SetText(Store.ReadValue("ResultPath"));
    if (ResEdit.Text().empty() || !platform_.files.FolderExists(ResEdit.Text())) {
        ResEdit.SetText(Install.ProgramFolder + "Benchmark\\");
        Store.Save("ResultPath", ResEdit.Text());
    }

    NoteEdit.SetText(Store.ReadValue("Note"));

    if (Store.ReadValue("NoErrorWarning") == "1" && seams.RecoverGameFiles) {
        seams.RecoverGameFiles();
    }

    if (Store.ReadValue("AutoUpdate") == "1") {
        StartUpdateCheck();
        AutoUpdateBox.SetChecked(true);
    } else {
        AutoUpdateBox.SetChecked(false);
    }

    RandomBox.SetChecked(Store.ReadValue("Re") == "1");
}

void TForm1::StartUpdateCheck() {
    if (seams.StartUpdateCheck) {
        seams.StartUpdateCheck();
    }
}

void TForm1::FormShow() {
    if (platform_.os.IsOnline()) {
        host_.ShowNews();
    }
}

void TForm1::SpeedButton1Click() {
    if (seams.RestoreGameFiles) {
        seams.RestoreGameFiles();
    }
    Store.Save("Note", NoteEdit.Text());
    host_.EndProgram();
}

void TForm1::SpeedButton2Click() {
    host_.Minimize();
}

void TForm1::FormCloseQuery() {
    if (Store.Exists()) {
        Store.Open();
        Store.WriteValue("Note", NoteEdit.Text());
        Store.WriteValue("Frame", FrameEdit.Text());
    }
}

void TForm1::FormClose() {
    // The same two values once more, as the window closes for good.
    FormCloseQuery();
}

void TForm1::Image4MouseDown(bool leftButton) {
    if (leftButton) {
        host_.BeginWindowDrag();
    }
}

}  // namespace fw
