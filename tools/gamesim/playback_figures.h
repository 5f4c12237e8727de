#pragma once
// The frame rates one playback reports: a made-up but steady model in which a
// larger picture, the DirectX 10 renderer, anti-aliasing and filtering all cost
// frames, and the first run is slower because it loads the level.
#include <cstdint>
#include <vector>

#include "gamesim/game_command_line.h"

namespace fw::gamesim {

inline constexpr int kDemoFrames = 2000;

struct PlaybackSettings {
    int width = 1024;
    int height = 768;
    Renderer renderer = Renderer::kDirectX9;
    int fsaaSamples = 0;  // 0 when anti-aliasing is off
    int anisotropicLevel = 1;
    int runs = 1;
};

struct RunFigures {
    double playTimeSeconds = 0;
    double averageFps = 0;
    double minFps = 0;
    int minFrame = 0;
    double maxFps = 0;
    int maxFrame = 0;
    std::int64_t trisPerSecond = 0;
    std::int64_t trisPerFrame = 0;
    double recordedPlayedTrisRatio = 0;
};

// Missing or unreadable values fall back to the game's defaults; values out of
// any sensible range are clamped so that no input can blow up the log.
PlaybackSettings PlaybackSettingsFrom(const GameCommandLine& commandLine);

// One entry per run, the same for the same settings and seed.
std::vector<RunFigures> ComputeRunFigures(const PlaybackSettings& settings, std::uint64_t seed);

}  // namespace fw::gamesim
