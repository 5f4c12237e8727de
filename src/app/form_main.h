#pragma once
// The main window TForm1 without a toolkit: its controls, its state and its
// event handlers. The Win32 view binds the real controls to these members.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/main_window_host.h"
#include "bench/run_state.h"
#include "game/game_install.h"
#include "platform/platform.h"
#include "results/diagnostic_log.h"
#include "settings/settings_store.h"

namespace fw {

enum class Page { PathInfo, Resolution, FiltersGpu, FiltersCpu, Customization, Debug };

// Work that later parts of the program plug into the window.
struct FormSeams {
    std::function<void()> RestoreGameFiles;
    std::function<void()> RecoverGameFiles;
    std::function<void()> StartUpdateCheck;
    std::function<void(const std::string& version)> SetUpdaterVersion;
    std::function<void()> BenchButtonClick;
};

inline constexpr const char* kWarningTitle = "Benchmark Warning";
inline constexpr const char* kInformationTitle = "Benchmark Information";

class TForm1 {
public:
    TForm1(Platform& platform, MainWindowHost& host, bool debugMode);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    Platform& platform() { return platform_; }
    MainWindowHost& host() { return host_; }
    FormSeams seams;

    // --- controls, named as in the window design ---
    Control Panel1;  // the start panel
    Button VGAButton, CPUButton;
    Control PageControl;
    Page ActivePage = Page::PathInfo;
    Control TabSheet3, TabSheet5;  // graphics-card and processor Filters & demos pages
    Control DebugItem;             // "Debug" item of the group bar and the Debug tab
    Control Panel2;                // run progress
    Label Label20, Label21;
    Button BenchButton;
    Label MessageLabel;
    Button SpeedButton1, SpeedButton2, RzShapeButton1, RzShapeButton3, RzShapeButton4;

    Edit CrysisPathEdit;
    Button RzToolButton2;
    Label Label17, Label11;
    Edit ResEdit;
    Button OpenResFolder, RzToolButton5;
    CheckBox AutoUpdateBox{"Enable Automatic Update (recommended)"};
    CheckBox RandomBox{"Enable random .exe creation"};
    Button RzToolButton3;

    CheckGroup res;
    CheckBox cusresbox{"Custom resolution:"};
    Edit CusWidth, CusHeight;
    Button CusPossibilities;
    CheckBox MultiGPUBox{"Enable MultiGPU support (SLI and CrossFire)"};
    CheckBox ScreenBox{"Make a screenshot at the "};
    NumericEdit FrameEdit{1, 1, 1};
    Label FrameLabel;
    RadioGroup QualityBox;

    ComboBox AFBox, AABox;
    RadioGroup demo;
    Edit DemoEdit;
    Button DemoEditButton;
    ComboBox mapnamebox;
    ComboBox RendererBox;
    SpinEdit RunNumberBox{1, 5, 1};
    CheckBox SkipFirstBox{"Skip first score"};

    RadioGroup demoCPU;
    SpinEdit RunNumberBoxCPU{1, 5, 1};

    Edit NoteEdit{50};
    CheckBox UseCustomConfigBox{"Use custom config file "};
    Edit ConfigEdit;
    Button RzToolButton1;
    CheckBox BoostBox{"Enabled"};

    Memo DebugMemo;
    Button Button1, Button2;

    // --- state read by other parts ---
    RunState Run;
    GameInstall Install;
    int QualityLevel = 0;
    const bool DebugMode;
    SettingsStore Store;
    // The FileVersion text the version reader holds: the program's own until
    // the game's library is read, the game library's afterwards.
    std::string VersionReaderText;
    std::string ProgramVersion;
    DiagnosticLog Trace;

    // --- start-up and leaving ---
    void FormCreate();
    void FormShow();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void FormCloseQuery();
    void FormClose();
    void Image4MouseDown(bool leftButton);

    // --- start panel and navigation ---
    void VGAButtonClick();
    void CPUButtonClick();
    void RzGroup1Items0Click();
    void RzGroup1Items1Click();
    void RzGroup1Items2Click();
    void RzGroup1Items3Click();
    void RzGroup1Items4Click();
    void RzGroup3Items4Click();

    // --- saves ---
    void resMouseLeave();
    void cusresboxClick();
    void QualityBoxMouseLeave();
    void AFBoxChange();
    void AABoxChange();
    void RendererBoxChange();
    void demoChanging();
    void demoCPUChanging();
    void demoCPUMouseLeave();
    void RunNumberBoxChange();
    void RunNumberBoxCPUChange();
    void SkipFirstBoxClick();
    void FrameEditKeyUp();
    void ScreenBoxClick();
    void MultiGPUBoxClick();
    void MultiGPUBoxMouseLeave();
    void UseCustomConfigBoxClick();
    void BoostBoxClick();
    void RandomBoxClick();
    void NoteEditChange();
    void ResEditExit();
    void AutoUpdateBoxClick();

    // --- dialogs and links ---
    void RzToolButton5Click();
    void OpenResFolderClick();
    void RzToolButton1Click();
    void DemoEditButtonClick();
    void RzToolButton2Click();
    void RzToolButton3Click();
    void RzShapeButton1Click();
    void RzShapeButton3Click();
    void RzShapeButton4Click();
    void RzGroup3Items0Click();
    void RzGroup3Items3Click();
    void Button1Click();
    void ShowUpdaterOutcome(const std::string& instruction);
    void UpdaterNoUpdateAvailable();
    void UpdaterHostUnreachable();
    void UpdaterLaterUpgrade();
    void UpdaterAborted();

    // --- operations ---
    void ApplyModeAvailability();
    void ShowSplash();
    void StartUpdateCheck();
    void ShowPage(Page page);
    // The results folder of the system: the text of ResEdit.
    const std::string& ResultsFolder() const { return ResEdit.Text(); }
    std::array<bool, 8> SelectedRows() const;
    // The main window's task dialog: "Benchmark Warning", warning icon, OK.
    void ShowWarning(const std::string& instruction, const std::string& content = {});

private:
    void WireEvents();
    void OutcomeSettingsKeyMissing();
    void OutcomeGameKeyMissing();
    void ApplyDiscovery();
    void LoadStoredOptions();
    void LoadStoredOptionsAfterDiscovery();
    void ApplyDemoRow(int item);

    Platform& platform_;
    MainWindowHost& host_;
};

}  // namespace fw
