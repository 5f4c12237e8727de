#include <gtest/gtest.h>

#include "app/run_controller.h"
#include "fakes/form_fixture.h"
#include "fakes/recording_surfaces.h"

namespace fw::testing {
namespace {

const std::string kDocs = "C:\\Users\\Ann\\Documents\\My Games\\Crysis\\";
const std::string kBin = std::string(kInstallDir) + "Bin64\\";
const std::string kConfig = std::string(kInstallDir) + "Game\\Config\\";
const std::string kLevels = std::string(kInstallDir) + "Game\\Levels\\";

// One playback of the demo log as the game writes it.
std::string DemoLog(int runs, double base) {
    std::string log =
        std::string(62, '=') +
        "\r\nTimeDemo Play Started , (Total Frames: 2000, Recorded Time: 111.86s)\r\n";
    for (int i = 0; i < runs; ++i) {
        char block[400];
        double avg = base + i * 5;
        std::snprintf(block, sizeof block,
                      "!TimeDemo Run %d Finished.\r\n    Play Time: 61.29s, Average FPS: %.2f\r\n"
                      "    Min FPS: %.2f at frame 1955, Max FPS: %.2f at frame 78\r\n"
                      "    Average Tri/Sec: -13398170, Tri/Frame: -410563\r\n"
                      "    Recorded/Played Tris ratio: -2.23\r\n",
                      i, avg, avg - 10, avg + 10);
        log += block;
    }
    log += "TimeDemo Play Ended, (" + std::to_string(runs) + " Runs Performed)\r\n" +
           std::string(62, '=') + "\r\n";
    return log;
}

class RunTest : public FormFixture {
protected:
    RunTest() {
        auto& fs = fake.files;
        fs.AddFile(kBin + "Crysis.exe", "game");
        fs.AddFile(std::string(kInstallDir) + "autoexec.cfg", "user autoexec\r\n");
        fs.AddFile(kConfig + "CVarGroups\\sys_spec_shading.cfg", "game groups");
        fs.AddFile(kConfig + "benchmark_gpu.cfg", "gpu cfg");
        fs.AddFile(kConfig + "coredemo.cfg", "core cfg");
        fs.AddFile(kLevels + "island\\benchmark_gpu.tmd", "demo");
        fs.AddFolder(kLevels + "core");
        fs.AddFile(kDocs + "game.cfg", "user game.cfg");
        fs.AddFile(kDocs + "ScreenShots\\ScreenShot0000.jpg", "user picture");
        fs.AddFile(std::string(kProgramFolder) + "CVarGroups\\sys_spec_ours.cfg", "ours");
        fs.AddFile(std::string(kProgramFolder) + "coredemo.tmd", "our core demo");
        Setting("1024", "1");
        Setting("hdw2", "1");
        Setting("Quality", "4");
        Setting("AFLevel", "3");
        Setting("AALevel", "2");
        Setting("Renderer", "2");
        Setting("RunNumber", "2");
        Setting("Demo", "1");
    }

    // The game folders as the user left them; the run must give them back.
    std::map<std::string, std::string> GameTrees() {
        std::map<std::string, std::string> trees;
        for (auto& [path, bytes] : fake.files.Snapshot()) {
            if (path.rfind("c:\\games\\crysis", 0) == 0 || path.rfind("c:\\users", 0) == 0) {
                trees[path] = bytes;
            }
        }
        return trees;
    }

    void StartVga() {
        Start();
        run = std::make_unique<RunController>(*form, surfaces);
        form->VGAButtonClick();
    }

    // Plays the running game: writes its log (or not) and ends the process.
    void GameEnds(std::optional<std::string> log,
                  const std::string& logName = "benchmark_gpu.log") {
        if (log) {
            fake.files.AddFile(kLevels + "island\\" + logName, *log);
        }
        fake.processes.Terminate();
    }

    BlankSurfaceFactory surfaces;
    std::unique_ptr<RunController> run;
};

TEST_F(RunTest, TwoResolutionsRunInOrderAndLeaveTheGameAsItWas) {
    StartVga();
    const auto before = GameTrees();
    form->BenchButton.Press();

    ASSERT_EQ(fake.processes.started.size(), 1u);
    EXPECT_EQ(fake.processes.started[0].commandLine,
              kBin +
                  "Crysis.exe -DEVMODE +map island +demo benchmark_gpu +r_Width 1024 "
                  "+r_Height 768 +r_Fullscreen 1 +demo_num_runs 2 +demo_quit 1 "
                  "+s_SoundEnable 0 +s_MusicEnable 0 -DX10 +demo_time_of_day = 16 "
                  "r_Texture_Anisotropic_Level = 8 +r_FSAA = 1 +r_FSAA_samples = 4 "
                  "+r_FSAA_quality = 0");
    EXPECT_EQ(fake.processes.started[0].folder, kBin);
    // While the game runs, the run is marked and the game's files are ours.
    EXPECT_EQ(Stored("NoErrorWarning"), "1");
    EXPECT_TRUE(fake.files.FileExists(kDocs + "gameold.cfg"));
    EXPECT_TRUE(fake.files.FileExists(std::string(kInstallDir) + "autoexec_old.cfg"));
    EXPECT_EQ(*fake.files.ReadFile(std::string(kInstallDir) + "autoexec.cfg"),
              "demo_ai = 0\r\ndemo_restart_level = 0\r\nr_UseGSParticles = 1\r\n"
              "r_ShadowGenGS = 1\r\nr_MotionBlur = 3\r\n");
    EXPECT_TRUE(fake.files.FileExists(kConfig + "CVarGroups\\sys_spec_ours.cfg"));
    EXPECT_FALSE(form->BenchButton.Enabled());

    GameEnds(DemoLog(2, 40));
    ASSERT_EQ(fake.processes.started.size(), 2u);
    EXPECT_NE(fake.processes.started[1].commandLine.find("+r_Width 1920 +r_Height 1080"),
              std::string::npos);
    // Each resolution reads a fresh log.
    EXPECT_FALSE(fake.files.FileExists(kLevels + "island\\benchmark_gpu.log"));

    GameEnds(DemoLog(2, 30));
    EXPECT_EQ(form->MessageLabel.Caption(), "The benchmarking is successful.");
    EXPECT_TRUE(form->BenchButton.Enabled());
    EXPECT_EQ(Stored("NoErrorWarning"), "0");
    EXPECT_EQ(GameTrees(), before);

    const std::string folder = std::string(kProgramFolder) + "Benchmark\\";
    const std::string report = folder + "result_143005__09_12_2008.htm";
    ASSERT_TRUE(fake.files.FileExists(report));
    EXPECT_TRUE(fake.files.FileExists(folder + "result_143005__09_12_2008chart.jpg"));
    EXPECT_FALSE(fake.files.FileExists(std::string(kProgramFolder) + "ch.bmp"));
    const std::string html = *fake.files.ReadFile(report);
    EXPECT_NE(
        html.find("<BR><B><FONT size=5>Resolution: 1024\xD7"
                  "768</FONT></B><BR>\r\n"
                  "<span class=\"style5\"><b>Result(1):</b>&nbsp;&nbsp;&nbsp;Minimum= 35 FPS"),
        std::string::npos);
    EXPECT_NE(html.find("<p align=\"center\"><img src=\"result_143005__09_12_2008chart.jpg\"><br>"),
              std::string::npos);
    EXPECT_EQ(fake.shell.opened, std::vector<std::string>{report});
    EXPECT_EQ(fake.clock.sleeps, (std::vector<int>{5000, 2000, 2000, 1000, 250}));
}

TEST_F(RunTest, MissingLogAbortsAfterTheFirstResolution) {
    StartVga();
    const auto before = GameTrees();
    form->BenchButton.Press();
    GameEnds(std::nullopt);
    EXPECT_EQ(fake.processes.started.size(), 1u);
    EXPECT_EQ(form->MessageLabel.Caption(), "Benchmark aborted!");
    EXPECT_EQ(form->Run.TotalCount, form->Run.DoneCount);
    EXPECT_TRUE(form->BenchButton.Enabled());
    EXPECT_FALSE(form->Panel2.Visible());
    EXPECT_EQ(Stored("NoErrorWarning"), "0");
    EXPECT_EQ(GameTrees(), before);
    EXPECT_TRUE(fake.files.ListFiles(std::string(kProgramFolder) + "Benchmark").empty());
}

struct AbortCase {
    const char* name;
    int major;
    std::optional<std::string> log;
    std::string gameLog;
    std::string message;
};

class AbortTest : public RunTest, public ::testing::WithParamInterface<AbortCase> {};

TEST_P(AbortTest, EndsTheRunWithItsMessage) {
    const auto& c = GetParam();
    fake.os.major = c.major;
    Setting("RunNumber", "1");
    StartVga();
    const auto before = GameTrees();
    form->BenchButton.Press();
    fake.files.AddFile(std::string(kInstallDir) + "Game.log", c.gameLog);
    GameEnds(c.log);
    EXPECT_EQ(form->MessageLabel.Caption(), c.message);
    EXPECT_EQ(fake.processes.started.size(), 1u);
    fake.files.DeleteFile(std::string(kInstallDir) + "Game.log");
    EXPECT_EQ(GameTrees(), before);
}

std::string ShortLog() {
    std::string log = DemoLog(1, 40);
    return log.substr(0, log.rfind("TimeDemo Play Ended"));
}

INSTANTIATE_TEST_SUITE_P(
    Logs, AbortTest,
    ::testing::Values(AbortCase{"RunawayOnVista", 6, std::nullopt, "[Error] Runaway thread\r\n",
                                "Maybe your VGA card isn't DirectX 10-capable. Benchmark aborted!"},
                      AbortCase{"RunawayOnXp", 5, std::nullopt, "[Error] Runaway thread\r\n",
                                "Benchmark aborted!"},
                      AbortCase{"ShortLog", 6, ShortLog(), "", "Benchmark aborted!"},
                      AbortCase{"GarbageValue", 6,
                                "x\r\nx\r\n!Run\r\n    Average FPS: abc\r\n    Min FPS: 1 Max FPS: "
                                "2\r\nx\r\nx\r\nx\r\nx\r\n",
                                "", "Benchmark aborted! The demo log holds no valid score."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunTest, KilledRunIsRepairedAtTheNextStart) {
    Setting("Re", "1");
    StartVga();
    const auto before = GameTrees();
    form->BenchButton.Press();
    ASSERT_EQ(fake.processes.started.size(), 1u);
    EXPECT_FALSE(fake.files.FileExists(kBin + "Crysis.exe"));  // under its random name
    // The program dies here; the next start finds the mark.
    run.reset();
    form.reset();
    fake.processes.pending = nullptr;
    fake.files.AddFile(kLevels + "island\\benchmark_gpu.log", DemoLog(1, 40));
    form = std::make_unique<TForm1>(platform, host, false);
    run = std::make_unique<RunController>(*form, surfaces);
    form->FormCreate();
    EXPECT_EQ(Stored("NoErrorWarning"), "0");
    EXPECT_TRUE(fake.dialogs.confirms.empty());  // the run's own autoexec.cfg needs no question
    EXPECT_EQ(GameTrees(), before);
}

TEST_F(RunTest, KilledRunKeepsItsScreenshotOutOfTheUsersFolder) {
    Setting("ScreenShot", "1");
    Setting("Frame", "850");
    StartVga();
    const auto before = GameTrees();
    form->BenchButton.Press();
    // The game goes on after the program died and saves its picture.
    fake.files.AddFile(kDocs + "ScreenShots\\ScreenShot0000.jpg", "run shot");
    run.reset();
    form.reset();
    fake.processes.pending = nullptr;
    form = std::make_unique<TForm1>(platform, host, false);
    run = std::make_unique<RunController>(*form, surfaces);
    form->FormCreate();
    EXPECT_EQ(GameTrees(), before);
    EXPECT_EQ(*fake.files.ReadFile(std::string(kProgramFolder) + "ScreenShots\\ScreenShot0000.jpg"),
              "run shot");
}

TEST_F(RunTest, ProcessorRunLeavesTheUsersScreenshotAlone) {
    Setting("ScreenShot", "1");
    Setting("DemoCPU", "1");
    Setting("hdw2", "0");
    fake.files.AddFile(kLevels + "ice\\benchmark_cpuice.tmd", "demo");
    Start();
    run = std::make_unique<RunController>(*form, surfaces);
    form->CPUButtonClick();
    const auto before = GameTrees();
    form->BenchButton.Press();
    ASSERT_EQ(fake.processes.started.size(), 1u);
    fake.files.AddFile(kLevels + "ice\\benchmark_cpuice.log", DemoLog(1, 40));
    fake.processes.Terminate();
    EXPECT_EQ(form->MessageLabel.Caption(), "The benchmarking is successful.");
    EXPECT_EQ(*fake.files.ReadFile(kDocs + "ScreenShots\\ScreenShot0000.jpg"), "user picture");
    EXPECT_EQ(GameTrees(), before);
}

TEST_F(RunTest, RepairWithoutARecordAsksAboutAutoexec) {
    Setting("NoErrorWarning", "1");
    fake.files.AddFile(kDocs + "Gameold.cfg", "original");
    fake.files.AddFile(kConfig + "benchmark_cpuiceold.cfg", "original ice");
    fake.dialogs.confirmAnswer = false;
    Start();
    run = std::make_unique<RunController>(*form, surfaces);
    // The repair hook is wired after the window's creation in this test, so run it again.
    Setting("NoErrorWarning", "1");
    form->seams.RecoverGameFiles();
    EXPECT_EQ(*fake.files.ReadFile(kDocs + "Game.cfg"), "original");
    EXPECT_EQ(*fake.files.ReadFile(kConfig + "benchmark_cpuice.cfg"), "original ice");
    ASSERT_EQ(fake.dialogs.confirms.size(), 1u);
    EXPECT_EQ(fake.dialogs.confirms[0].substr(0, 9), "Confirm: ");
    EXPECT_TRUE(fake.files.FileExists(std::string(kInstallDir) + "autoexec.cfg"));
    EXPECT_EQ(Stored("NoErrorWarning"), "0");
}

TEST_F(RunTest, ExitWithoutARunKeepsTheUsersAutoexec) {
    StartVga();
    const auto before = GameTrees();
    form->SpeedButton1Click();
    EXPECT_EQ(GameTrees(), before);
}

TEST_F(RunTest, LeftoverScreenshotFolderCostsNoPicture) {
    Setting("ScreenShot", "1");
    Setting("Frame", "850");
    fake.files.AddFile(kDocs + "ScreenShotsold\\ScreenShot0000.jpg", "older picture");
    StartVga();
    form->BenchButton.Press();
    // The game writes the run's screenshot into the emptied folder.
    fake.files.AddFile(kDocs + "ScreenShots\\ScreenShot0000.jpg", "run shot 1");
    GameEnds(DemoLog(2, 40));
    fake.files.AddFile(kDocs + "ScreenShots\\ScreenShot0000.jpg", "run shot 2");
    GameEnds(DemoLog(2, 40));
    EXPECT_EQ(form->MessageLabel.Caption(), "The benchmarking is successful.");
    EXPECT_FALSE(fake.files.FolderExists(kDocs + "ScreenShotsold"));
    auto pictures = fake.files.ListFiles(kDocs + "ScreenShots");
    std::vector<std::string> contents;
    for (auto& name : pictures) {
        contents.push_back(*fake.files.ReadFile(kDocs + "ScreenShots\\" + name));
    }
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{"older picture", "user picture"}));
    const std::string shots = std::string(kProgramFolder) + "ScreenShots\\";
    EXPECT_EQ(*fake.files.ReadFile(shots + "frame850_143005__09_12_2008_1024\xD7"
                                           "768.jpg"),
              "run shot 1");
    EXPECT_TRUE(fake.files.FileExists(shots + "frame850_143005__09_12_2008_1920\xD7"
                                              "1080.txt"));
    EXPECT_EQ(fake.shell.opened.back(), shots);
}

TEST_F(RunTest, UnwritableConfigurationEndsTheRunWithFilesBack) {
    StartVga();
    const auto before = GameTrees();
    fake.files.MakeReadOnly(std::string(kInstallDir) + "autoexec.cfg");
    fake.files.MakeReadOnly(std::string(kInstallDir) + "autoexec_old.cfg");
    form->BenchButton.Press();
    EXPECT_TRUE(fake.processes.started.empty());
    EXPECT_EQ(form->MessageLabel.Caption().rfind("The game configuration could not be written", 0),
              0u);
    EXPECT_TRUE(form->BenchButton.Enabled());
    EXPECT_EQ(Stored("NoErrorWarning"), "0");
    EXPECT_EQ(GameTrees(), before);
}

TEST_F(RunTest, ValidationStopsBeforeAnythingChanges) {
    Setting("Demo", "3");
    StartVga();
    const auto before = fake.files.Snapshot();
    form->Trace.Add("old trace");
    form->BenchButton.Press();
    EXPECT_EQ(form->MessageLabel.Caption(), "Please set ALL custom demo options!");
    EXPECT_TRUE(form->DebugMemo.Lines().empty());
    EXPECT_EQ(fake.files.Snapshot(), before);
}

TEST_F(RunTest, EmptySelectionShowsTheDialog) {
    Setting("1024", "0");
    Setting("hdw2", "0");
    StartVga();
    form->BenchButton.Press();
    ASSERT_FALSE(fake.dialogs.taskDialogs.empty());
    EXPECT_EQ(fake.dialogs.taskDialogs.back().instruction, "Please, choose a resolution!");
    EXPECT_EQ(fake.dialogs.taskDialogs.back().content,
              "You do not choose a resolution of benchmark.");
    EXPECT_TRUE(form->BenchButton.Enabled());
    EXPECT_TRUE(fake.processes.started.empty());
}

TEST_F(RunTest, LaunchFailureReportsProgramError) {
    fake.processes.failStart = true;
    StartVga();
    form->BenchButton.Press();
    EXPECT_EQ(form->MessageLabel.Caption(), "Program error, benchmark aborted!");
    EXPECT_TRUE(form->BenchButton.Enabled());
}

TEST_F(RunTest, SixtyFourBitGameIsAwaited) {
    Setting("hdw2", "0");
    StartVga();
    form->BenchButton.Press();
    fake.processes.runningLooks["Crysis64.exe"] = 2;
    GameEnds(DemoLog(2, 40));
    EXPECT_EQ(fake.clock.sleeps, (std::vector<int>{5000, 5000, 5000, 2000, 250}));
    EXPECT_EQ(fake.clock.messagePumps, 3);
    EXPECT_EQ(form->MessageLabel.Caption(), "The benchmarking is successful.");
}

}  // namespace
}  // namespace fw::testing
