#pragma once
// The lines of the HTML report: the header with the system facts and the run's
// options, one heading and result lines per resolution, the chart image and the
// footer. The report is kept as lines and saved with CR LF after each.
#include <string>
#include <string_view>
#include <vector>

#include "bench/run_state.h"
#include "platform/clock.h"
#include "results/demo_log.h"
#include "sysinfo/system_facts.h"

namespace fw {

inline constexpr std::string_view kReportSiteHost = "www.brimvale.example";
inline constexpr std::string_view kReportFooterNotice = "Copyright (C) 2008-2026 Brimvale";

struct ReportHeaderValues {
    std::string programVersion;
    std::string startTime;
    SystemFacts facts;
    std::string note;
    BenchMode mode = BenchMode::Vga;
    std::string modeTitle;
    std::string demoTitle;
    int qualityLevel = 0;
    std::string rendererTitle;
    std::string aaText;
    std::string afText;
    bool multiGpu = false;
    bool boost = false;
    bool customConfig = false;  // the custom configuration's lines reached the game
    bool randomExe = false;
};

std::vector<std::string> ReportHeaderLines(const ReportHeaderValues& values);

// The note is the user's own text inside the page; its markup characters are
// shown as text, not taken as markup.
std::string EscapeHtml(std::string_view text);

// The heading of a finished resolution; throws std::invalid_argument for a tag
// that names no resolution.
std::string ResolutionHeading(std::string_view runTag, const std::string& customWidth,
                              const std::string& customHeight);

// Counted run `i` (from 1) with its three report texts.
std::string ResultLine(int i, const RunScores& scores);

// The chart lies beside the report, so the page names it without a folder.
std::string ChartImageLine(const std::string& imageFileName);

std::vector<std::string> ReportFooterLines();

// "hhmmss__dd_mm_yyyy", the run's name for its report, chart and screenshots.
std::string FormatTimestamp(const DateTime& when);
std::string ReportFileName(const std::string& timestamp);
std::string ChartImageFileName(const std::string& timestamp);

}  // namespace fw
