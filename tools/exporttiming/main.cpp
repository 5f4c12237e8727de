// exporttiming [folder] [rounds]: how long the end of a five-resolution run
// takes to save its results through the real Windows parts (GDI chart,
// libjpeg, the file service) without the one-second wait the export makes
// before converting the chart. Prints every round and the median.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

// First of the program's headers: it takes back the name DeleteFile from
// windows.h before the file service's interface is seen.
#include "platform/win32/file_system_win32.h"

#include "bench/resolution_catalogue.h"
#include "common/text.h"
#include "platform/win32/gdi_canvas.h"
#include "results/chart.h"
#include "results/chart_export.h"
#include "results/report.h"

namespace {

// The export's clock: the one-second wait is left out, as it is idle time.
class NoWaitClock : public fw::Clock {
public:
    fw::DateTime Now() override { return {2026, 12, 11, 14, 30, 5}; }
    void Sleep(int) override {}
    void ProcessMessages() override {}
    std::string DateTimeText(const fw::DateTime&) override { return "11.12.2026 14:30:05"; }
    std::uint32_t Ticks() override { return ::GetTickCount(); }
};

std::vector<std::string> SampleReport(const std::vector<fw::ResolutionEntry>& entries) {
    fw::ReportHeaderValues values;
    values.programVersion = "1.0.0.0";
    values.startTime = "11.12.2026 14:30:05";
    values.note = "timing";
    values.modeTitle = "VGA";
    values.demoTitle = "Benchmark GPU";
    values.qualityLevel = 3;
    values.rendererTitle = "DirectX 10";
    values.aaText = "No AA";
    values.afText = "16x";
    std::vector<std::string> lines = fw::ReportHeaderLines(values);
    for (const fw::ResolutionEntry& entry : entries) {
        lines.push_back(fw::ResolutionHeading(entry.RunTag, "", ""));
        for (int run = 1; run <= 5; ++run) {
            lines.push_back(fw::ResultLine(run, fw::RunScores{4012 + run, 4711, 5123}));
        }
    }
    return lines;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::string folder = argc > 1 ? fw::Cp1252FromWide(argv[1]) + "\\" : std::string(".\\");
    const int rounds =
        argc > 2 ? std::max(1, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : 15;
    std::vector<fw::ResolutionEntry> entries;
    for (int position : {0, 1, 2, 3, 7}) {
        entries.push_back(fw::EntryAt(position));
    }
    fw::win32::Win32FileSystem files;
    fw::win32::GdiSurfaceFactory surfaces;
    NoWaitClock clock;
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const auto started = std::chrono::steady_clock::now();
        fw::ResultsChart chart;
        chart.ClearChart();
        chart.SetChartDemo("Benchmark GPU");
        for (std::size_t i = 0; i < entries.size(); ++i) {
            chart.AddChartPoints(entries[i].SizeText, 40 - static_cast<int>(i), 50,
                                 60 + static_cast<int>(i));
        }
        const std::string timestamp = "143005__11_12_2026";
        const bool image = fw::ExportChartImage(chart, static_cast<int>(entries.size()), folder,
                                                folder, timestamp, surfaces, files, clock);
        std::vector<std::string> lines = SampleReport(entries);
        lines.push_back(fw::ChartImageLine(fw::ChartImageName(timestamp)));
        for (const std::string& line : fw::ReportFooterLines()) {
            lines.push_back(line);
        }
        const bool report =
            files.WriteFileAtomic(folder + fw::ReportFileName(timestamp), fw::JoinCrLf(lines));
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count();
        if (!image || !report) {
            std::fprintf(stderr, "round %d: the %s could not be written\n", round + 1,
                         image ? "report" : "chart");
            return 1;
        }
        times.push_back(ms);
        std::printf("round %d: %.1f ms\n", round + 1, ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("report and chart export without the wait, median of %d: %.1f ms\n", rounds,
                times[times.size() / 2]);
    return 0;
}
