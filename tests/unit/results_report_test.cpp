#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "results/demo_log.h"
#include "results/report.h"

namespace fw {
namespace {

// Lines 1 to 21 are the same in every report.
const std::vector<std::string> kPageTop = {
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
    "\"http://www.w3.org/TR/html4/loose.dtd\">",
    "<html>",
    "<head>",
    "<title>Framewright - www.brimvale.example</title>",
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
    "font-weight: bold;)",
    "}",
    "-->",
    "</style>",
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"></head>",
    "<body>",
    "<p align=\"center\" class=\"style7\">Framewright<br>",
};

const std::vector<std::string> kFactLines = {
    "   <FONT size=2>v1.0.0.0</FONT></p><br>",
    "   <FONT size=2>The benchmark started at 09.12.2008 14:30:05</FONT><br>",
    "<p align=\"left\"><span class=\"style4\">System Information<br></span>",
    "   <FONT size=2><b>Operating system:</b> Microsoft Windows XP</FONT><br>",
    "   <FONT size=2><b>System memory:</b> 2048 MB</FONT><br>",
    "   <FONT size=2><b>CPU:</b>   Intel(R) Core(TM)2 CPU</FONT><br>",
    "   <FONT size=2><b>CPU speed:</b> 2400 MHz</FONT><br>",
    "   <FONT size=2><b>Graphics card:</b> NVIDIA GeForce 8800 GTX - 768 MB</FONT><br>",
};

ReportHeaderValues VgaValues() {
    ReportHeaderValues v;
    v.programVersion = "1.0.0.0";
    v.startTime = "09.12.2008 14:30:05";
    v.facts = {"Microsoft Windows XP", "2048 MB", "  Intel(R) Core(TM)2 CPU", "2400",
               "NVIDIA GeForce 8800 GTX - 768 MB"};
    v.mode = BenchMode::Vga;
    v.modeTitle = "VGA benchmark";
    v.demoTitle = "Crytek Built-in";
    v.qualityLevel = 4;
    v.rendererTitle = "DirectX 10";
    v.aaText = "4x";
    v.afText = "16x";
    v.multiGpu = true;
    v.boost = false;
    v.customConfig = true;
    v.randomExe = false;
    return v;
}

struct HeaderCase {
    const char* name;
    ReportHeaderValues values;
    std::vector<std::string> afterFacts;
};

std::vector<HeaderCase> HeaderCases() {
    std::vector<HeaderCase> cases;

    cases.push_back({"VGA, every line",
                     VgaValues(),
                     {
                         "<span class=\"style4\">VGA benchmark information</span><br>",
                         "<FONT size=2><b>Demo:</b> Crytek Built-in<br>",
                         "<b>Quality:</b> Very High (with tweaks)<br>",
                         "<b>Renderer mode:</b> DirectX 10<br>",
                         "<b>Antialising mode:</b> 4x<br>",
                         "<b>Filtering mode:</b> 16x<br>",
                         "<b>MultiGPU support:</b> Enabled<br>",
                         "<b>Boost renderer:</b> Disabled<br>",
                         "<b>Use Custom Config File:</b> Yes<br>",
                         "<b>Random .exe:</b> Disabled</FONT><br>",
                         "<hr>",
                     }});

    ReportHeaderValues vgaLow = VgaValues();
    vgaLow.qualityLevel = 1;
    vgaLow.multiGpu = false;
    vgaLow.boost = true;
    vgaLow.customConfig = false;
    vgaLow.randomExe = true;
    vgaLow.note = "Driver 169.21 \xF5";
    vgaLow.rendererTitle = "DirectX 9";
    cases.push_back({"VGA with a note",
                     vgaLow,
                     {
                         "<FONT size=2><span class=\"style6\">Comment:</span> Driver 169.21 "
                         "\xF5</FONT><br>",
                         "<span class=\"style4\">VGA benchmark information</span><br>",
                         "<FONT size=2><b>Demo:</b> Crytek Built-in<br>",
                         "<b>Quality:</b> Low<br>",
                         "<b>Renderer mode:</b> DirectX 9<br>",
                         "<b>Antialising mode:</b> 4x<br>",
                         "<b>Filtering mode:</b> 16x<br>",
                         "<b>MultiGPU support:</b> Disabled<br>",
                         "<b>Boost renderer:</b> Enabled<br>",
                         "<b>Use Custom Config File:</b> No<br>",
                         "<b>Random .exe:</b> Enabled</FONT><br>",
                         "<hr>",
                     }});

    ReportHeaderValues vgaMarkup = VgaValues();
    vgaMarkup.qualityLevel = 2;
    vgaMarkup.note = "SLI & \"OC\" <script>x</script>";
    vgaMarkup.demoTitle = "Custom demo - night";
    cases.push_back(
        {"note with markup characters",
         vgaMarkup,
         {
             "<FONT size=2><span class=\"style6\">Comment:</span> SLI &amp; &quot;OC&quot; "
             "&lt;script&gt;x&lt;/script&gt;</FONT><br>",
             "<span class=\"style4\">VGA benchmark information</span><br>",
             "<FONT size=2><b>Demo:</b> Custom demo - night<br>",
             "<b>Quality:</b> Medium<br>",
             "<b>Renderer mode:</b> DirectX 10<br>",
             "<b>Antialising mode:</b> 4x<br>",
             "<b>Filtering mode:</b> 16x<br>",
             "<b>MultiGPU support:</b> Enabled<br>",
             "<b>Boost renderer:</b> Disabled<br>",
             "<b>Use Custom Config File:</b> Yes<br>",
             "<b>Random .exe:</b> Disabled</FONT><br>",
             "<hr>",
         }});

    ReportHeaderValues vgaHigh = VgaValues();
    vgaHigh.qualityLevel = 3;
    cases.push_back({"VGA high",
                     vgaHigh,
                     {
                         "<span class=\"style4\">VGA benchmark information</span><br>",
                         "<FONT size=2><b>Demo:</b> Crytek Built-in<br>",
                         "<b>Quality:</b> High<br>",
                         "<b>Renderer mode:</b> DirectX 10<br>",
                         "<b>Antialising mode:</b> 4x<br>",
                         "<b>Filtering mode:</b> 16x<br>",
                         "<b>MultiGPU support:</b> Enabled<br>",
                         "<b>Boost renderer:</b> Disabled<br>",
                         "<b>Use Custom Config File:</b> Yes<br>",
                         "<b>Random .exe:</b> Disabled</FONT><br>",
                         "<hr>",
                     }});

    // A CPU run has no graphics lines; the custom configuration reaches the game
    // in CPU runs too, so the report says so.
    ReportHeaderValues cpu = VgaValues();
    cpu.mode = BenchMode::Cpu;
    cpu.modeTitle = "CPU benchmark";
    cpu.demoTitle = "Crytek Ice";
    cpu.randomExe = true;
    cases.push_back({"CPU with the custom-config box ticked",
                     cpu,
                     {
                         "<span class=\"style4\">CPU benchmark information</span><br>",
                         "<FONT size=2><b>Demo:</b> Crytek Ice<br>",
                         "<b>Use Custom Config File:</b> Yes<br>",
                         "<b>Random .exe:</b> Enabled</FONT><br>",
                         "<hr>",
                     }});
    return cases;
}

TEST(ReportHeaderLines, WholeHeaderPerCase) {
    for (const HeaderCase& c : HeaderCases()) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> expected = kPageTop;
        expected.insert(expected.end(), kFactLines.begin(), kFactLines.end());
        expected.insert(expected.end(), c.afterFacts.begin(), c.afterFacts.end());
        EXPECT_EQ(ReportHeaderLines(c.values), expected);
    }
}

TEST(ReportHeaderLines, FullVgaHeaderWithNoteHas41Lines) {
    ReportHeaderValues v = VgaValues();
    v.note = std::string("Driver 169.21");
    EXPECT_EQ(ReportHeaderLines(v).size(), 41u);
}

TEST(EscapeHtml, OnlyTheFourMarkupCharacters) {
    EXPECT_EQ(EscapeHtml("a&b<c>d\"e'f\xD7"), "a&amp;b&lt;c&gt;d&quot;e'f\xD7");
    EXPECT_EQ(EscapeHtml("&amp;"), "&amp;amp;");
    EXPECT_EQ(EscapeHtml(""), "");
}

TEST(ResolutionHeading, FixedAndCustomHeadings) {
    const std::pair<const char*, std::string> cases[] = {
        {"800",
         "<BR><B><FONT size=5>Resolution: 800\xD7"
         "600</FONT></B><BR>"},
        {"1024",
         "<BR><B><FONT size=5>Resolution: 1024\xD7"
         "768</FONT></B><BR>"},
        {"1280",
         "<BR><B><FONT size=5>Resolution: 1280\xD7"
         "1024</FONT></B><BR>"},
        {"1600",
         "<BR><B><FONT size=5>Resolution: 1600\xD7"
         "1200</FONT></B><BR>"},
        {"2048",
         "<BR><B><FONT size=5>Resolution: 2048\xD7"
         "1536</FONT></B><BR>"},
        {"hdtv1",
         "<BR><B><FONT size=5>Resolution: 1280\xD7"
         "768 (HD WideScreen)</FONT></B><BR>"},
        {"hdtv2",
         "<BR><B><FONT size=5>Resolution: 1920\xD7"
         "1080 (HD WideScreen)</FONT></B><BR>"},
        {"hdtv3",
         "<BR><B><FONT size=5>Resolution: 1920\xD7"
         "1200 (HD WideScreen)</FONT></B><BR>"},
        {"custom", "<BR><B><FONT size=5>Resolution: 1366 \xD7 768 (Custom)</FONT></B><BR>"},
    };
    for (const auto& [tag, heading] : cases) {
        EXPECT_EQ(ResolutionHeading(tag, "1366", "768"), heading) << tag;
    }
    EXPECT_THROW(ResolutionHeading("hdw1", "1366", "768"), std::invalid_argument);
}

TEST(ResultLine, NumberAndThreeReportTexts) {
    EXPECT_EQ(ResultLine(1, RunScores{21, 38, 44}),
              "<span class=\"style5\"><b>Result(1):</b>&nbsp;&nbsp;&nbsp;Minimum= 21 "
              "FPS&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Average= 38 FPS&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Max= "
              "44 FPS</b></span><br>");
    EXPECT_EQ(ResultLine(4, RunScores{0, 100, 1000}),
              "<span class=\"style5\"><b>Result(4):</b>&nbsp;&nbsp;&nbsp;Minimum= 0 "
              "FPS&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Average= 100 "
              "FPS&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Max= 1000 FPS</b></span><br>");
}

TEST(ReportTail, ChartImageAndFooter) {
    EXPECT_EQ(ChartImageLine("result_143005__09_12_2008chart.jpg"),
              "<p align=\"center\"><img src=\"result_143005__09_12_2008chart.jpg\"><br>");
    const std::vector<std::string> footer = {
        "<P></P>",
        "<CENTER>Copyright (C) 2008-2026 Brimvale</CENTER><BR></BODY></HTML>",
    };
    EXPECT_EQ(ReportFooterLines(), footer);
}

TEST(ReportNames, TimestampAndFileNames) {
    struct Case {
        DateTime when;
        const char* timestamp;
    };
    const Case cases[] = {
        {{2008, 12, 9, 14, 30, 5}, "143005__09_12_2008"},
        {{2026, 1, 31, 0, 0, 0}, "000000__31_01_2026"},
        {{1999, 10, 1, 23, 59, 59}, "235959__01_10_1999"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatTimestamp(c.when), c.timestamp);
    }
    EXPECT_EQ(ReportFileName("143005__09_12_2008"), "result_143005__09_12_2008.htm");
    EXPECT_EQ(ChartImageFileName("143005__09_12_2008"), "result_143005__09_12_2008chart.jpg");
}

}  // namespace
}  // namespace fw
