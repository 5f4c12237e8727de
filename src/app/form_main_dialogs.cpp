// File and folder choices, links, help and the update outcomes.
#include "app/form_main.h"
#include "common/text.h"
#include "game/discovery.h"

namespace fw {

namespace {

constexpr const char* kHomePage = "www.brimvale.example";
constexpr const char* kTweakGuide = "www.tweakguides.com/Crysis_1.html";
constexpr const char* kUpdaterTitle = "Quernmark Updater";

std::string RandomExeExplanation() {
    return "The benchmark create a random file name instead of crysis.exe. After the bench this "
           "file will be renamed to the original crysis.exe. This is a possibility against the "
           "optimizations." +
           std::string(62, ' ') +
           "IMPORTANT! Both NVIDIA and ATI have built in profiles, so you could get improper "
           "results or any crash. This feature only on DVD version of game.";
}

}  // namespace

void TForm1::RzToolButton5Click() {
    auto chosen = platform_.dialogs.BrowseFolder("Results folder");
    if (!chosen) {
        return;
    }
    // A drive root such as C:\ already ends in a backslash.
    ResEdit.SetText(chosen->size() < 4 ? *chosen : *chosen + "\\");
    Store.Save("ResultPath", ResEdit.Text());
}

void TForm1::OpenResFolderClick() {
    if (ResEdit.Text().empty()) {
        return;
    }
    if (platform_.files.FolderExists(ResEdit.Text())) {
        platform_.shell.Open(ResEdit.Text());
    } else {
        ShowWarning("The results directory not exist!");
    }
}

void TForm1::RzToolButton1Click() {
    auto chosen =
        platform_.dialogs.OpenFile({"Crysis config file (*.cfg)|*.cfg", "Open a config file"});
    if (!chosen) {
        return;
    }
    ConfigEdit.SetText(*chosen);
    if (!ConfigEdit.Text().empty()) {
        Store.Save("ConfigFile", ConfigEdit.Text());
    }
}

void TForm1::DemoEditButtonClick() {
    auto chosen =
        platform_.dialogs.OpenFile({"Crysis demo file (*.tmd)|*.tmd", "Open a demo file"});
    if (!chosen) {
        return;
    }
    DemoEdit.SetText(*chosen);
    if (!DemoEdit.Text().empty()) {
        Store.Save("Demoname", DemoEdit.Text());
    }
}

void TForm1::RzToolButton2Click() {
    auto chosen = platform_.dialogs.OpenFile(
        {"Crysis executable (Crysis.exe)|Crysis.exe", "Open the Crysis executable"});
    if (!chosen) {
        return;
    }
    CrysisPathEdit.SetText(FolderOfChosenFile(*chosen));
    Install.Path = CrysisPathEdit.Text();
    if (!CrysisPathEdit.Text().empty()) {
        Store.Save("Path", CrysisPathEdit.Text());
    }
}

void TForm1::RzToolButton3Click() {
    TaskDialogRequest request;
    request.title = kInformationTitle;
    request.icon = DialogIcon::Information;
    request.instruction = "Random .exe, what is it?";
    request.content = RandomExeExplanation();
    platform_.dialogs.ShowTaskDialog(request);
}

void TForm1::RzShapeButton1Click() {
    StartUpdateCheck();
}
void TForm1::RzShapeButton3Click() {
    platform_.shell.Open(kHomePage);
}
void TForm1::RzGroup3Items3Click() {
    platform_.shell.Open(kHomePage);
}
void TForm1::RzGroup3Items0Click() {
    platform_.shell.Open(kTweakGuide);
}

void TForm1::RzShapeButton4Click() {
    const std::string help = Install.ProgramFolder + "Help.pdf";
    if (platform_.files.FileExists(help)) {
        platform_.shell.Open(help);
    } else {
        ShowWarning("Corrupt Help file, please reinstall Brimvale Framewright!");
    }
}

void TForm1::Button1Click() {
    if (!platform_.files.WriteFileAtomic("C:\\log.txt", Trace.SaveText())) {
        platform_.dialogs.ShowError(
            kWarningTitle,
            "The log could not be saved to C:\\log.txt. Writing to the root folder of drive C: "
            "needs administrator rights; start the program as administrator and try again.");
    }
}

void TForm1::ShowUpdaterOutcome(const std::string& instruction) {
    if (!Store.Exists()) {
        return;
    }
    TaskDialogRequest request;
    request.title = kUpdaterTitle;
    request.instruction = instruction;
    request.content = "If you do not want to use the update function, please check the box below.";
    request.verificationText = "Disable automatic update (not recommended)";
    const bool disable = platform_.dialogs.ShowTaskDialog(request).verificationChecked;
    Store.Open();
    Store.WriteFlag("AutoUpdate", !disable);
    // The box follows the stored value; its own save writes the same value.
    AutoUpdateBox.SetChecked(!disable);
}

void TForm1::UpdaterNoUpdateAvailable() {
    ShowUpdaterOutcome("No update available.");
}
void TForm1::UpdaterHostUnreachable() {
    ShowUpdaterOutcome("No internet connection.");
}
void TForm1::UpdaterLaterUpgrade() {
    ShowUpdaterOutcome("Benchmark update aborted.");
}
void TForm1::UpdaterAborted() {
    ShowUpdaterOutcome("Benchmark update aborted.");
}

}  // namespace fw
