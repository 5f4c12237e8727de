#pragma once
// The game's command line for one resolution, and the renderer, filter and
// random-name pieces it is made of. Pure text work; starting the game is elsewhere.
#include <cstdint>
#include <string>

#include "bench/resolution_catalogue.h"
#include "bench/run_state.h"

namespace fw {

struct RendererChoice {
    std::string title;
    std::string switchText;
    int boxIndex = 0;
};

// From the stored "Renderer" value: DirectX 10 only when asked for and the
// system can run it (major version 6); DirectX 9 in every other case.
RendererChoice ChooseRenderer(const std::string& storedRenderer, bool isVista);

struct FilterOptions {
    std::string AaFlag;
    std::string AaSamples;
    std::string AaQuality;
    std::string AfLevel;
};

// Items of the anti-aliasing list 0..6 and the filtering list 0..4 give
// fragments; "From System" (AA 7, AF 5), -1 (nothing chosen) and anything else
// leave that list's fragments empty.
FilterOptions BuildFilterOptions(int aaItem, int afItem, bool directX10);

struct LaunchOptions {
    std::string binPath;  // the game's executable folder, ending with a backslash
    bool screenshot = false;
    bool builtInDemo = false;
    int aaItem = -1;
    int afItem = -1;
};

// Reads Mode, ExeName, LevelName, DemoName, RunCount, RendererSwitch,
// ScreenshotOption and the filter fragments of `run`.
std::string BuildCommandLine(const RunState& run, const ResolutionEntry& entry,
                             const LaunchOptions& options);

// `length` characters drawn uniformly from a-z and 0-9; the same seed gives the
// same name on every build.
std::string MakeRandomName(int length, std::uint32_t seed);

}  // namespace fw
