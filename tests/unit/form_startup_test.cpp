#include <gtest/gtest.h>

#include "fakes/form_fixture.h"
#include "game/discovery.h"

namespace fw::testing {
namespace {

using StartupTest = FormFixture;

TEST_F(StartupTest, MissingSettingsKeyWarnsAndReadsNothing) {
    fake.registry.RemoveKey(kSettings);
    TForm1& f = Start();

    ASSERT_EQ(fake.dialogs.taskDialogs.size(), 1u);
    const auto& dialog = fake.dialogs.taskDialogs[0];
    EXPECT_EQ(dialog.title, "Benchmark Warning");
    EXPECT_EQ(dialog.icon, DialogIcon::Warning);
    EXPECT_EQ(dialog.instruction, "Please reinstall the Brimvale Framewright!");
    EXPECT_EQ(dialog.content, "The Brimvale Framewright is not installed.");
    EXPECT_FALSE(f.BenchButton.Enabled());
    EXPECT_EQ(f.BenchButton.Hint(), "Please reinstall the Brimvale Framewright!");
    EXPECT_EQ(f.Label11.Caption(), "");
    EXPECT_EQ(f.CrysisPathEdit.Text(), "");
    EXPECT_TRUE(fake.registry.writes.empty());
    // The splash comes first and lasts 5000 ms.
    EXPECT_EQ(host.events.front(), "splash shown");
    EXPECT_EQ(fake.clock.sleeps.front(), 5000);
    // Nothing can be stored afterwards.
    f.RandomBox.SetChecked(true);
    EXPECT_TRUE(fake.registry.writes.empty());
}

TEST_F(StartupTest, SplashLastsItsFullTimeWhateverTheWindowSpendsBuilding) {
    struct Case {
        std::uint32_t shownAt;
        std::uint32_t buildMs;
        int wait;
    };
    const Case cases[] = {
        {12345, 0, 5000},         {12345, 320, 4680},
        {0xFFFFFF00u, 320, 4680},  // the tick counter wraps meanwhile
        {12345, 5000, 0},         {12345, 7000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buildMs);
        FakeHost caseHost;
        FakePlatform caseFake;
        caseFake.clock.ticks = c.shownAt;
        caseHost.onPrepare = [&] { caseFake.clock.ticks += c.buildMs; };
        Platform casePlatform = caseFake.Bundle();
        TForm1 f(casePlatform, caseHost, false);
        f.FormCreate();
        ASSERT_GE(caseHost.events.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(caseHost.events.begin(), caseHost.events.begin() + 3),
                  (std::vector<std::string>{"splash shown", "window built", "splash closed"}));
        ASSERT_FALSE(caseFake.clock.sleeps.empty());
        EXPECT_EQ(caseFake.clock.sleeps.front(), c.wait);
    }
}

TEST_F(StartupTest, MissingGameKeyWarnsButKeepsTheSettingsOpen) {
    fake.registry.RemoveKey(kGame);
    TForm1& f = Start();

    ASSERT_EQ(fake.dialogs.taskDialogs.size(), 1u);
    EXPECT_EQ(fake.dialogs.taskDialogs[0].instruction, "Please install Crysis!");
    EXPECT_EQ(fake.dialogs.taskDialogs[0].content, "The full version of Crysis is not installed.");
    EXPECT_EQ(f.MessageLabel.Caption(), "Please install Crysis!");
    EXPECT_EQ(f.BenchButton.Hint(), "Please install Crysis!");
    EXPECT_FALSE(f.BenchButton.Enabled());
    EXPECT_EQ(f.Label11.Caption(), "Unknow");
    EXPECT_TRUE(fake.registry.writes.empty());
    f.RandomBox.SetChecked(true);
    EXPECT_EQ(Stored("Re"), "1");
}

TEST_F(StartupTest, CreatesTheResultsFolderAndShowsTheProgramVersion) {
    TForm1& f = Start();
    EXPECT_TRUE(fake.files.FolderExists(std::string(kProgramFolder) + "Benchmark\\"));
    EXPECT_EQ(f.Label17.Caption(), "1.0.0.0");
    EXPECT_EQ(f.Install.ProgramFolder, kProgramFolder);
}

TEST_F(StartupTest, ProgramWithoutVersionInformation) {
    fake.os.versions.erase(fake.os.programPath);
    EXPECT_EQ(Start().Label17.Caption(), "Value Not Available");
}

TEST(NormaliseVersion, ThreePassesOfCommaAndBlank) {
    const std::pair<const char*, const char*> cases[] = {
        {"1, 1, 1, 6156", "1.1.1.6156"},
        {"1, 1, 1, 6115", "1.1.1.6115"},
        {"1, 2, 3, 4, 5", "1.2.3.4, 5"},
        {"Value Not Available", "ValueNotAvailable"},
        {"", ""},
        {"1.1.1.6156", "1.1.1.6156"},
    };
    for (auto [text, expected] : cases) {
        EXPECT_EQ(NormaliseVersion(text), expected) << text;
    }
}

struct VersionCase {
    std::optional<std::string> fileVersion;  // none: no version information
    std::string label;
    bool runEnabled;
    std::string message;
};

class GameVersionTest : public FormFixture, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(GameVersionTest, LabelButtonAndMessage) {
    const auto& c = GetParam();
    const std::string dll = std::string(kInstallDir) + "Bin64\\CrySystem.dll";
    if (c.fileVersion) {
        fake.os.versions[dll] = *c.fileVersion;
    } else {
        fake.os.versions.erase(dll);
    }
    TForm1& f = Start();
    EXPECT_EQ(f.Label11.Caption(), c.label);
    EXPECT_EQ(f.BenchButton.Enabled(), c.runEnabled);
    EXPECT_EQ(f.MessageLabel.Caption(), c.message);
    EXPECT_EQ(f.VersionReaderText, c.fileVersion.value_or("Value Not Available"));
}

const char* const kRefusal = "Please install the official v1.2 or 1.2.1 patch! NOT READY TO BENCH!";

INSTANTIATE_TEST_SUITE_P(Versions, GameVersionTest,
                         ::testing::Values(VersionCase{"1, 1, 1, 6156", "1.2.1", true, ""},
                                           VersionCase{"1, 1, 1, 6115", "1.2", true, ""},
                                           VersionCase{"1, 1, 1, 5879", "", false, kRefusal},
                                           VersionCase{"1, 1, 1, 5767", "", false, kRefusal},
                                           VersionCase{std::nullopt, "", false, kRefusal},
                                           VersionCase{"", "Unknow", true, ""},
                                           VersionCase{"1, 2, 3, 4, 5", "", false, kRefusal}));

struct DiscoveryCase {
    const char* name;
    bool wow64;
    bool bin32, bin64;
    std::string binPath;
};

class DiscoveryTest : public FormFixture, public ::testing::WithParamInterface<DiscoveryCase> {};

TEST_P(DiscoveryTest, PicksTheExecutableFolderOfThisWindows) {
    const auto& c = GetParam();
    fake.os.wow64 = c.wow64;
    fake.files = FakeFileSystem();
    fake.files.AddFolder(kProgramFolder);
    if (c.bin32)
        fake.files.AddFolder(std::string(kInstallDir) + "Bin32");
    if (c.bin64)
        fake.files.AddFolder(std::string(kInstallDir) + "Bin64");
    fake.os.versions[std::string(kInstallDir) + "Bin32\\CrySystem.dll"] = "1, 1, 1, 6115";
    TForm1& f = Start();

    EXPECT_EQ(f.Install.BinPath, c.binPath);
    EXPECT_EQ(f.CrysisPathEdit.Text(), c.binPath);
    EXPECT_EQ(Stored("Path"), c.binPath);
    EXPECT_EQ(f.Install.CVarGroupsPath, "C:\\Games\\Crysis\\Game\\Config\\CVarGroups\\");
    EXPECT_EQ(f.Install.CrysisConfigPath, "C:\\Users\\Ann\\Documents\\My Games\\Crysis\\");
    EXPECT_EQ(f.Install.CFGPath, kInstallDir);
    EXPECT_EQ(f.Install.DemoPath, "C:\\Games\\Crysis\\Game\\Levels\\");
    EXPECT_EQ(f.Install.ScreenShotsPath, std::string(kProgramFolder) + "ScreenShots\\");
    // Without the folder of this Windows the bare library name is read: no version.
    EXPECT_EQ(f.BenchButton.Enabled(), !c.binPath.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DiscoveryTest,
    ::testing::Values(
        DiscoveryCase{"64-bit Windows", true, true, true, "C:\\Games\\Crysis\\Bin64\\"},
        DiscoveryCase{"32-bit Windows", false, true, true, "C:\\Games\\Crysis\\Bin32\\"},
        DiscoveryCase{"64-bit without Bin64", true, true, false, ""},
        DiscoveryCase{"32-bit without Bin32", false, false, true, ""}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (auto& ch : name) {
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    });

TEST_F(StartupTest, MissingInstallDirLeavesFoldersEmptyAndRefuses) {
    fake.registry.RemoveKey(kGame);
    fake.registry.AddKey(kGame);
    TForm1& f = Start();
    EXPECT_EQ(f.Install.InstallDir, "");
    EXPECT_EQ(f.Install.DemoPath, "");
    EXPECT_FALSE(Stored("Path").has_value());
    EXPECT_FALSE(f.BenchButton.Enabled());
    EXPECT_EQ(f.MessageLabel.Caption(), kRefusal);
}

TEST_F(StartupTest, FailingWowQueryStopsTheRestOfStartUp) {
    fake.os.wow64Fails = true;
    Setting("NoErrorWarning", "1");
    Setting("Re", "1");
    bool recovered = false;
    form = std::make_unique<TForm1>(platform, host, false);
    form->seams.RecoverGameFiles = [&] { recovered = true; };
    EXPECT_THROW(form->FormCreate(), Wow64QueryError);
    EXPECT_FALSE(recovered);
    EXPECT_FALSE(form->RandomBox.Checked());
}

TEST_F(StartupTest, EmptySettingsKeyGivesTheDesignStates) {
    fake.displayModes.modes = {{800, 600}, {1024, 768}};
    TForm1& f = Start();
    for (int row = 0; row < 8; ++row) {
        EXPECT_FALSE(f.res.ItemChecked(row)) << row;
        EXPECT_EQ(f.res.ItemEnabled(row), row < 2) << row;
    }
    EXPECT_EQ(f.QualityBox.ItemIndex(), -1);
    EXPECT_EQ(f.QualityLevel, 0);
    EXPECT_EQ(f.AFBox.ItemIndex(), -1);
    EXPECT_EQ(f.AABox.ItemIndex(), -1);
    EXPECT_EQ(f.demo.ItemIndex(), -1);
    EXPECT_EQ(f.RendererBox.Text(), "DirectX 9");
    EXPECT_EQ(f.Run.RendererSwitch, "-DX9");
    EXPECT_EQ(f.RunNumberBox.Value(), 1);
    EXPECT_EQ(f.RunNumberBoxCPU.Value(), 1);
    EXPECT_FALSE(f.SkipFirstBox.Checked());
    for (const CheckBox* box : {&f.MultiGPUBox, &f.ScreenBox, &f.UseCustomConfigBox, &f.BoostBox,
                                &f.AutoUpdateBox, &f.RandomBox, &f.cusresbox}) {
        EXPECT_FALSE(box->Checked()) << box->Caption();
    }
    EXPECT_EQ(f.ResEdit.Text(), std::string(kProgramFolder) + "Benchmark\\");
    EXPECT_EQ(Stored("ResultPath"), std::string(kProgramFolder) + "Benchmark\\");
    EXPECT_EQ(Stored("Renderer"), "1");
}

// One stored value (or a few) and what the window shows after start-up.
struct StoredCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> values;
    int major;
    std::function<void(TForm1&, FormFixture&)> check;
};

class StoredValueTest : public FormFixture, public ::testing::WithParamInterface<StoredCase> {
public:
    using FormFixture::Stored;
};

TEST_P(StoredValueTest, StartUpShowsIt) {
    for (const auto& [name, value] : GetParam().values) {
        Setting(name, value);
    }
    fake.os.major = GetParam().major;
    fake.files.AddFile("C:\\cfg\\mine.cfg", "r_MotionBlur = 0\r\n");
    GetParam().check(Start(), *this);
}

StoredCase Case(const char* name, std::vector<std::pair<std::string, std::string>> values,
                std::function<void(TForm1&, FormFixture&)> check, int major = 6) {
    return StoredCase{name, std::move(values), major, std::move(check)};
}

std::optional<std::string> StoredIn(FormFixture& fixture, const std::string& name) {
    return static_cast<StoredValueTest&>(fixture).Stored(name);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StoredValueTest,
    ::testing::Values(
        Case("QualityOutOfRange", {{"Quality", "5"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_EQ(f.QualityBox.ItemIndex(), -1);
                 EXPECT_EQ(f.QualityLevel, 0);
             }),
        Case("QualityHigh", {{"Quality", "3"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_EQ(f.QualityBox.ItemIndex(), 2);
                 EXPECT_EQ(f.QualityLevel, 3);
             }),
        Case("FilterIndexes", {{"AFLevel", "0"}, {"AALevel", "7"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_EQ(f.AFBox.Text(), "None");
                 EXPECT_EQ(f.AABox.Text(), "From System");
             }),
        Case("FilterOutOfRange", {{"AFLevel", "6"}, {"AALevel", "x"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_EQ(f.AFBox.ItemIndex(), -1);
                 EXPECT_EQ(f.AABox.ItemIndex(), -1);
             }),
        Case("DirectX10OnVista", {{"Renderer", "2"}},
             [](TForm1& f, FormFixture& t) {
                 EXPECT_EQ(f.RendererBox.Text(), "DirectX 10");
                 EXPECT_TRUE(f.RendererBox.Enabled());
                 EXPECT_EQ(f.Run.RendererSwitch, "-DX10");
                 EXPECT_EQ(StoredIn(t, "Renderer"), "2");
             }),
        Case(
            "DirectX10OnXp", {{"Renderer", "2"}},
            [](TForm1& f, FormFixture& t) {
                EXPECT_EQ(f.RendererBox.Text(), "DirectX 9");
                EXPECT_EQ(f.RendererBox.Items(), std::vector<std::string>{"DirectX 9"});
                EXPECT_FALSE(f.RendererBox.Enabled());
                EXPECT_EQ(f.Run.RendererTitle, "DirectX 9");
                EXPECT_EQ(StoredIn(t, "Renderer"), "1");
            },
            5),
        Case("OneRunKeepsSkipCleared", {{"RunNumber", "1"}, {"SkipFirstRun", "1"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_FALSE(f.SkipFirstBox.Checked());
                 EXPECT_FALSE(f.SkipFirstBox.Enabled());
             }),
        Case("NoRunCountTicksSkip", {{"SkipFirstRun", "1"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_TRUE(f.SkipFirstBox.Checked());
                 EXPECT_EQ(f.RunNumberBox.Value(), 1);
             }),
        Case("ThreeRunsTickAndStoreSkip", {{"RunNumber", "3"}, {"SkipFirstRun", "0"}},
             [](TForm1& f, FormFixture& t) {
                 EXPECT_EQ(f.RunNumberBox.Value(), 3);
                 EXPECT_TRUE(f.SkipFirstBox.Checked());
                 EXPECT_EQ(StoredIn(t, "SkipFirstRun"), "1");
             }),
        Case("CpuRunCount", {{"RunNumberCPU", "5"}},
             [](TForm1& f, FormFixture&) { EXPECT_EQ(f.RunNumberBoxCPU.Value(), 5); }),
        Case("CustomSizeZero", {{"CusW", "0"}, {"CusH", "768"}, {"CusRes", "1"}},
             [](TForm1& f, FormFixture& t) {
                 EXPECT_EQ(f.CusWidth.Text(), "");
                 EXPECT_FALSE(f.cusresbox.Checked());
                 EXPECT_EQ(StoredIn(t, "CusH"), "768");
             }),
        Case("CustomSizeOffered", {{"CusW", "1280"}, {"CusH", "768"}, {"CusRes", "1"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_EQ(f.CusWidth.Text(), "1280");
                 EXPECT_EQ(f.CusHeight.Text(), "768");
                 EXPECT_TRUE(f.cusresbox.Checked());
             }),
        Case("CustomSizeNoLongerOffered", {{"CusW", "1280"}, {"CusH", "720"}, {"CusRes", "1"}},
             [](TForm1& f, FormFixture& t) {
                 EXPECT_EQ(f.CusWidth.Text(), "");
                 EXPECT_FALSE(f.cusresbox.Checked());
                 EXPECT_EQ(StoredIn(t, "CusW"), "0");
                 EXPECT_EQ(StoredIn(t, "CusH"), "0");
             }),
        Case("CustomSizeFoundAnywhereInTheText", {{"CusW", "800"}, {"CusH", "60"}},
             [](TForm1& f, FormFixture&) { EXPECT_EQ(f.CusHeight.Text(), "60"); }),
        Case("RowWithoutModeIgnoresItsValue", {{"2048", "1"}, {"800", "1"}},
             [](TForm1& f, FormFixture& t) {
                 EXPECT_FALSE(f.res.ItemChecked(4));
                 EXPECT_FALSE(f.res.ItemEnabled(4));
                 EXPECT_TRUE(f.res.ItemChecked(0));
                 EXPECT_EQ(StoredIn(t, "2048"), "1");
             }),
        Case("CustomDemoWithDeletedFile", {{"Demo", "3"}, {"Demoname", "C:\\gone\\night.tmd"}},
             [](TForm1& f, FormFixture& t) {
                 EXPECT_EQ(f.demo.ItemIndex(), 2);
                 EXPECT_EQ(f.DemoEdit.Text(), "");
                 EXPECT_EQ(StoredIn(t, "Demoname"), "C:\\gone\\night.tmd");
                 EXPECT_EQ(f.FrameLabel.Caption(), "unknow frame");
             }),
        Case("ScreenshotOnEnablesFrame", {{"ScreenShot", "1"}, {"Frame", "850"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_TRUE(f.ScreenBox.Checked());
                 EXPECT_TRUE(f.FrameEdit.Enabled());
                 EXPECT_EQ(f.FrameEdit.Text(), "850");
             }),
        Case("ResultPathRemoved", {{"ResultPath", "D:\\Gone\\"}},
             [](TForm1& f, FormFixture& t) {
                 EXPECT_EQ(f.ResEdit.Text(), std::string(kProgramFolder) + "Benchmark\\");
                 EXPECT_EQ(StoredIn(t, "ResultPath"), std::string(kProgramFolder) + "Benchmark\\");
             }),
        Case("UseCustomWithFile", {{"UseCustom", "1"}, {"ConfigFile", "C:\\cfg\\mine.cfg"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_TRUE(f.UseCustomConfigBox.Checked());
                 EXPECT_TRUE(f.ConfigEdit.Enabled());
                 EXPECT_TRUE(f.RzToolButton1.Enabled());
                 EXPECT_EQ(f.ConfigEdit.Text(), "C:\\cfg\\mine.cfg");
             }),
        Case("OddFlagsReadAsOff", {{"MultiGPU", "yes"}, {"Boost", "true"}, {"Re", "01"}},
             [](TForm1& f, FormFixture&) {
                 EXPECT_FALSE(f.MultiGPUBox.Checked());
                 EXPECT_FALSE(f.BoostBox.Checked());
                 EXPECT_FALSE(f.RandomBox.Checked());
             }),
        Case("Note", {{"Note", "first run"}},
             [](TForm1& f, FormFixture&) { EXPECT_EQ(f.NoteEdit.Text(), "first run"); })),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, RepairAndUpdateCheckRunWhenAsked) {
    Setting("NoErrorWarning", "1");
    Setting("AutoUpdate", "1");
    std::vector<std::string> calls;
    form = std::make_unique<TForm1>(platform, host, false);
    form->seams.RecoverGameFiles = [&] { calls.push_back("recover"); };
    form->seams.StartUpdateCheck = [&] { calls.push_back("update"); };
    form->FormCreate();
    EXPECT_EQ(calls, (std::vector<std::string>{"recover", "update"}));
    EXPECT_TRUE(form->AutoUpdateBox.Checked());
}

TEST_F(StartupTest, NoUpdateCheckWithoutTheSetting) {
    bool checked = false;
    form = std::make_unique<TForm1>(platform, host, false);
    form->seams.StartUpdateCheck = [&] { checked = true; };
    form->FormCreate();
    EXPECT_FALSE(checked);
    EXPECT_FALSE(form->AutoUpdateBox.Checked());
}

TEST_F(StartupTest, ExitRestoresAndStoresTheNote) {
    TForm1& f = Start();
    bool restored = false;
    f.seams.RestoreGameFiles = [&] { restored = true; };
    f.NoteEdit.SetText("quiet");
    fake.registry.writes.clear();
    f.SpeedButton1Click();
    EXPECT_TRUE(restored);
    EXPECT_EQ(fake.registry.writes, std::vector<std::string>{"Note=quiet"});
    EXPECT_EQ(host.events.back(), "end");
}

TEST_F(StartupTest, ClosingStoresNoteAndFrameTwiceWithoutRestoring) {
    TForm1& f = Start();
    bool restored = false;
    f.seams.RestoreGameFiles = [&] { restored = true; };
    fake.registry.writes.clear();
    f.FormCloseQuery();
    f.FormClose();
    EXPECT_FALSE(restored);
    EXPECT_EQ(fake.registry.writes,
              (std::vector<std::string>{"Note=", "Frame=1", "Note=", "Frame=1"}));
}

TEST_F(StartupTest, OnlyTheLeftButtonMovesTheWindow) {
    TForm1& f = Start();
    f.Image4MouseDown(false);
    EXPECT_NE(host.events.back(), "drag");
    f.Image4MouseDown(true);
    EXPECT_EQ(host.events.back(), "drag");
}

TEST_F(StartupTest, NewsOnlyWhenOnline) {
    TForm1& f = Start();
    f.FormShow();
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "news"), 0);
    fake.os.online = true;
    f.FormShow();
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "news"), 1);
}

}  // namespace
}  // namespace fw::testing
