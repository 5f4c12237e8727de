#include <gtest/gtest.h>

#include "app/form_picker.h"
#include "fakes/form_fixture.h"

namespace fw::testing {
namespace {

using OptionsTest = FormFixture;

TEST_F(OptionsTest, VgaButtonAppliesTheStoredDemo) {
    struct Case {
        std::string demo;
        int item;
        std::string frameLabel;
        double maximum;
        bool frameEnabled;
        bool customControls;
    };
    const Case cases[] = {{"1", 0, "frame (1-2000)", 2000, true, false},
                          {"2", 1, "frame (1-2157)", 2157, true, false},
                          {"3", 2, "unknow frame", 2000, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.demo);
        Setting("Demo", c.demo);
        Setting("ScreenShot", "1");
        TForm1& f = Start();
        f.VGAButtonClick();
        EXPECT_EQ(f.Run.Mode, BenchMode::Vga);
        EXPECT_EQ(f.Run.ModeTitle, "VGA benchmark");
        EXPECT_FALSE(f.Panel1.Visible());
        EXPECT_FALSE(f.TabSheet5.Enabled());
        EXPECT_EQ(f.demo.ItemIndex(), c.item);
        EXPECT_EQ(f.FrameLabel.Caption(), c.frameLabel);
        EXPECT_EQ(f.FrameEdit.Maximum(), c.maximum);
        EXPECT_EQ(f.FrameEdit.Enabled(), c.frameEnabled);
        EXPECT_EQ(f.DemoEdit.Enabled(), c.customControls);
        EXPECT_EQ(f.mapnamebox.Enabled(), c.customControls);
        EXPECT_EQ(f.ScreenBox.Checked(), !c.customControls);
        EXPECT_EQ(Stored("ScreenShot"), c.customControls ? "0" : "1");
    }
}

TEST_F(OptionsTest, ProcessorButtonFixesTheCpuBenchmark) {
    Setting("DemoCPU", "2");
    TForm1& f = Start();
    f.CPUButtonClick();
    EXPECT_EQ(f.Run.Mode, BenchMode::Cpu);
    EXPECT_EQ(f.Run.ModeTitle, "CPU benchmark");
    EXPECT_EQ(f.demoCPU.ItemIndex(), 1);
    EXPECT_EQ(f.FrameLabel.Caption(), "frame (1-1500)");
    EXPECT_EQ(f.FrameEdit.Maximum(), 1500);
    EXPECT_FALSE(f.BoostBox.Enabled());
    EXPECT_FALSE(f.MultiGPUBox.Enabled());
    EXPECT_FALSE(f.TabSheet3.Enabled());
    f.RzGroup1Items2Click();
    EXPECT_EQ(f.ActivePage, Page::FiltersCpu);
}

TEST_F(OptionsTest, PageItemsShowTheirPagesAndAboutHidesThem) {
    TForm1& f = Start();
    EXPECT_FALSE(f.PageControl.Visible());
    const std::pair<void (TForm1::*)(), Page> items[] = {
        {&TForm1::RzGroup1Items0Click, Page::PathInfo},
        {&TForm1::RzGroup1Items1Click, Page::Resolution},
        {&TForm1::RzGroup1Items2Click, Page::FiltersGpu},
        {&TForm1::RzGroup1Items3Click, Page::Customization},
        {&TForm1::RzGroup1Items4Click, Page::Debug}};
    for (auto [item, page] : items) {
        f.RzGroup3Items4Click();
        EXPECT_FALSE(f.PageControl.Visible());
        (f.*item)();
        EXPECT_TRUE(f.PageControl.Visible());
        EXPECT_EQ(f.ActivePage, page);
    }
}

TEST_F(OptionsTest, DemoChoiceStoresAndSetsTheFrameRange) {
    TForm1& f = Start();
    f.ScreenBox.SetChecked(false);
    f.demo.SetItemIndex(1);
    EXPECT_EQ(Stored("Demo"), "2");
    EXPECT_TRUE(f.FrameEdit.Enabled());  // also with the screenshot box cleared
    EXPECT_EQ(f.FrameEdit.Maximum(), 2157);
    f.ScreenBox.SetChecked(true);
    f.demo.SetItemIndex(2);
    EXPECT_EQ(Stored("Demo"), "3");
    EXPECT_FALSE(f.ScreenBox.Checked());
    EXPECT_EQ(Stored("ScreenShot"), "0");
    EXPECT_FALSE(f.FrameEdit.Enabled());
    EXPECT_EQ(f.FrameLabel.Caption(), "unknow frame");
    EXPECT_EQ(f.FrameEdit.Minimum(), 1);
}

TEST_F(OptionsTest, RunCountDrivesTheReadOnlySkipBox) {
    TForm1& f = Start();
    f.RunNumberBox.SetValue(3);
    EXPECT_EQ(Stored("RunNumber"), "3");
    EXPECT_TRUE(f.SkipFirstBox.Checked());
    EXPECT_EQ(Stored("SkipFirstRun"), "1");
    f.SkipFirstBox.UserToggle();  // clicking does not change it
    EXPECT_TRUE(f.SkipFirstBox.Checked());
    f.RunNumberBox.SetValue(1);
    EXPECT_EQ(Stored("RunNumber"), "1");
    EXPECT_FALSE(f.SkipFirstBox.Checked());
    EXPECT_FALSE(f.SkipFirstBox.Enabled());
    EXPECT_EQ(Stored("SkipFirstRun"), "0");
    f.RunNumberBoxCPU.SetValue(5);
    EXPECT_EQ(Stored("RunNumberCPU"), "5");
    EXPECT_FALSE(f.SkipFirstBox.Checked());
}

TEST_F(OptionsTest, QualityIsStoredOnlyWhenThePointerLeaves) {
    TForm1& f = Start();
    f.QualityBox.SetItemIndex(2);  // arrow keys
    EXPECT_FALSE(Stored("Quality").has_value());
    EXPECT_EQ(f.QualityLevel, 0);
    f.QualityBoxMouseLeave();
    EXPECT_EQ(Stored("Quality"), "3");
    EXPECT_EQ(f.QualityLevel, 3);
}

TEST_F(OptionsTest, LeavingTheResolutionGroupStoresAllEightRows) {
    fake.displayModes.modes = {{800, 600}, {1024, 768}};
    Setting("2048", "1");
    TForm1& f = Start();
    f.res.SetItemChecked(1, true);
    fake.registry.writes.clear();
    f.resMouseLeave();
    EXPECT_EQ(fake.registry.writes,
              (std::vector<std::string>{"800=0", "1024=1", "1280=0", "1600=0", "2048=0", "hdw1=0",
                                        "hdw2=0", "hdw3=0"}));
}

TEST_F(OptionsTest, CustomBoxStoresOnlyWithBothSizes) {
    TForm1& f = Start();
    f.cusresbox.SetChecked(true);
    EXPECT_TRUE(f.cusresbox.Checked());
    EXPECT_EQ(Stored("CusRes"), "0");
    f.CusWidth.SetText("1280");
    f.CusHeight.SetText("768");
    f.cusresbox.SetChecked(false);
    f.cusresbox.SetChecked(true);
    EXPECT_EQ(Stored("CusRes"), "1");
}

TEST_F(OptionsTest, SavesMarkedETouchNothingWithoutTheKey) {
    TForm1& f = Start();
    fake.registry.RemoveKey(kSettings);
    fake.registry.writes.clear();
    f.ScreenBox.SetChecked(true);
    EXPECT_FALSE(f.FrameEdit.Enabled());
    f.UseCustomConfigBox.SetChecked(true);
    EXPECT_FALSE(f.ConfigEdit.Enabled());
    f.RunNumberBox.SetValue(4);
    EXPECT_FALSE(f.SkipFirstBox.Checked());
    f.NoteEdit.SetText("n");
    f.AFBox.SetItemIndex(1);
    EXPECT_TRUE(fake.registry.writes.empty());
}

TEST_F(OptionsTest, SwitchesAndListsStoreTheirValues) {
    Setting("Renderer", "1");
    TForm1& f = Start();
    f.MultiGPUBox.SetChecked(true);
    f.BoostBox.SetChecked(true);
    f.RandomBox.SetChecked(true);
    f.AutoUpdateBox.SetChecked(true);
    f.UseCustomConfigBox.SetChecked(true);
    f.AFBox.SetItemIndex(5);
    f.AABox.SetItemIndex(4);
    f.RendererBox.SetItemIndex(1);
    const std::pair<const char*, const char*> expected[] = {
        {"MultiGPU", "1"},  {"Boost", "1"},   {"Re", "1"},      {"AutoUpdate", "1"},
        {"UseCustom", "1"}, {"AFLevel", "5"}, {"AALevel", "4"}, {"Renderer", "2"}};
    for (auto [name, value] : expected) {
        EXPECT_EQ(Stored(name), value) << name;
    }
    EXPECT_TRUE(f.ConfigEdit.Enabled());
    EXPECT_EQ(f.Run.RendererSwitch, "-DX10");
    f.MultiGPUBox.SetChecked(false);
    EXPECT_EQ(Stored("MultiGPU"), "0");
}

TEST_F(OptionsTest, NoteRefusesTheFiftyFirstCharacter) {
    TForm1& f = Start();
    EXPECT_TRUE(f.NoteEdit.UserType(std::string(50, 'a')));
    EXPECT_FALSE(f.NoteEdit.UserType("b"));
    EXPECT_EQ(Stored("Note"), std::string(50, 'a'));
}

TEST_F(OptionsTest, FrameFieldTakesDigitsOnlyAndShowsGrouping) {
    TForm1& f = Start();
    f.FrameEdit.SetMaximum(2000);
    f.FrameEdit.SetText("abc", ',');
    EXPECT_EQ(f.FrameEdit.Value(), 1);
    f.FrameEdit.SetText("1500", ',');
    f.FrameEditKeyUp();
    EXPECT_EQ(Stored("Frame"), "1500");
    f.FrameEdit.Commit(',');
    EXPECT_EQ(f.FrameEdit.Text(), "1,500");
    f.FrameEdit.SetText("9999", ',');
    f.FrameEdit.Commit(',');
    EXPECT_EQ(f.FrameEdit.Value(), 2000);
}

TEST_F(OptionsTest, ResultsFolderBrowse) {
    TForm1& f = Start();
    fake.dialogs.folderAnswers = {std::string("C:\\"), std::string("D:\\Bench"), std::nullopt};
    f.RzToolButton5Click();
    EXPECT_EQ(fake.dialogs.folderDialogs.back(), "Results folder");
    EXPECT_EQ(Stored("ResultPath"), "C:\\");
    f.RzToolButton5Click();
    EXPECT_EQ(Stored("ResultPath"), "D:\\Bench\\");
    f.RzToolButton5Click();
    EXPECT_EQ(f.ResEdit.Text(), "D:\\Bench\\");
}

TEST_F(OptionsTest, OpenResultsFolder) {
    TForm1& f = Start();
    f.OpenResFolderClick();
    EXPECT_EQ(fake.shell.opened, std::vector<std::string>{f.ResEdit.Text()});
    f.ResEdit.SetText("D:\\Removed\\");
    f.OpenResFolderClick();
    ASSERT_EQ(fake.dialogs.taskDialogs.size(), 1u);
    EXPECT_EQ(fake.dialogs.taskDialogs[0].instruction, "The results directory not exist!");
    EXPECT_EQ(fake.dialogs.taskDialogs[0].title, "Benchmark Warning");
}

TEST_F(OptionsTest, FileChoicesUseTheirFiltersAndTitles) {
    TForm1& f = Start();
    fake.dialogs.fileAnswers = {std::string("C:\\cfg\\my.cfg"), std::string("C:\\d\\night.tmd"),
                                std::string("D:\\Games\\Crysis\\Bin32\\Crysis.exe"), std::nullopt};
    f.RzToolButton1Click();
    f.DemoEditButtonClick();
    f.RzToolButton2Click();
    f.RzToolButton1Click();
    ASSERT_EQ(fake.dialogs.fileDialogs.size(), 4u);
    EXPECT_EQ(fake.dialogs.fileDialogs[0].filter, "Crysis config file (*.cfg)|*.cfg");
    EXPECT_EQ(fake.dialogs.fileDialogs[0].title, "Open a config file");
    EXPECT_EQ(fake.dialogs.fileDialogs[1].filter, "Crysis demo file (*.tmd)|*.tmd");
    EXPECT_EQ(fake.dialogs.fileDialogs[1].title, "Open a demo file");
    EXPECT_EQ(fake.dialogs.fileDialogs[2].filter, "Crysis executable (Crysis.exe)|Crysis.exe");
    EXPECT_EQ(fake.dialogs.fileDialogs[2].title, "Open the Crysis executable");
    EXPECT_EQ(Stored("ConfigFile"), "C:\\cfg\\my.cfg");
    EXPECT_EQ(Stored("Demoname"), "C:\\d\\night.tmd");
    EXPECT_EQ(Stored("Path"), "D:\\Games\\Crysis\\Bin32\\");
    EXPECT_EQ(f.CrysisPathEdit.Text(), "D:\\Games\\Crysis\\Bin32\\");
    EXPECT_EQ(f.Install.BinPath, std::string(kInstallDir) + "Bin64\\");
    EXPECT_EQ(f.ConfigEdit.Text(), "C:\\cfg\\my.cfg");  // cancelling changed nothing
}

TEST_F(OptionsTest, UpdateOutcomeDecidesAutomaticChecks) {
    TForm1& f = Start();
    f.UpdaterNoUpdateAvailable();
    ASSERT_EQ(fake.dialogs.taskDialogs.size(), 1u);
    const auto& d = fake.dialogs.taskDialogs[0];
    EXPECT_EQ(d.title, "Quernmark Updater");
    EXPECT_EQ(d.instruction, "No update available.");
    EXPECT_EQ(d.content,
              "If you do not want to use the update function, please check the box below.");
    EXPECT_EQ(d.verificationText, "Disable automatic update (not recommended)");
    EXPECT_EQ(Stored("AutoUpdate"), "1");
    EXPECT_TRUE(f.AutoUpdateBox.Checked());
    fake.dialogs.verificationAnswer = true;
    f.UpdaterHostUnreachable();
    EXPECT_EQ(fake.dialogs.taskDialogs.back().instruction, "No internet connection.");
    EXPECT_EQ(Stored("AutoUpdate"), "0");
    EXPECT_FALSE(f.AutoUpdateBox.Checked());
    fake.registry.RemoveKey(kSettings);
    f.UpdaterAborted();
    EXPECT_EQ(fake.dialogs.taskDialogs.size(), 2u);
}

TEST_F(OptionsTest, RandomExeExplanationAndMissingHelp) {
    TForm1& f = Start();
    f.RzToolButton3Click();
    f.RzShapeButton4Click();
    ASSERT_EQ(fake.dialogs.taskDialogs.size(), 2u);
    const auto& random = fake.dialogs.taskDialogs[0];
    EXPECT_EQ(random.title, "Benchmark Information");
    EXPECT_EQ(random.instruction, "Random .exe, what is it?");
    const std::string first = "This is a possibility against the optimizations.";
    const auto gap = random.content.find(first) + first.size();
    EXPECT_EQ(random.content.substr(gap, 63), std::string(62, ' ') + "I");
    EXPECT_EQ(fake.dialogs.taskDialogs[1].instruction,
              "Corrupt Help file, please reinstall Brimvale Framewright!");
    fake.files.AddFile(std::string(kProgramFolder) + "Help.pdf");
    f.RzShapeButton4Click();
    EXPECT_EQ(fake.shell.opened.back(), std::string(kProgramFolder) + "Help.pdf");
}

class PickerTest : public FormFixture {
protected:
    PickerTest() {
        fake.displayModes.modes = {{1024, 768}, {1024, 768}, {1280, 1024}, {1600, 1200}};
    }
};

TEST_F(PickerTest, ListsEachSizeOnceAndAddsTheFirstTickedLine) {
    TForm1& f = Start();
    TForm3 picker(f, fake.displayModes);
    bool closed = false;
    picker.Close = [&] { closed = true; };
    picker.FormActivate();
    ASSERT_EQ(picker.RzCheckList1.size(), 3u);
    EXPECT_EQ(picker.RzCheckList1[0].text, "1024 x 768");
    picker.SetLineChecked(2, true);
    picker.SetLineChecked(1, true);
    picker.RzButton1Click();
    EXPECT_TRUE(closed);
    EXPECT_EQ(f.CusWidth.Text(), "1280");
    EXPECT_EQ(f.CusHeight.Text(), "1024");
    EXPECT_EQ(Stored("CusW"), "1280");
    EXPECT_EQ(Stored("CusH"), "1024");
    EXPECT_FALSE(Stored("CusRes").has_value());
    // Each activation starts unticked.
    picker.FormDeactivate();
    picker.FormActivate();
    EXPECT_FALSE(picker.RzCheckList1[1].checked);
}

TEST_F(PickerTest, AddWithNothingTickedOnlyCloses) {
    TForm1& f = Start();
    TForm3 picker(f, fake.displayModes);
    int closes = 0;
    picker.Close = [&] { ++closes; };
    picker.FormActivate();
    picker.RzButton1Click();
    picker.RzToolButton1Click();
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(f.CusWidth.Text(), "");
    EXPECT_FALSE(Stored("CusW").has_value());
}

}  // namespace
}  // namespace fw::testing
