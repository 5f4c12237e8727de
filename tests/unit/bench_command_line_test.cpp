#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "bench/command_line.h"
#include "bench/resolution_catalogue.h"
#include "bench/run_state.h"

namespace fw {
namespace {

TEST(ChooseRenderer, DirectX10OnlyWhenStoredAndTheSystemIsVista) {
    struct Case {
        const char* stored;
        bool vista;
        const char* title;
        const char* switchText;
        int box;
    };
    const Case cases[] = {
        {"1", true, "DirectX 9", "-DX9", 0},   {"1", false, "DirectX 9", "-DX9", 0},
        {"2", true, "DirectX 10", "-DX10", 1}, {"2", false, "DirectX 9", "-DX9", 0},
        {"", true, "DirectX 9", "-DX9", 0},    {"3", true, "DirectX 9", "-DX9", 0},
        {"2 ", true, "DirectX 9", "-DX9", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.stored + "\" vista=" + (c.vista ? "1" : "0"));
        const RendererChoice r = ChooseRenderer(c.stored, c.vista);
        EXPECT_EQ(r.title, c.title);
        EXPECT_EQ(r.switchText, c.switchText);
        EXPECT_EQ(r.boxIndex, c.box);
    }
}

TEST(BuildFilterOptions, AntiAliasingFragmentsPerItemAndRenderer) {
    struct Case {
        int item;
        bool dx10;
        const char* flag;
        const char* samples;
        const char* quality;
    };
    const Case cases[] = {
        {0, false, " +r_FSAA = 0", " +r_FSAA_samples = 0", " +r_FSAA_quality = 0"},
        {0, true, " +r_FSAA = 0", " +r_FSAA_samples = 0", " +r_FSAA_quality = 0"},
        {1, false, " +r_FSAA = 1", " +r_FSAA_samples = 2", " +r_FSAA_quality = 0"},
        {1, true, " +r_FSAA = 1", " +r_FSAA_samples = 2", " +r_FSAA_quality = 0"},
        {2, false, " +r_FSAA = 1", " +r_FSAA_samples = 4", " +r_FSAA_quality = 0"},
        {2, true, " +r_FSAA = 1", " +r_FSAA_samples = 4", " +r_FSAA_quality = 0"},
        {3, false, " +r_FSAA = 1", " +r_FSAA_samples = 4", " +r_FSAA_quality = 2"},
        {3, true, " +r_FSAA = 1", " +r_FSAA_samples = 4", " +r_FSAA_quality = 8"},
        {4, false, " +r_FSAA = 1", " +r_FSAA_samples = 8", " +r_FSAA_quality = 0"},
        {4, true, " +r_FSAA = 1", " +r_FSAA_samples = 8", " +r_FSAA_quality = 8"},
        {5, false, " +r_FSAA = 1", " +r_FSAA_samples = 4", " +r_FSAA_quality = 4"},
        {5, true, " +r_FSAA = 1", " +r_FSAA_samples = 4", " +r_FSAA_quality = 16"},
        {6, false, " +r_FSAA = 1", " +r_FSAA_samples = 8", " +r_FSAA_quality = 2"},
        {6, true, " +r_FSAA = 1", " +r_FSAA_samples = 8", " +r_FSAA_quality = 16"},
        // "From System", nothing chosen and stray indexes leave the game's own setting.
        {7, false, "", "", ""},
        {7, true, "", "", ""},
        {-1, true, "", "", ""},
        {8, false, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("item " + std::to_string(c.item) + (c.dx10 ? " DX10" : " DX9"));
        const FilterOptions f = BuildFilterOptions(c.item, -1, c.dx10);
        EXPECT_EQ(f.AaFlag, c.flag);
        EXPECT_EQ(f.AaSamples, c.samples);
        EXPECT_EQ(f.AaQuality, c.quality);
        EXPECT_EQ(f.AfLevel, "");
    }
}

TEST(BuildFilterOptions, FilteringFragmentPerItem) {
    const std::map<int, std::string> cases = {
        {0, " r_Texture_Anisotropic_Level = 1"},
        {1, " r_Texture_Anisotropic_Level = 2"},
        {2, " r_Texture_Anisotropic_Level = 4"},
        {3, " r_Texture_Anisotropic_Level = 8"},
        {4, " r_Texture_Anisotropic_Level = 16"},
        {5, ""},
        {-1, ""},
        {6, ""},
    };
    for (const auto& [item, expected] : cases) {
        for (bool dx10 : {false, true}) {
            SCOPED_TRACE("item " + std::to_string(item) + (dx10 ? " DX10" : " DX9"));
            const FilterOptions f = BuildFilterOptions(-1, item, dx10);
            EXPECT_EQ(f.AfLevel, expected);
            EXPECT_EQ(f.AaFlag + f.AaSamples + f.AaQuality, "");
        }
    }
}

// The run state as the controller leaves it before a launch.
RunState PreparedRun(BenchMode mode, const char* level, const char* demo, const char* runs,
                     const char* storedRenderer, int aaItem, int afItem) {
    RunState run;
    run.Mode = mode;
    run.ExeName = "Crysis.exe";
    run.LevelName = level;
    run.DemoName = demo;
    run.RunCount = runs;
    run.ScreenshotOption = " +demo_screenshot_frame 850";
    const RendererChoice r = ChooseRenderer(storedRenderer, true);
    run.RendererTitle = r.title;
    run.RendererSwitch = r.switchText;
    const FilterOptions f = BuildFilterOptions(aaItem, afItem, r.switchText == "-DX10");
    run.AaFlag = f.AaFlag;
    run.AaSamples = f.AaSamples;
    run.AaQuality = f.AaQuality;
    run.AfLevel = f.AfLevel;
    return run;
}

TEST(BuildCommandLine, PiecesForEveryModeDemoRendererAndFilter) {
    struct Case {
        const char* name;
        BenchMode mode;
        const char* level;
        const char* demo;
        bool builtIn;
        const char* runs;
        ResolutionEntry entry;
        const char* renderer;
        int aa;
        int af;
        bool screenshot;
        const char* expected;
    };
    const Case cases[] = {
        {"built-in demo, DX10, AF 8x, AA 4x", BenchMode::Vga, "island", "benchmark_gpu", true, "2",
         EntryAt(0), "2", 2, 3, false,
         "C:\\Games\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map island +demo benchmark_gpu"
         " +r_Width 800 +r_Height 600 +r_Fullscreen 1 +demo_num_runs 2 +demo_quit 1"
         " +s_SoundEnable 0 +s_MusicEnable 0 -DX10 +demo_time_of_day = 16"
         " r_Texture_Anisotropic_Level = 8 +r_FSAA = 1 +r_FSAA_samples = 4 +r_FSAA_quality = 0"},
        {"cpu ignores renderer, screenshot and filters", BenchMode::Cpu, "ice", "benchmark_cpuice",
         false, "3", MakeCustomEntry("1680", "1050"), "2", 6, 4, true,
         "C:\\Games\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map ice +demo benchmark_cpuice"
         " +r_Width 1680 +r_Height 1050 +r_Fullscreen 1 +demo_num_runs 3 +demo_quit 1"
         " +s_SoundEnable 0 +s_MusicEnable 0"},
        {"cpu island", BenchMode::Cpu, "island", "benchmark_cpuisland", false, "1", EntryAt(1), "1",
         -1, -1, false,
         "C:\\Games\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map island +demo benchmark_cpuisland"
         " +r_Width 1024 +r_Height 768 +r_Fullscreen 1 +demo_num_runs 1 +demo_quit 1"
         " +s_SoundEnable 0 +s_MusicEnable 0"},
        {"core demo, both filters from system", BenchMode::Vga, "core", "coredemo", false, "1",
         EntryAt(2), "1", 7, 5, false,
         "C:\\Games\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map core +demo coredemo"
         " +r_Width 1280 +r_Height 1024 +r_Fullscreen 1 +demo_num_runs 1 +demo_quit 1"
         " +s_SoundEnable 0 +s_MusicEnable 0 -DX9"},
        {"built-in, screenshot, filters from system", BenchMode::Vga, "island", "benchmark_gpu",
         true, "5", EntryAt(7), "2", 7, 5, true,
         "C:\\Games\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map island +demo benchmark_gpu"
         " +r_Width 1920 +r_Height 1200 +r_Fullscreen 1 +demo_num_runs 5 +demo_quit 1"
         " +s_SoundEnable 0 +s_MusicEnable 0 -DX10 +demo_screenshot_frame 850"
         " +demo_time_of_day = 16"},
        {"core demo, screenshot, AA and AF off", BenchMode::Vga, "core", "coredemo", false, "2",
         EntryAt(5), "1", 0, 0, true,
         "C:\\Games\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map core +demo coredemo"
         " +r_Width 1280 +r_Height 768 +r_Fullscreen 1 +demo_num_runs 2 +demo_quit 1"
         " +s_SoundEnable 0 +s_MusicEnable 0 -DX9 +demo_screenshot_frame 850"
         " r_Texture_Anisotropic_Level = 1 +r_FSAA = 0 +r_FSAA_samples = 0 +r_FSAA_quality = 0"},
        {"no filter chosen at all", BenchMode::Vga, "island", "benchmark_gpu", true, "1",
         EntryAt(3), "1", -1, -1, false,
         "C:\\Games\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map island +demo benchmark_gpu"
         " +r_Width 1600 +r_Height 1200 +r_Fullscreen 1 +demo_num_runs 1 +demo_quit 1"
         " +s_SoundEnable 0 +s_MusicEnable 0 -DX9 +demo_time_of_day = 16"},
        {"16xQ under DX9, AF only", BenchMode::Vga, "core", "coredemo", false, "1", EntryAt(4), "1",
         6, 4, false,
         "C:\\Games\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map core +demo coredemo"
         " +r_Width 2048 +r_Height 1536 +r_Fullscreen 1 +demo_num_runs 1 +demo_quit 1"
         " +s_SoundEnable 0 +s_MusicEnable 0 -DX9 r_Texture_Anisotropic_Level = 16"
         " +r_FSAA = 1 +r_FSAA_samples = 8 +r_FSAA_quality = 2"},
        {"custom demo and resolution, 16xQ under DX10", BenchMode::Vga, "Harbor", "night", false,
         "3", MakeCustomEntry("1680", "1050"), "2", 6, 5, false,
         "C:\\Games\\Crysis\\Bin32\\Crysis.exe -DEVMODE +map Harbor +demo night"
         " +r_Width 1680 +r_Height 1050 +r_Fullscreen 1 +demo_num_runs 3 +demo_quit 1"
         " +s_SoundEnable 0 +s_MusicEnable 0 -DX10"
         " +r_FSAA = 1 +r_FSAA_samples = 8 +r_FSAA_quality = 16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunState run = PreparedRun(c.mode, c.level, c.demo, c.runs, c.renderer, c.aa, c.af);
        const LaunchOptions options{"C:\\Games\\Crysis\\Bin32\\", c.screenshot, c.builtIn, c.aa,
                                    c.af};
        EXPECT_EQ(BuildCommandLine(run, c.entry, options), c.expected);
    }
}

TEST(BuildCommandLine, ExecutablePathWithBlanksIsQuoted) {
    RunState run = PreparedRun(BenchMode::Vga, "island", "benchmark_gpu", "1", "1", -1, -1);
    run.ExeName = "k3x9qa.exe";
    const LaunchOptions options{"C:\\Program Files\\Electronic Arts\\Crytek\\Crysis\\Bin64\\",
                                false, false, -1, -1};
    EXPECT_EQ(BuildCommandLine(run, EntryAt(0), options),
              "\"C:\\Program Files\\Electronic Arts\\Crytek\\Crysis\\Bin64\\k3x9qa.exe\""
              " -DEVMODE +map island +demo benchmark_gpu +r_Width 800 +r_Height 600"
              " +r_Fullscreen 1 +demo_num_runs 1 +demo_quit 1"
              " +s_SoundEnable 0 +s_MusicEnable 0 -DX9");
}

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

TEST(MakeRandomName, LowerCaseLettersAndDigitsOfTheAskedLength) {
    for (std::uint32_t seed : {0u, 1u, 42u, 5489u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(seed);
        const std::string name = MakeRandomName(6, seed);
        ASSERT_EQ(name.size(), 6u);
        for (char c : name) {
            EXPECT_TRUE(IsNameCharacter(c)) << c;
        }
    }
    EXPECT_EQ(MakeRandomName(0, 7), "");
    EXPECT_EQ(MakeRandomName(-3, 7), "");
}

TEST(MakeRandomName, SameSeedSameNameOtherSeedOtherName) {
    EXPECT_EQ(MakeRandomName(6, 20240101), MakeRandomName(6, 20240101));
    EXPECT_NE(MakeRandomName(6, 20240101), MakeRandomName(6, 20240102));
    // The default Mersenne Twister seed's first output, 3499211612, is 20 modulo 36.
    EXPECT_EQ(MakeRandomName(1, 5489), "u");
}

TEST(MakeRandomName, EveryCharacterIsEquallyLikely) {
    const std::string name = MakeRandomName(36 * 2000, 12345);
    std::array<int, 256> counts{};
    for (char c : name) {
        ++counts[static_cast<unsigned char>(c)];
    }
    for (char c : std::string("abcdefghijklmnopqrstuvwxyz0123456789")) {
        SCOPED_TRACE(c);
        // About 2000 each; a standard deviation is about 44.
        EXPECT_GT(counts[static_cast<unsigned char>(c)], 1700);
        EXPECT_LT(counts[static_cast<unsigned char>(c)], 2300);
    }
}

}  // namespace
}  // namespace fw
