#include "results/report.h"

#include <cstdio>
#include <stdexcept>

#include "bench/resolution_catalogue.h"
#include "results/quality_names.h"

namespace fw {
namespace {

std::string EnabledText(bool on) {
    return on ? "Enabled" : "Disabled";
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::vector<std::string> ReportHeaderLines(const ReportHeaderValues& v) {
    const bool vga = v.mode == BenchMode::Vga;
    std::vector<std::string> lines = {
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
        "\"http://www.w3.org/TR/html4/loose.dtd\">",
        "<html>",
        "<head>",
        "<title>Framewright - " + std::string(kReportSiteHost) + "</title>",
        "<style type=\"text/css\">",
        "<!--",
        ".style4 {",
        "\tcolor: #0066FF;",
        "\tfont-weight: bold;",
        "}",
        ".style5 {color: #990000}",
        ".style6 {color: #0066FF}",
        ".style7 {",
        "font-size: 36px;",
        // The stray parenthesis has always been in the page; browsers skip it.
        "font-weight: bold;)",
        "}",
        "-->",
        "</style>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"></head>",
        "<body>",
        "<p align=\"center\" class=\"style7\">Framewright<br>",
        "   <FONT size=2>v" + v.programVersion + "</FONT></p><br>",
        "   <FONT size=2>The benchmark started at " + v.startTime + "</FONT><br>",
        "<p align=\"left\"><span class=\"style4\">System Information<br></span>",
        "   <FONT size=2><b>Operating system:</b> " + v.facts.OperatingSystem + "</FONT><br>",
        "   <FONT size=2><b>System memory:</b> " + v.facts.SystemMemory + "</FONT><br>",
        "   <FONT size=2><b>CPU:</b> " + v.facts.CpuName + "</FONT><br>",
        "   <FONT size=2><b>CPU speed:</b> " + v.facts.CpuSpeed + " MHz</FONT><br>",
        "   <FONT size=2><b>Graphics card:</b> " + v.facts.GraphicsCard + "</FONT><br>",
    };
    if (!v.note.empty()) {
        lines.push_back("<FONT size=2><span class=\"style6\">Comment:</span> " +
                        EscapeHtml(v.note) + "</FONT><br>");
    }
    lines.push_back("<span class=\"style4\">" + v.modeTitle + " information</span><br>");
    lines.push_back("<FONT size=2><b>Demo:</b> " + v.demoTitle + "<br>");
    if (vga) {
        const std::string_view quality = QualityName(v.qualityLevel);
        if (!quality.empty()) {
            lines.push_back("<b>Quality:</b> " + std::string(quality) + "<br>");
        }
        lines.push_back("<b>Renderer mode:</b> " + v.rendererTitle + "<br>");
        lines.push_back("<b>Antialising mode:</b> " + v.aaText + "<br>");
        lines.push_back("<b>Filtering mode:</b> " + v.afText + "<br>");
        lines.push_back("<b>MultiGPU support:</b> " + EnabledText(v.multiGpu) + "<br>");
        lines.push_back("<b>Boost renderer:</b> " + EnabledText(v.boost) + "<br>");
    }
    // Says whether the custom configuration's lines reached the game, which
    // they do in both kinds of benchmark.
    lines.push_back(std::string("<b>Use Custom Config File:</b> ") +
                    (v.customConfig ? "Yes" : "No") + "<br>");
    lines.push_back("<b>Random .exe:</b> " + EnabledText(v.randomExe) + "</FONT><br>");
    lines.push_back("<hr>");
    return lines;
}

std::string ResolutionHeading(std::string_view runTag, const std::string& customWidth,
                              const std::string& customHeight) {
    const auto entry = EntryForTag(runTag, customWidth, customHeight);
    if (!entry) {
        throw std::invalid_argument("no resolution has the run tag " + std::string(runTag));
    }
    return "<BR><B><FONT size=5>" + entry->ReportHeading + "</FONT></B><BR>";
}

std::string ResultLine(int i, const RunScores& scores) {
    return "<span class=\"style5\"><b>Result(" + std::to_string(i) +
           "):</b>&nbsp;&nbsp;&nbsp;Minimum= " + ReportText(scores.minimum) +
           "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Average= " + ReportText(scores.average) +
           "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Max= " + ReportText(scores.maximum) + "</b></span><br>";
}

std::string ChartImageLine(const std::string& imageFileName) {
    return "<p align=\"center\"><img src=\"" + imageFileName + "\"><br>";
}

std::vector<std::string> ReportFooterLines() {
    return {"<P></P>",
            "<CENTER>" + std::string(kReportFooterNotice) + "</CENTER><BR></BODY></HTML>"};
}

std::string FormatTimestamp(const DateTime& when) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%02d%02d%02d__%02d_%02d_%04d", when.hour, when.minute,
                  when.second, when.day, when.month, when.year);
    return buffer;
}

std::string ReportFileName(const std::string& timestamp) {
    return "result_" + timestamp + ".htm";
}

std::string ChartImageFileName(const std::string& timestamp) {
    return "result_" + timestamp + "chart.jpg";
}

}  // namespace fw
