#include "bench/command_line.h"

#include <array>
#include <random>
#include <string_view>

namespace fw {
namespace {

struct AaSetting {
    int dx9Samples;
    int dx9Quality;
    int dx10Samples;
    int dx10Quality;
};

// "Off", "2×", "4×", "8×", "8xQ", "16x", "16xQ": the two renderers name the
// coverage modes with different quality numbers.
constexpr std::array<AaSetting, 7> kAaSettings = {{
    {0, 0, 0, 0},
    {2, 0, 2, 0},
    {4, 0, 4, 0},
    {4, 2, 4, 8},
    {8, 0, 8, 8},
    {4, 4, 4, 16},
    {8, 2, 8, 16},
}};

// "None", "Anisotropic 2×", "4×", "8×", "16×".
constexpr std::array<int, 5> kAfLevels = {1, 2, 4, 8, 16};

bool IsAaFragmentItem(int item) {
    return item >= 0 && item < static_cast<int>(kAaSettings.size());
}
bool IsAfFragmentItem(int item) {
    return item >= 0 && item < static_cast<int>(kAfLevels.size());
}

// Without quotation marks a blank in the path (C:\Program Files\...) lets the
// system try C:\Program.exe and the like first; a path without blanks stays bare.
std::string ExecutableToken(const std::string& path) {
    if (path.find_first_of(" \t") == std::string::npos) {
        return path;
    }
    return "\"" + path + "\"";
}

constexpr std::string_view kNameAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";

}  // namespace

RendererChoice ChooseRenderer(const std::string& storedRenderer, bool isVista) {
    if (storedRenderer == "2" && isVista) {
        return {"DirectX 10", "-DX10", 1};
    }
    return {"DirectX 9", "-DX9", 0};
}

FilterOptions BuildFilterOptions(int aaItem, int afItem, bool directX10) {
    FilterOptions f;
    if (IsAaFragmentItem(aaItem)) {
        const AaSetting& s = kAaSettings[static_cast<std::size_t>(aaItem)];
        f.AaFlag = aaItem == 0 ? " +r_FSAA = 0" : " +r_FSAA = 1";
        f.AaSamples =
            " +r_FSAA_samples = " + std::to_string(directX10 ? s.dx10Samples : s.dx9Samples);
        f.AaQuality =
            " +r_FSAA_quality = " + std::to_string(directX10 ? s.dx10Quality : s.dx9Quality);
    }
    if (IsAfFragmentItem(afItem)) {
        // Written without a plus sign, unlike the anti-aliasing fragments.
        f.AfLevel = " r_Texture_Anisotropic_Level = " +
                    std::to_string(kAfLevels[static_cast<std::size_t>(afItem)]);
    }
    return f;
}

std::string BuildCommandLine(const RunState& run, const ResolutionEntry& entry,
                             const LaunchOptions& options) {
    std::string line = ExecutableToken(options.binPath + run.ExeName);
    line += " -DEVMODE +map " + run.LevelName;
    line += " +demo " + run.DemoName;
    line += " +r_Width " + entry.Width;
    line += " +r_Height " + entry.Height;
    line += " +r_Fullscreen 1 +demo_num_runs " + run.RunCount;
    line += " +demo_quit 1 +";
    if (run.Mode == BenchMode::Cpu) {
        // The processor benchmark leaves renderer and filters to the game.
        line += "s_SoundEnable 0 +s_MusicEnable 0";
        return line;
    }
    line += "s_SoundEnable 0 +s_MusicEnable 0 ";
    line += run.RendererSwitch;
    if (options.screenshot) {
        line += run.ScreenshotOption;
    }
    if (options.builtInDemo) {
        line += " +demo_time_of_day = 16";
    }
    if (IsAfFragmentItem(options.afItem)) {
        line += run.AfLevel;
    }
    if (IsAaFragmentItem(options.aaItem)) {
        line += run.AaFlag + run.AaSamples + run.AaQuality;
    }
    return line;
}

std::string MakeRandomName(int length, std::uint32_t seed) {
    std::mt19937 generator(seed);
    // Rejection keeps every character equally likely; the standard distributions
    // are not the same on every library, mt19937's raw output is.
    constexpr std::uint64_t kRange = std::uint64_t{1} << 32;
    constexpr std::uint64_t kUsable = kRange - kRange % kNameAlphabet.size();
    std::string name;
    for (int i = 0; i < length; ++i) {
        std::uint64_t draw = 0;
        do {
            draw = generator();
        } while (draw >= kUsable);
        name += kNameAlphabet[static_cast<std::size_t>(draw % kNameAlphabet.size())];
    }
    return name;
}

}  // namespace fw
