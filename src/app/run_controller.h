#pragma once
// One click on the run button measures every selected resolution in turn:
// each resolution is one game process, and the end of that process drives the
// next step. Everything runs on the user-interface thread.
#include <optional>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "bench/resolution_catalogue.h"
#include "game/game_files.h"
#include "platform/canvas.h"
#include "results/chart.h"

namespace fw {

class RunController {
public:
    // Wires itself into the window's run button, Exit restore and start-up repair.
    RunController(TForm1& form, SurfaceFactory& surfaces);
    RunController(const RunController&) = delete;
    RunController& operator=(const RunController&) = delete;

    void BenchButtonClick();
    void PrepareBenchmark();
    void BeginBenchmark();
    void LaunchFrom(int position);
    void LaunchResolution(const ResolutionEntry& entry);
    void cpTerminate(unsigned long exitCode);
    void HandleGameExit();
    void CollectResults();
    void FinishRun();

    GameFiles& Files() { return gameFiles_; }
    ResultsChart& Chart() { return chart_; }
    const std::vector<std::string>& ReportLines() const { return reportLines_; }

private:
    bool WriteQualityConfig();
    void SelectDemo();
    bool WriteAutoexec(const std::optional<std::vector<std::string>>& customLines);
    void WriteReportHeader();
    void MoveScreenshot(const std::string& runTag);
    void AbortRun(const std::string& message);
    void EndRunControls();
    std::string DemoLogPath() const;
    bool IsVista();
    void SyncDebugMemo();

    TForm1& form_;
    Platform& platform_;
    SurfaceFactory& surfaces_;
    GameFiles gameFiles_;
    ResultsChart chart_;
    std::vector<std::string> reportLines_;
    // The custom configuration's lines were read and go to the game this run.
    bool customConfigUsed_ = false;
};

}  // namespace fw
