#include "app/form_main.h"

namespace fw {

namespace {

std::vector<std::string> ResolutionCaptions() {
    return {"800 \xD7 600",   "1024 \xD7 768", "1280 \xD7 1024", "1600 \xD7 1200",
            "2048 \xD7 1536", "1280 \xD7 768", "1920 \xD7 1080", "1920 \xD7 1200"};
}

}  // namespace

TForm1::TForm1(Platform& platform, MainWindowHost& host, bool debugMode)
    : res(" Resolution ", ResolutionCaptions()),
      QualityBox(" Quality ", {"Low", "Medium", "High", "Very High with tweaks"}),
      AFBox({"None", "Anisotropic 2\xD7", "Anisotropic 4\xD7", "Anisotropic 8\xD7",
             "Anisotropic 16\xD7", "From System"}),
      AABox({"Off", "2\xD7", "4\xD7", "8\xD7", "8xQ", "16x", "16xQ", "From System"}),
      demo(" Choose a demo ", {"Crytek Built-in", "Kelvo Core", "Custom:"}),
      mapnamebox({"Ascension", "Core", "Fleet", "Harbor", "Ice", "Island", "Mine", "Rescue",
                  "Sphere", "Tank", "Village"},
                 "Choose a level"),
      RendererBox({"DirectX 9", "DirectX 10"}, "Choose a renderer"),
      demoCPU(" Choose a CPU demo ", {"Crytek Ice", "Crytek Island"}),
      DebugMode(debugMode),
      Store(platform.registry),
      platform_(platform),
      host_(host) {
    // The window design's states.
    PageControl.SetVisible(false);
    Panel2.SetVisible(false);
    DebugItem.SetVisible(false);
    Label21.SetVisible(false);
    FrameLabel.SetCaption("(1-2000)");
    DemoEdit.SetReadOnly(true);
    DemoEdit.SetEnabled(false);
    DemoEditButton.SetEnabled(false);
    mapnamebox.SetEnabled(false);
    ConfigEdit.SetReadOnly(true);
    ConfigEdit.SetEnabled(false);
    RzToolButton1.SetEnabled(false);
    CrysisPathEdit.SetReadOnly(true);
    ResEdit.SetReadOnly(true);
    CusWidth.SetReadOnly(true);
    CusHeight.SetReadOnly(true);
    SkipFirstBox.SetReadOnly(true);

    BenchButton.SetHint("Run a benchmark");
    SpeedButton1.SetHint("Exit");
    SpeedButton2.SetHint("Minimize");
    RzShapeButton1.SetHint("Check for newer version");
    RzShapeButton3.SetHint("Visit our site");
    RzShapeButton4.SetHint("Open the help file");
    RzToolButton2.SetHint("Browse...");
    RzToolButton5.SetHint("Browse...");
    OpenResFolder.SetHint("Open results folder");
    RzToolButton3.SetHint("What is the random .exe?");
    WireEvents();
}

void TForm1::WireEvents() {
    SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
    VGAButton.OnClick = [this] { VGAButtonClick(); };
    CPUButton.OnClick = [this] { CPUButtonClick(); };
    BenchButton.OnClick = [this] {
        if (seams.BenchButtonClick) {
            seams.BenchButtonClick();
        }
    };
    cusresbox.OnClick = [this] { cusresboxClick(); };
    AFBox.OnChange = [this] { AFBoxChange(); };
    AABox.OnChange = [this] { AABoxChange(); };
    RendererBox.OnChange = [this] { RendererBoxChange(); };
    demo.OnChanging = [this] { demoChanging(); };
    demoCPU.OnChanging = [this] { demoCPUChanging(); };
    RunNumberBox.OnChange = [this] { RunNumberBoxChange(); };
    RunNumberBoxCPU.OnChange = [this] { RunNumberBoxCPUChange(); };
    SkipFirstBox.OnClick = [this] { SkipFirstBoxClick(); };
    ScreenBox.OnClick = [this] { ScreenBoxClick(); };
    MultiGPUBox.OnClick = [this] { MultiGPUBoxClick(); };
    UseCustomConfigBox.OnClick = [this] { UseCustomConfigBoxClick(); };
    BoostBox.OnClick = [this] { BoostBoxClick(); };
    RandomBox.OnClick = [this] { RandomBoxClick(); };
    AutoUpdateBox.OnClick = [this] { AutoUpdateBoxClick(); };
    NoteEdit.OnChange = [this] { NoteEditChange(); };
    RzToolButton5.OnClick = [this] { RzToolButton5Click(); };
    OpenResFolder.OnClick = [this] { OpenResFolderClick(); };
    RzToolButton1.OnClick = [this] { RzToolButton1Click(); };
    DemoEditButton.OnClick = [this] { DemoEditButtonClick(); };
    RzToolButton2.OnClick = [this] { RzToolButton2Click(); };
    RzToolButton3.OnClick = [this] { RzToolButton3Click(); };
    RzShapeButton1.OnClick = [this] { RzShapeButton1Click(); };
    RzShapeButton3.OnClick = [this] { RzShapeButton3Click(); };
    RzShapeButton4.OnClick = [this] { RzShapeButton4Click(); };
    CusPossibilities.OnClick = [this] { host_.ShowPickerModal(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm1::ShowWarning(const std::string& instruction, const std::string& content) {
    TaskDialogRequest request;
    request.title = kWarningTitle;
    request.icon = DialogIcon::Warning;
    request.instruction = instruction;
    request.content = content;
    platform_.dialogs.ShowTaskDialog(request);
}

std::array<bool, 8> TForm1::SelectedRows() const {
    std::array<bool, 8> rows{};
    for (int row = 0; row < 8; ++row) {
        rows[row] = res.ItemChecked(row);
    }
    return rows;
}

void TForm1::ShowPage(Page page) {
    ActivePage = page;
    PageControl.SetVisible(true);
    // The page control's visibility is the one state the view watches for pages.
    if (PageControl.OnViewSync) {
        PageControl.OnViewSync();
    }
}

}  // namespace fw
