#include "app/run_controller.h"

#include "bench/command_line.h"
#include "bench/demo_choice.h"
#include "bench/game_config.h"
#include "common/text.h"
#include "results/chart_export.h"
#include "results/demo_log.h"
#include "results/report.h"
#include "results/screenshots.h"
#include "sysinfo/system_facts.h"

namespace fw {

namespace {

constexpr const char* kProgramError = "Program error, benchmark aborted!";
constexpr const char* kSuccess = "The benchmarking is successful.";

// The run count of a spin value: "1".."5", anything else "1".
std::string RunCountText(int value) {
    return value >= 1 && value <= 5 ? std::to_string(value) : std::string("1");
}

}  // namespace

RunController::RunController(TForm1& form, SurfaceFactory& surfaces)
    : form_(form),
      platform_(form.platform()),
      surfaces_(surfaces),
      gameFiles_(platform_.files, platform_.clock, form.Install, form.Trace),
      chart_(platform_.locale.ThousandsMark()) {
    form_.seams.BenchButtonClick = [this] { BenchButtonClick(); };
    form_.seams.RestoreGameFiles = [this] {
        gameFiles_.RestoreGameFiles(form_.ScreenBox.Checked());
    };
    form_.seams.RecoverGameFiles = [this] {
        form_.Store.Open();
        gameFiles_.RecoverGameFiles(platform_.dialogs);
        form_.Store.WriteValue("NoErrorWarning", "0");
    };
}

bool RunController::IsVista() {
    return platform_.os.MajorVersion() == 6;
}

void RunController::SyncDebugMemo() {
    form_.DebugMemo.SetLines(form_.Trace.Lines());
}

std::string RunController::DemoLogPath() const {
    const RunState& run = form_.Run;
    return form_.Install.DemoPath + run.LevelName + "\\" + run.DemoName + ".log";
}

void RunController::BenchButtonClick() {
    form_.Trace.Clear();
    SyncDebugMemo();
    if (form_.Run.Mode != BenchMode::Cpu) {
        if (form_.demo.ItemIndex() == 2 &&
            (form_.DemoEdit.Text().empty() || form_.mapnamebox.ItemIndex() < 0)) {
            form_.MessageLabel.SetCaption("Please set ALL custom demo options!");
            return;
        }
        if (form_.UseCustomConfigBox.Checked() &&
            !platform_.files.FileExists(form_.ConfigEdit.Text())) {
            form_.MessageLabel.SetCaption("Please define your custom config file!");
            return;
        }
    }
    PrepareBenchmark();
    SyncDebugMemo();
}

void RunController::PrepareBenchmark() {
    RunState& run = form_.Run;
    // The run marks itself before it changes the first game file, so that the
    // next start repairs what a crash or a kill would leave behind.
    form_.Store.Save("NoErrorWarning", "1");
    gameFiles_.RecordRun(RunRecord());

    run.SavedBounds = form_.host().NormalBounds();
    if (!WriteQualityConfig()) {
        return;
    }
    run.DemoTitle.clear();
    run.ExeName = form_.RandomBox.Checked() ? MakeRandomName(6, platform_.clock.Ticks()) + ".exe"
                                            : std::string("Crysis.exe");
    form_.MessageLabel.SetCaption("");
    gameFiles_.PutBackLeftoverCVarGroups();
    if (!run.LevelName.empty() || !run.DemoName.empty()) {
        const std::string previousLog = DemoLogPath();
        if (platform_.files.FileExists(previousLog)) {
            platform_.files.DeleteFile(previousLog);
        }
    }
    if (run.Mode == BenchMode::Vga && form_.ScreenBox.Checked()) {
        gameFiles_.PrepareScreenshotFolder();
        run.ScreenshotOption = BuildScreenshotOption(form_.FrameEdit.Value());
    }
    form_.BenchButton.SetEnabled(false);
    run.ReportPath.clear();

    form_.Label21.SetVisible(false);
    form_.Label20.SetLeft(63);
    form_.Label20.SetFontSize(10);
    form_.Label20.SetCaption("Collecting system information, please wait...");
    // In debug mode the trace stays in view instead of the progress panel.
    if (!form_.DebugMode) {
        form_.Panel2.SetVisible(true);
    }
    form_.host().Repaint();
    BeginBenchmark();
}

bool RunController::WriteQualityConfig() {
    const GameInstall& install = form_.Install;
    const std::string gameCfg = install.CrysisConfigPath + "game.cfg";
    if (!platform_.files.FileExists(gameCfg)) {
        return true;
    }
    auto quality = ChooseQualityConfig(form_.QualityLevel, IsVista());
    if (!quality) {
        return true;  // no quality chosen: the user's game.cfg stays in use
    }
    platform_.files.Rename(gameCfg, install.CrysisConfigPath + "gameold.cfg");
    if (!platform_.files.WriteFileAtomic(gameCfg,
                                         JoinCrLf(GameConfigTemplate(quality->templateLevel)))) {
        AbortRun("The game configuration could not be written to " + gameCfg +
                 ". Benchmark aborted!");
        return false;
    }
    TraceQualityConfig(form_.Trace, form_.QualityLevel, IsVista());
    return true;
}

void RunController::BeginBenchmark() {
    RunState& run = form_.Run;
    TraceRunBanner(form_.Trace, form_.VersionReaderText, form_.Install);
    chart_.ClearChart();
    form_.Store.Open();
    run.TotalCount = 0;
    run.DoneCount = 0;
    run.RunCount = "1";
    for (bool ticked : form_.SelectedRows()) {
        run.TotalCount += ticked ? 1 : 0;
    }
    if (IsCustomEligible(form_.cusresbox.Checked(), form_.CusWidth.Text(),
                         form_.CusHeight.Text())) {
        ++run.TotalCount;
    }
    if (run.TotalCount < 1) {
        form_.ShowWarning("Please, choose a resolution!",
                          "You do not choose a resolution of benchmark.");
        form_.BenchButton.SetEnabled(true);
        form_.Panel2.SetVisible(false);
        return;
    }
    form_.host().Repaint();
    const DateTime now = platform_.clock.Now();
    run.Timestamp = FormatTimestamp(now);
    run.StartedAt = platform_.clock.DateTimeText(now);

    gameFiles_.BackUpGameFiles();

    std::optional<std::vector<std::string>> customLines;
    if (form_.UseCustomConfigBox.Checked()) {
        if (auto text = platform_.files.ReadFile(form_.ConfigEdit.Text())) {
            customLines = SplitLines(*text);
        }
    }
    customConfigUsed_ = customLines.has_value();
    SelectDemo();
    if (form_.RandomBox.Checked()) {
        gameFiles_.RenameGameExe(form_.CrysisPathEdit.Text(), run.ExeName);
    }
    if (run.Mode == BenchMode::Vga) {
        run.RunCount = RunCountText(form_.RunNumberBox.Value());
        const RendererChoice renderer =
            ChooseRenderer(form_.Store.ReadValue("Renderer"), IsVista());
        run.RendererTitle = renderer.title;
        run.RendererSwitch = renderer.switchText;
        form_.RendererBox.SetItemIndex(renderer.boxIndex);
        const FilterOptions filters = BuildFilterOptions(
            form_.AABox.ItemIndex(), form_.AFBox.ItemIndex(), run.RendererSwitch == "-DX10");
        run.AaFlag = filters.AaFlag;
        run.AaSamples = filters.AaSamples;
        run.AaQuality = filters.AaQuality;
        run.AfLevel = filters.AfLevel;
    } else {
        run.RunCount = RunCountText(form_.RunNumberBoxCPU.Value());
    }
    if (platform_.files.FileExists(DemoLogPath())) {
        platform_.files.DeleteFile(DemoLogPath());
    }
    if (!WriteAutoexec(customLines)) {
        return;
    }
    WriteReportHeader();
    form_.Label21.SetVisible(true);
    form_.Label20.SetFontSize(12);
    form_.Label20.SetLeft(75);
    form_.Label20.SetCaption("Benchmarking in progress");
    LaunchFrom(0);
}

void RunController::SelectDemo() {
    RunState& run = form_.Run;
    auto choice =
        ChooseDemo(run.Mode, form_.demo.ItemIndex(), form_.demoCPU.ItemIndex(),
                   form_.Install.ProgramFolder, form_.DemoEdit.Text(), form_.mapnamebox.Text());
    if (choice) {
        run.DemoTitle = choice->DemoTitle;
        run.DemoName = choice->DemoName;
        run.LevelName = choice->LevelName;
        const std::string target = form_.Install.DemoPath + choice->targetRelative;
        if (!platform_.files.FileExists(target)) {
            platform_.files.CopyFileNew(choice->sourcePath, target);
        }
    }
    chart_.SetChartDemo(run.DemoTitle);
    RunRecord record = gameFiles_.Record();
    record.demoLogPath = DemoLogPath();
    gameFiles_.RecordRun(record);
}

bool RunController::WriteAutoexec(const std::optional<std::vector<std::string>>& customLines) {
    const RunState& run = form_.Run;
    auto lines =
        AutoexecContent(run.Mode, form_.QualityBox.ItemIndex() + 1, form_.MultiGPUBox.Checked(),
                        form_.BoostBox.Checked(), IsVista(), customLines);
    if (!lines) {
        return true;
    }
    const std::string text = JoinCrLf(*lines);
    const std::string path = form_.Install.CFGPath + "autoexec.cfg";
    RunRecord record = gameFiles_.Record();
    record.autoexecText = text;
    gameFiles_.RecordRun(record);
    if (!platform_.files.WriteFileAtomic(path, text)) {
        AbortRun("The game configuration could not be written to " + path + ". Benchmark aborted!");
        return false;
    }
    TraceAutoexecText(form_.Trace, run.Mode, text);
    return true;
}

void RunController::WriteReportHeader() {
    const RunState& run = form_.Run;
    form_.Run.Note = form_.NoteEdit.Text();
    ReportHeaderValues values;
    values.programVersion = form_.Label17.Caption();
    values.startTime = run.StartedAt;
    values.facts = CollectSystemFacts(platform_.system);
    values.note = form_.Run.Note;
    values.mode = run.Mode;
    values.modeTitle = run.ModeTitle;
    values.demoTitle = run.DemoTitle;
    values.qualityLevel = form_.QualityLevel;
    values.rendererTitle = run.RendererTitle;
    values.aaText = form_.AABox.Text();
    values.afText = form_.AFBox.Text();
    values.multiGpu = form_.MultiGPUBox.Checked();
    values.boost = form_.BoostBox.Checked();
    values.customConfig = customConfigUsed_;
    values.randomExe = form_.RandomBox.Checked();
    reportLines_ = ReportHeaderLines(values);
}

void RunController::LaunchFrom(int position) {
    const bool customEligible =
        IsCustomEligible(form_.cusresbox.Checked(), form_.CusWidth.Text(), form_.CusHeight.Text());
    auto next = FirstSelectedFrom(position, form_.SelectedRows(), customEligible);
    if (!next) {
        return;
    }
    if (*next == kCustomPosition) {
        LaunchResolution(MakeCustomEntry(form_.CusWidth.Text(), form_.CusHeight.Text()));
    } else {
        LaunchResolution(EntryAt(*next));
    }
}

void RunController::LaunchResolution(const ResolutionEntry& entry) {
    RunState& run = form_.Run;
    run.CurrentTag = entry.RunTag;
    run.CurrentSize = entry.SizeText;
    run.CurrentTitle = entry.ResultTitle;
    form_.Label21.SetCaption(entry.StatusText);
    form_.host().Repaint();

    LaunchOptions options;
    options.binPath = form_.Install.BinPath;
    options.screenshot = form_.ScreenBox.Checked();
    options.builtInDemo = form_.demo.ItemIndex() == 0;
    options.aaItem = form_.AABox.ItemIndex();
    options.afItem = form_.AFBox.ItemIndex();
    run.CommandLine = BuildCommandLine(run, entry, options);
    TraceStartOptions(form_.Trace, run.CommandLine);
    SyncDebugMemo();
    try {
        platform_.processes.Start(run.CommandLine, form_.Install.BinPath,
                                  [this](unsigned long exitCode) { cpTerminate(exitCode); });
    } catch (const ProcessStartError&) {
        form_.MessageLabel.SetCaption(kProgramError);
        form_.BenchButton.SetEnabled(true);
    }
}

void RunController::cpTerminate(unsigned long /*exitCode*/) {
    HandleGameExit();
    SyncDebugMemo();
}

void RunController::HandleGameExit() {
    RunState& run = form_.Run;
    if (platform_.os.IsRunningUnderWow64()) {
        // The 64-bit game may live on in a second process after the one we started.
        platform_.clock.ProcessMessages();
        while (platform_.processes.IsImageRunning("Crysis64.exe")) {
            platform_.clock.Sleep(5000);
            platform_.clock.ProcessMessages();
        }
    }
    ++run.DoneCount;
    TraceProcessEnd(form_.Trace, run.CurrentTag, run.TotalCount, run.DoneCount);
    auto entry = EntryForTag(run.CurrentTag, form_.CusWidth.Text(), form_.CusHeight.Text());
    if (!entry) {
        return;
    }
    // Only a graphics-card run asks the game for a screenshot and empties its
    // folder first; in a processor run a ScreenShot0000.jpg there is the user's.
    const bool screenshots = form_.ScreenBox.Checked() && run.Mode == BenchMode::Vga;
    if (!entry->Position) {
        if (screenshots) {
            MoveScreenshot(run.CurrentTag);
        }
        CollectResults();
        return;
    }
    if (run.DoneCount < run.TotalCount) {
        CollectResults();
        if (screenshots) {
            MoveScreenshot(run.CurrentTag);
        }
        if (run.DoneCount < run.TotalCount) {
            LaunchFrom(*entry->Position + 1);
        }
        return;
    }
    // The last screenshot moves before the finish puts the game's folder back.
    if (screenshots) {
        MoveScreenshot(run.CurrentTag);
    }
    CollectResults();
}

void RunController::CollectResults() {
    RunState& run = form_.Run;
    form_.host().SetNormalBounds(run.SavedBounds);
    platform_.clock.Sleep(2000);

    CollectInput input;
    input.demoLogPath = DemoLogPath();
    input.logText = platform_.files.ReadFile(input.demoLogPath);
    input.runs = RunsFromText(run.RunCount);
    input.runTag = run.CurrentTag;
    input.customWidth = form_.CusWidth.Text();
    input.customHeight = form_.CusHeight.Text();
    input.decimalMark = platform_.locale.DecimalMark();
    CollectOutput output = ParseDemoResults(input, form_.Trace);
    run.LastScore = output.lastScore;

    if (output.status != CollectStatus::Complete) {
        std::string message;
        if (output.status == CollectStatus::Malformed) {
            message = kMalformedLogMessage;
        } else {
            std::optional<std::string> gameLog;
            if (IsVista()) {
                gameLog = platform_.files.ReadFile(form_.Install.CFGPath + "Game.log");
            }
            message = AbortMessage(IsVista(), gameLog);
        }
        run.TotalCount = run.DoneCount;
        AbortRun(message);
        return;
    }
    reportLines_.insert(reportLines_.end(), output.reportLines.begin(), output.reportLines.end());
    if (output.chartScores && run.TotalCount > 1) {
        chart_.AddChartPoints(run.CurrentSize, output.chartScores->minimum,
                              output.chartScores->average, output.chartScores->maximum);
    }
    if (platform_.files.FileExists(input.demoLogPath)) {
        platform_.files.DeleteFile(input.demoLogPath);
    }
    if (run.DoneCount == run.TotalCount) {
        FinishRun();
    }
}

void RunController::EndRunControls() {
    form_.BenchButton.SetEnabled(true);
    form_.Panel2.SetVisible(false);
    form_.Store.Save("NoErrorWarning", "0");
}

void RunController::AbortRun(const std::string& message) {
    form_.MessageLabel.SetCaption(message);
    gameFiles_.RestoreGameFiles(form_.ScreenBox.Checked());
    EndRunControls();
    SyncDebugMemo();
}

void RunController::FinishRun() {
    RunState& run = form_.Run;
    const std::string folder = form_.ResultsFolder();
    bool imageSaved = true;
    if (run.TotalCount > 1) {
        imageSaved = ExportChartImage(chart_, run.TotalCount, form_.Install.ProgramFolder, folder,
                                      run.Timestamp, surfaces_, platform_.files, platform_.clock);
        if (imageSaved) {
            reportLines_.push_back(ChartImageLine(ChartImageName(run.Timestamp)));
        }
    }
    for (auto& line : ReportFooterLines()) {
        reportLines_.push_back(line);
    }
    form_.MessageLabel.SetCaption(kSuccess);
    const std::string reportPath = folder + ReportFileName(run.Timestamp);
    const bool reportSaved = platform_.files.WriteFileAtomic(reportPath, JoinCrLf(reportLines_));
    if (reportSaved) {
        run.ReportPath = reportPath;
    }
    if (!reportSaved || !imageSaved) {
        form_.MessageLabel.SetCaption(
            "The benchmarking is successful, but the report could not be saved to " + reportPath);
    }
    gameFiles_.RestoreGameFiles(form_.ScreenBox.Checked());
    if (reportSaved) {
        platform_.shell.Open(reportPath);
    }
    EndRunControls();
    if (form_.ScreenBox.Checked() && platform_.files.FolderExists(form_.Install.ScreenShotsPath)) {
        platform_.shell.Open(form_.Install.ScreenShotsPath);
    }
}

void RunController::MoveScreenshot(const std::string& runTag) {
    const RunState& run = form_.Run;
    const std::string source = form_.Install.CrysisConfigPath + "ScreenShots\\ScreenShot0000.jpg";
    if (!platform_.files.FileExists(source)) {
        return;
    }
    auto entry = EntryForTag(runTag, form_.CusWidth.Text(), form_.CusHeight.Text());
    if (!entry) {
        return;
    }
    const std::string stem = ScreenshotFileStem(
        form_.Install.ScreenShotsPath, form_.FrameEdit.Text(), run.Timestamp, entry->ShotSuffix);
    if (!platform_.files.ShellMove(source, stem + ".jpg")) {
        return;
    }
    DescriptionValues values;
    values.sizeText = entry->SizeText;
    values.frameText = form_.FrameEdit.Text();
    values.rendererTitle = run.RendererTitle;
    values.demoName = run.DemoName;
    values.mode = run.Mode;
    values.qualityLevel = form_.QualityLevel;
    values.aaText = form_.AABox.Text();
    values.afText = form_.AFBox.Text();
    values.multiGpu = form_.MultiGPUBox.Checked();
    values.boost = form_.BoostBox.Checked();
    values.customConfig = customConfigUsed_;
    values.note = form_.NoteEdit.Text();
    platform_.files.WriteFileAtomic(stem + ".txt", JoinCrLf(WriteScreenshotDescription(values)));
}

}  // namespace fw
