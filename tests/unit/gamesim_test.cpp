// The stand-in game's own parts: what it reads from its command line and its
// settings file, the figures and log text it writes, and its screenshot.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gamesim/demo_log_text.h"
#include "gamesim/demo_names.h"
#include "gamesim/fault_config.h"
#include "gamesim/game_command_line.h"
#include "gamesim/playback_figures.h"
#include "gamesim/screenshot_jpeg.h"
#include "gamesim/stand_in_game.h"

namespace fw::gamesim {
namespace {

namespace fs = std::filesystem;

TEST(GameCommandLine, ReadsSettingsInEveryForm) {
    const GameCommandLine line = ParseGameCommandLine(
        "C:\\Program Files\\Crytek\\Crysis\\Bin64\\Crysis.exe -DEVMODE +map island "
        "+demo benchmark_gpu +r_Width 800 +r_Height 600 -dx10 +demo_time_of_day = 16 "
        "r_Texture_Anisotropic_Level = 8 +r_FSAA = 1 +r_FSAA_samples=4 +R_WIDTH 1024 stray "
        "words Files = +demo_quit");
    EXPECT_TRUE(line.devMode);
    EXPECT_EQ(line.renderer, Renderer::kDirectX10);
    struct Case {
        const char* name;
        const char* value;  // nullptr: not set
    };
    const Case cases[] = {
        {"map", "island"},
        {"demo", "benchmark_gpu"},
        {"r_width", "1024"},  // the later setting wins, names ignore case
        {"r_Height", "600"},
        {"demo_time_of_day", "16"},
        {"r_Texture_Anisotropic_Level", "8"},  // no plus sign, but "name = value"
        {"r_FSAA", "1"},
        {"r_FSAA_samples", "4"},
        {"stray", nullptr},  // a word without plus sign or "=" is no setting
        {"words", nullptr},
        {"Files", "+demo_quit"},
        {"demo_quit", nullptr},  // its name was taken as a value
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<std::string> value = line.Setting(c.name);
        if (c.value == nullptr) {
            EXPECT_FALSE(value.has_value());
        } else {
            ASSERT_TRUE(value.has_value());
            EXPECT_EQ(*value, c.value);
        }
    }
}

TEST(GameCommandLine, LastRendererSwitchWinsAndDefaultsToDirectX9) {
    EXPECT_EQ(ParseGameCommandLine("Crysis.exe +map island").renderer, Renderer::kDirectX9);
    EXPECT_EQ(ParseGameCommandLine("Crysis.exe -DX10 -DX9").renderer, Renderer::kDirectX9);
    EXPECT_EQ(ParseGameCommandLine("Crysis.exe -DX9 -DX10").renderer, Renderer::kDirectX10);
    EXPECT_FALSE(ParseGameCommandLine("Crysis.exe").devMode);
    // A setting at the very end without its value is dropped.
    EXPECT_FALSE(ParseGameCommandLine("Crysis.exe +r_FSAA =").Setting("r_FSAA").has_value());
}

TEST(GameCommandLine, ArgumentsAfterTheProgramPath) {
    struct Case {
        const char* line;
        const char* arguments;
    };
    const Case cases[] = {
        {"\"C:\\Program Files\\Crysis\\Bin64\\Crysis.exe\" -DEVMODE +map island",
         " -DEVMODE +map island"},
        {"C:\\Program Files\\Crysis\\Bin64\\Crysis.exe -DEVMODE +map island",
         " -DEVMODE +map island"},
        {"C:\\Games\\Crysis\\Bin64\\k3x9qa.EXE +demo a.exe.tmd", " +demo a.exe.tmd"},
        {"C:\\Games\\Crysis\\Bin64\\Crysis.exe", ""},
        {"gamesim +map island", " +map island"},
        {"\"unclosed -DEVMODE", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ArgumentsAfterProgram(c.line), c.arguments);
    }
}

TEST(FaultConfig, ReadsKeysAndIgnoresWhatItDoesNotKnow) {
    struct Case {
        const char* text;
        Fault fault;
        int durationMs;
        std::uint64_t seed;
    };
    const Case cases[] = {
        {"", Fault::kNone, 0, 0},
        {"fault=nolog", Fault::kNoLog, 0, 0},
        {"fault=shortlog\r\nduration_ms=2500\r\nseed=42\r\n", Fault::kShortLog, 2500, 42},
        {" Fault = COMMA \n", Fault::kComma, 0, 0},
        {"fault=runaway", Fault::kRunaway, 0, 0},
        {"fault=crash", Fault::kCrash, 0, 0},
        {"fault=handover", Fault::kHandover, 0, 0},
        {"fault=nolabel", Fault::kNoLabel, 0, 0},
        {"fault=garbage", Fault::kGarbage, 0, 0},
        {"fault=crash\nfault=none", Fault::kNone, 0, 0},
        {"fault=explode\ncolour=blue\nno equals sign", Fault::kNone, 0, 0},
        {"duration_ms=-5\nseed=x", Fault::kNone, 0, 0},
        {"duration_ms=12ms\nseed=-1", Fault::kNone, 0, 0xFFFFFFFFFFFFFFFFULL},
        {"duration_ms=999999999999", Fault::kNone, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const FaultConfig config = ParseFaultConfig(c.text);
        EXPECT_EQ(config.fault, c.fault);
        EXPECT_EQ(config.durationMs, c.durationMs);
        EXPECT_EQ(config.seed, c.seed);
    }
}

TEST(DemoNames, ExtensionReplacedNeverDoubledAndNoEscapeFromTheLevel) {
    struct Case {
        const char* demo;
        const char* demoFile;  // nullptr: nothing is played
        const char* logFile;
    };
    const Case cases[] = {
        {"benchmark_gpu", "benchmark_gpu.tmd", "benchmark_gpu.log"},
        {"night.tmd", "night.tmd", "night.log"},
        {"Night.TMD", "Night.TMD", "Night.log"},
        {"night.tmd.tmd", "night.tmd.tmd", "night.tmd.log"},
        {"my demo", "my demo.tmd", "my demo.log"},
        {"", nullptr, nullptr},
        {"..", nullptr, nullptr},
        {"..\\..\\autoexec", nullptr, nullptr},
        {"../x", nullptr, nullptr},
        {"C:night", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.demo);
        std::optional<DemoFileNames> names = DemoFileNamesFor(c.demo);
        if (c.demoFile == nullptr) {
            EXPECT_FALSE(names.has_value());
        } else {
            ASSERT_TRUE(names.has_value());
            EXPECT_EQ(names->demoFile, c.demoFile);
            EXPECT_EQ(names->logFile, c.logFile);
        }
    }
}

PlaybackSettings Settings(int width, int height, Renderer renderer, int samples, int aniso,
                          int runs) {
    PlaybackSettings settings;
    settings.width = width;
    settings.height = height;
    settings.renderer = renderer;
    settings.fsaaSamples = samples;
    settings.anisotropicLevel = aniso;
    settings.runs = runs;
    return settings;
}

double SteadyAverage(const PlaybackSettings& settings) {
    std::vector<RunFigures> runs = ComputeRunFigures(settings, 5);
    return runs.back().averageFps;
}

TEST(PlaybackFigures, EveryRunHasMinBelowAverageBelowMaxAndTheFirstIsSlow) {
    const PlaybackSettings cases[] = {
        Settings(800, 600, Renderer::kDirectX9, 0, 1, 3),
        Settings(1920, 1200, Renderer::kDirectX10, 8, 16, 5),
        Settings(16384, 16384, Renderer::kDirectX10, 64, 16, 2),
        Settings(1, 1, Renderer::kDirectX9, 0, 1, 2),
    };
    for (const PlaybackSettings& settings : cases) {
        SCOPED_TRACE(std::to_string(settings.width) + "x" + std::to_string(settings.height));
        for (std::uint64_t seed : {0ULL, 1ULL, 123456789ULL}) {
            std::vector<RunFigures> runs = ComputeRunFigures(settings, seed);
            ASSERT_EQ(static_cast<int>(runs.size()), settings.runs);
            for (const RunFigures& run : runs) {
                EXPECT_GT(run.minFps, 0.0);
                EXPECT_LT(run.minFps, run.averageFps);
                EXPECT_LT(run.averageFps, run.maxFps);
                EXPECT_GE(run.minFrame, 0);
                EXPECT_LT(run.minFrame, kDemoFrames);
                EXPECT_GE(run.maxFrame, 0);
                EXPECT_LT(run.maxFrame, kDemoFrames);
            }
            if (settings.width < 16384) {
                for (size_t i = 1; i < runs.size(); ++i) {
                    EXPECT_LT(runs[0].averageFps, runs[i].averageFps * 0.9);
                }
            }
        }
    }
}

TEST(PlaybackFigures, SameSeedSameFiguresAnotherSeedOthers) {
    const PlaybackSettings settings = Settings(1024, 768, Renderer::kDirectX9, 2, 4, 3);
    std::vector<RunFigures> first = ComputeRunFigures(settings, 77);
    std::vector<RunFigures> again = ComputeRunFigures(settings, 77);
    std::vector<RunFigures> other = ComputeRunFigures(settings, 78);
    EXPECT_EQ(PlaybackLogText(first, Fault::kNone), PlaybackLogText(again, Fault::kNone));
    EXPECT_NE(PlaybackLogText(first, Fault::kNone), PlaybackLogText(other, Fault::kNone));
}

TEST(PlaybackFigures, HeavierSettingsCostFrames) {
    const PlaybackSettings base = Settings(1024, 768, Renderer::kDirectX9, 0, 1, 2);
    const double baseFps = SteadyAverage(base);
    struct Case {
        const char* what;
        PlaybackSettings settings;
    };
    const Case cases[] = {
        {"larger picture", Settings(1600, 1200, Renderer::kDirectX9, 0, 1, 2)},
        {"DirectX 10", Settings(1024, 768, Renderer::kDirectX10, 0, 1, 2)},
        {"anti-aliasing", Settings(1024, 768, Renderer::kDirectX9, 4, 1, 2)},
        {"filtering", Settings(1024, 768, Renderer::kDirectX9, 0, 16, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_LT(SteadyAverage(c.settings), baseFps);
    }
}

TEST(PlaybackFigures, SettingsFromTheCommandLineWithDefaultsAndLimits) {
    struct Case {
        const char* line;
        PlaybackSettings expected;
    };
    const Case cases[] = {
        {"Crysis.exe", Settings(1024, 768, Renderer::kDirectX9, 0, 1, 1)},
        {"Crysis.exe +r_Width 800 +r_Height 600 -DX10 +demo_num_runs 3 +r_FSAA = 1 "
         "+r_FSAA_samples = 4 r_Texture_Anisotropic_Level = 8",
         Settings(800, 600, Renderer::kDirectX10, 4, 8, 3)},
        {"Crysis.exe +r_FSAA = 0 +r_FSAA_samples = 8",
         Settings(1024, 768, Renderer::kDirectX9, 0, 1, 1)},
        {"Crysis.exe +r_Width abc +r_Height -1 +demo_num_runs 0 +r_FSAA_samples x",
         Settings(1024, 768, Renderer::kDirectX9, 0, 1, 1)},
        {"Crysis.exe +r_Width 99999 +demo_num_runs 99999999 r_Texture_Anisotropic_Level = 64",
         Settings(16384, 768, Renderer::kDirectX9, 0, 16, 1000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const PlaybackSettings s = PlaybackSettingsFrom(ParseGameCommandLine(c.line));
        EXPECT_EQ(s.width, c.expected.width);
        EXPECT_EQ(s.height, c.expected.height);
        EXPECT_EQ(s.renderer, c.expected.renderer);
        EXPECT_EQ(s.fsaaSamples, c.expected.fsaaSamples);
        EXPECT_EQ(s.anisotropicLevel, c.expected.anisotropicLevel);
        EXPECT_EQ(s.runs, c.expected.runs);
    }
}

std::vector<RunFigures> TwoKnownRuns() {
    RunFigures first;
    first.playTimeSeconds = 61.29;
    first.averageFps = 32.63;
    first.minFps = 20.91;
    first.minFrame = 1955;
    first.maxFps = 40.19;
    first.maxFrame = 78;
    first.trisPerSecond = -13398170;
    first.trisPerFrame = -410563;
    first.recordedPlayedTrisRatio = -2.23;
    RunFigures second = first;
    second.playTimeSeconds = 52.39;
    second.averageFps = 38.18;
    second.maxFps = 44.06;
    second.maxFrame = 955;
    second.trisPerSecond = -14940468;
    second.trisPerFrame = -391360;
    second.recordedPlayedTrisRatio = -2.34;
    return {first, second};
}

TEST(PlaybackLogText, TheGameLayoutByteForByte) {
    const std::string rule = "==============================================================\r\n";
    const std::string expected =
        rule +
        "TimeDemo Play Started , (Total Frames: 2000, Recorded Time: 111.86s)\r\n"
        "!TimeDemo Run 0 Finished.\r\n"
        "    Play Time: 61.29s, Average FPS: 32.63\r\n"
        "    Min FPS: 20.91 at frame 1955, Max FPS: 40.19 at frame 78\r\n"
        "    Average Tri/Sec: -13398170, Tri/Frame: -410563\r\n"
        "    Recorded/Played Tris ratio: -2.23\r\n"
        "!TimeDemo Run 1 Finished.\r\n"
        "    Play Time: 52.39s, Average FPS: 38.18\r\n"
        "    Min FPS: 20.91 at frame 1955, Max FPS: 44.06 at frame 955\r\n"
        "    Average Tri/Sec: -14940468, Tri/Frame: -391360\r\n"
        "    Recorded/Played Tris ratio: -2.34\r\n"
        "TimeDemo Play Ended, (2 Runs Performed)\r\n" +
        rule;
    EXPECT_EQ(PlaybackLogText(TwoKnownRuns(), Fault::kNone), expected);
}

size_t CountLines(const std::string& text) {
    size_t lines = 0;
    for (size_t pos = text.find("\r\n"); pos != std::string::npos;
         pos = text.find("\r\n", pos + 2)) {
        ++lines;
    }
    return lines;
}

TEST(PlaybackLogText, FaultsThatChangeTheText) {
    const std::vector<RunFigures> runs = TwoKnownRuns();
    const std::string comma = PlaybackLogText(runs, Fault::kComma);
    EXPECT_NE(comma.find("Recorded Time: 111,86s)"), std::string::npos);
    EXPECT_NE(comma.find("    Play Time: 61,29s, Average FPS: 32,63\r\n"), std::string::npos);
    EXPECT_NE(comma.find("    Min FPS: 20,91 at frame 1955, Max FPS: 40,19 at frame 78\r\n"),
              std::string::npos);
    // The only points left end the "Finished." lines.
    EXPECT_EQ(static_cast<size_t>(std::count(comma.begin(), comma.end(), '.')), runs.size());

    // Complete means more than 5 x runs + 2 lines; the short log has exactly that many.
    const std::string shortLog = PlaybackLogText(runs, Fault::kShortLog);
    EXPECT_EQ(CountLines(shortLog), 5u * runs.size() + 2);
    EXPECT_EQ(shortLog.substr(shortLog.size() - 2), "\r\n");
    EXPECT_EQ(CountLines(PlaybackLogText(runs, Fault::kNone)), 5u * runs.size() + 4);

    const std::string noLabel = PlaybackLogText(runs, Fault::kNoLabel);
    EXPECT_EQ(noLabel.find("Average FPS:"), std::string::npos);
    EXPECT_NE(noLabel.find("32.63"), std::string::npos);
    EXPECT_EQ(CountLines(noLabel), 5u * runs.size() + 4);

    const std::string garbage = PlaybackLogText(runs, Fault::kGarbage);
    EXPECT_NE(garbage.find("    Play Time: 61.29s, Average FPS: abc\r\n"), std::string::npos);
    EXPECT_NE(garbage.find("    Min FPS: abc at frame 1955, Max FPS: abc at frame 78\r\n"),
              std::string::npos);
    EXPECT_EQ(CountLines(garbage), 5u * runs.size() + 4);
}

struct DecodedJpeg {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<unsigned char> pixels;
    std::string comment;
};

struct JpegErrorExit {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// Decodes with libjpeg, the library the benchmark itself uses; false when
// libjpeg rejects the data.
bool DecodeJpeg(const std::string& bytes, DecodedJpeg& out) {
    jpeg_decompress_struct info;
    JpegErrorExit error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = [](j_common_ptr common) {
        std::longjmp(reinterpret_cast<JpegErrorExit*>(common->err)->jump, 1);
    };
    error.base.emit_message = [](j_common_ptr, int) {};
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_save_markers(&info, JPEG_COM, 0xFFFF);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    for (jpeg_saved_marker_ptr m = info.marker_list; m != nullptr; m = m->next) {
        if (m->marker == JPEG_COM) {
            out.comment.assign(reinterpret_cast<const char*>(m->data), m->data_length);
        }
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.components = info.output_components;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height * out.components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.pixels.data() +
                       static_cast<size_t>(info.output_scanline) * out.width * out.components;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

TEST(ScreenshotJpeg, LibjpegDecodesThePictureThatWasDrawn) {
    const std::string bytes = ScreenshotJpeg("Framewright stand-in game screenshot, frame 850");
    DecodedJpeg image;
    ASSERT_TRUE(DecodeJpeg(bytes, image));
    EXPECT_EQ(image.width, 160);
    EXPECT_EQ(image.height, 120);
    ASSERT_EQ(image.components, 3);
    EXPECT_EQ(image.comment, "Framewright stand-in game screenshot, frame 850");
    int worst = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb drawn = ScreenshotPixel(x, y);
            const unsigned char* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
            worst = std::max({worst, std::abs(p[0] - drawn.red), std::abs(p[1] - drawn.green),
                              std::abs(p[2] - drawn.blue)});
        }
    }
    // Colour conversion both ways costs a few steps, never more.
    EXPECT_LE(worst, 4);
}

TEST(ScreenshotJpeg, EveryDataByteFFIsStuffedAndTheFileEndsWithItsMarker) {
    const std::string bytes = ScreenshotJpeg("");
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9");
    const size_t scanStart = bytes.find("\xFF\xDA");
    ASSERT_NE(scanStart, std::string::npos);
    const size_t dataStart = scanStart + 2 + 12;
    for (size_t i = dataStart; i + 2 < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) == 0xFF) {
            EXPECT_EQ(bytes[i + 1], '\0') << "at " << i;
            ++i;
        }
    }
}

// A throw-away game installation: InstallDir/Bin64/Crysis.exe and one level.
class StandInGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() /
            ("gamesim_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "Crysis" / "Bin64");
        fs::create_directories(root_ / "Crysis" / "Game" / "Levels" / "Island");
        Write(root_ / "Crysis" / "Game" / "Levels" / "Island" / "benchmark_gpu.tmd", "demo");
        start_.executable = root_ / "Crysis" / "Bin64" / "Crysis.exe";
        Write(start_.executable, "program bytes");
        start_.commandLine =
            "C:\\Crysis\\Bin64\\Crysis.exe -DEVMODE +map island +demo benchmark_gpu "
            "+demo_num_runs 2 +demo_quit 1";
        start_.currentFolder = "C:\\Crysis\\Bin64";
        start_.documents = root_ / "Documents";
    }
    void TearDown() override { fs::remove_all(root_); }

    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    fs::path LogPath() const {
        return root_ / "Crysis" / "Game" / "Levels" / "Island" / "benchmark_gpu.log";
    }
    fs::path Bin() const { return root_ / "Crysis" / "Bin64"; }

    fs::path root_;
    StandInStart start_;
};

TEST_F(StandInGameTest, HandOverStartsTheCopyWithTheSameArgumentsAndPlaysNothingItself) {
    Write(Bin() / "gamesim.ini", "fault=handover\r\n");
    std::vector<std::pair<fs::path, std::string>> started;
    start_.startProgram = [&](const fs::path& program, std::string_view arguments) {
        started.emplace_back(program, std::string(arguments));
        return true;
    };
    EXPECT_EQ(RunStandInGame(start_), 0);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].first, Bin() / "Crysis64.exe");
    EXPECT_EQ(started[0].second,
              " -DEVMODE +map island +demo benchmark_gpu +demo_num_runs 2 +demo_quit 1");
    EXPECT_EQ(Read(Bin() / "Crysis64.exe"), "program bytes");
    EXPECT_FALSE(fs::exists(LogPath()));
    EXPECT_EQ(Read(Bin() / "gamesim-commands.log"), start_.commandLine + "\r\n");

    // The copy, under its own name, does the work.
    start_.executable = Bin() / "Crysis64.exe";
    EXPECT_EQ(RunStandInGame(start_), 0);
    EXPECT_EQ(started.size(), 1u);
    EXPECT_TRUE(fs::exists(LogPath()));
}

TEST_F(StandInGameTest, HandOverThatCannotStartIsNoSuccess) {
    Write(Bin() / "gamesim.ini", "fault=handover");
    start_.startProgram = [](const fs::path&, std::string_view) { return false; };
    EXPECT_NE(RunStandInGame(start_), 0);
    EXPECT_FALSE(fs::exists(LogPath()));
}

TEST_F(StandInGameTest, PlaysForTheConfiguredTimeBeforeTheLogAppears) {
    Write(Bin() / "gamesim.ini", "duration_ms=4500\nfault=none");
    std::vector<int> waits;
    bool logDuringWait = true;
    start_.wait = [&](int ms) {
        waits.push_back(ms);
        logDuringWait = fs::exists(LogPath());
    };
    EXPECT_EQ(RunStandInGame(start_), 0);
    EXPECT_EQ(waits, std::vector<int>{4500});
    EXPECT_FALSE(logDuringWait);
    EXPECT_TRUE(fs::exists(LogPath()));
}

}  // namespace
}  // namespace fw::gamesim
