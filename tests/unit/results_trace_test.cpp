#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/run_state.h"
#include "game/game_install.h"
#include "results/demo_log.h"
#include "results/diagnostic_log.h"

namespace fw {
namespace {

const std::string kStars29 = "*****************************";

// Latin-1 bytes as UTF-8, so that the titles below read as they are written.
std::string Utf8(const std::string& latin1) {
    std::string out;
    for (char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

TEST(DiagnosticLog, HeadIsAnEmptyLineAStarRowTheTitleAndTheRowAgain) {
    DiagnosticLog log;
    log.Head("Start options");
    log.Head("Short", 5);
    const std::vector<std::string> expected = {
        "", kStars29, "Start options", kStars29, "", "*****", "Short", "*****",
    };
    EXPECT_EQ(log.Lines(), expected);
    EXPECT_EQ(kStars29.size(), 29u);
}

TEST(DiagnosticLog, TextWithLineBreaksShowsAsSeveralLines) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb", {"a", "b"}},
        {"CR", "a\rb\r", {"a", "b"}},
        {"mixed with empty lines", "a\r\n\r\nb\n\nc", {"a", "", "b", "", "c"}},
        {"empty text is one empty line", "", {""}},
        {"a lone break", "\r\n", {""}},
        {"no break", "+map island", {"+map island"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DiagnosticLog log;
        log.AddText(c.text);
        EXPECT_EQ(log.Lines(), c.lines);
    }
}

TEST(DiagnosticLog, EmptyListShowsAsOneEmptyLine) {
    DiagnosticLog log;
    log.AddList({});
    const std::vector<std::string> two = {"x", "y"};
    log.AddList(two);
    const std::vector<std::string> expected = {"", "x", "y"};
    EXPECT_EQ(log.Lines(), expected);
}

TEST(DiagnosticLog, SaveTextEndsEveryLineWithCrLfAndClearEmpties) {
    DiagnosticLog log;
    log.Add("Framewright v1, 1, 1, 6156");
    log.Add("");
    log.Add("\xD7");
    EXPECT_EQ(log.SaveText(), "Framewright v1, 1, 1, 6156\r\n\r\n\xD7\r\n");
    EXPECT_EQ(log.SaveText(), log.SaveText());
    log.Clear();
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(log.SaveText(), "");
}

TEST(TraceRunBanner, StartsWithTheStarRowAndListsTheFolders) {
    GameInstall install;
    install.CVarGroupsPath = "C:\\Crysis\\Game\\Config\\CVarGroups\\";
    install.CrysisConfigPath = "C:\\Docs\\My Games\\Crysis\\";
    install.CFGPath = "C:\\Crysis\\";
    install.DemoPath = "C:\\Crysis\\Game\\Levels\\";
    install.ScreenShotsPath = "C:\\Framewright\\ScreenShots\\";
    DiagnosticLog log;
    TraceRunBanner(log, "1, 1, 1, 6156", install);
    const std::vector<std::string> expected = {
        kStars29,
        "Framewright v1, 1, 1, 6156",
        kStars29,
        "CVarGroupsPath: C:\\Crysis\\Game\\Config\\CVarGroups\\",
        "CrysisConfigPath: C:\\Docs\\My Games\\Crysis\\",
        "CFGPath: C:\\Crysis\\",
        "DemoPath: C:\\Crysis\\Game\\Levels\\",
        "ScreenShotsPath: C:\\Framewright\\ScreenShots\\",
    };
    EXPECT_EQ(log.Lines(), expected);
}

TEST(TraceSections, RunStepsWriteTheirTitledSections) {
    struct Case {
        const char* name;
        void (*write)(DiagnosticLog&);
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"quality 1",
         [](DiagnosticLog& l) { TraceQualityConfig(l, 1, false); },
         {"", kStars29, "Low Quality", kStars29}},
        {"quality 2",
         [](DiagnosticLog& l) { TraceQualityConfig(l, 2, true); },
         {"", kStars29, "Medium Quality", kStars29}},
        {"quality 3",
         [](DiagnosticLog& l) { TraceQualityConfig(l, 3, true); },
         {"", kStars29, "High Quality", kStars29}},
        {"quality 4 on Vista",
         [](DiagnosticLog& l) { TraceQualityConfig(l, 4, true); },
         {"", kStars29, "Very High Quality - Vista", kStars29}},
        {"quality 4 on XP",
         [](DiagnosticLog& l) { TraceQualityConfig(l, 4, false); },
         {"", kStars29, "Very High Quality - XP", kStars29}},
        {"unknown quality", [](DiagnosticLog& l) { TraceQualityConfig(l, 0, false); }, {}},
        {"autoexec set aside",
         [](DiagnosticLog& l) { TraceAutoexecRenamed(l); },
         {"", kStars29, "Rename Exist Autoexec.cfg", kStars29}},
        {"random name",
         [](DiagnosticLog& l) { TraceGameExeRenamed(l, "k3x9qa.exe"); },
         {"", kStars29, "Rename crysis.exe", kStars29, "RandomName: k3x9qa.exe"}},
        {"VGA autoexec",
         [](DiagnosticLog& l) { TraceAutoexecText(l, BenchMode::Vga, "r_MultiGPU = 1\r\nq\r\n"); },
         {"", kStars29, "Config options - VGA Ulta", kStars29, "r_MultiGPU = 1", "q"}},
        {"CPU autoexec",
         [](DiagnosticLog& l) { TraceAutoexecText(l, BenchMode::Cpu, "sys_spec = 1\r\n"); },
         {"", kStars29, "Config options - CPU", kStars29, "sys_spec = 1"}},
        {"executable named back",
         [](DiagnosticLog& l) { TraceGameExeRestored(l); },
         {"", kStars29, "Rename Random exe", kStars29}},
        {"game start",
         [](DiagnosticLog& l) {
             TraceStartOptions(l, "C:\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map island");
         },
         {"", kStars29, "Start options", kStars29,
          "C:\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map island"}},
        {"process end",
         [](DiagnosticLog& l) { TraceProcessEnd(l, "hdtv1", 3, 2); },
         {"", kStars29, "Terminate Process Information", kStars29, "Resolution: hdtv1",
          "Total resolution: 3", "Current Resolution: 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DiagnosticLog log;
        c.write(log);
        EXPECT_EQ(log.Lines(), c.lines);
    }
}

// The parsing sections' titles, one byte per character (a title held as UTF-8
// would not match after the conversion), with the row above and below each.
TEST(ResultTrace, HungarianTitlesAndTheirStarRows) {
    std::string log =
        "==\r\nstart\r\n"
        "!TimeDemo Run 0 Finished.\r\n    Play Time: 1s, Average FPS: 30.0\r\n"
        "    Min FPS: 20.0 at frame 1, Max FPS: 40.0 at frame 2\r\n t\r\n r\r\n"
        "end\r\n==\r\n";
    DiagnosticLog trace;
    ASSERT_EQ(ParseDemoResults({"d.log", log, 1, "800", "", "", '.'}, trace).status,
              CollectStatus::Complete);

    struct Title {
        const char* utf8;
        std::size_t row;
    };
    const Title titles[] = {
        {"TempStringlist tartalma az eredmények homogenizálása után", 58},
        {"TempStringlist tartalma az elsõ eredmény kivágása után", 58},
        {"TempStringlist tartalma törlés után", 35},
        {"Min eredmény hozzáadása a charthoz", 34},
        {"Average eredmény hozzáadása a charthoz", 38},
        {"Max eredmény hozzáadása a charthoz", 35},
    };
    const auto& lines = trace.Lines();
    for (const Title& t : titles) {
        SCOPED_TRACE(t.utf8);
        std::size_t at = 1;
        while (at + 1 < lines.size() && Utf8(lines[at]) != t.utf8) {
            ++at;
        }
        ASSERT_LT(at + 1, lines.size()) << "title missing";
        EXPECT_EQ(lines[at - 2], "");
        EXPECT_EQ(lines[at - 1], std::string(t.row, '*'));
        EXPECT_EQ(lines[at + 1], std::string(t.row, '*'));
    }
    // "õ" is the byte F5, the others their Latin-1 bytes.
    const std::string elso =
        "TempStringlist tartalma az els\xF5 eredm\xE9ny kiv\xE1g\xE1sa ut\xE1n";
    bool found = false;
    for (const std::string& line : lines) {
        found = found || line == elso;
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace fw
