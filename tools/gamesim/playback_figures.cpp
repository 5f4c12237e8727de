#include "gamesim/playback_figures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace fw::gamesim {

namespace {

constexpr int kMostRuns = 1000;
constexpr int kLargestSide = 16384;
constexpr double kReferencePixels = 1024.0 * 768.0;
constexpr double kReferenceFps = 80.0;
constexpr double kLoadingSlowdown = 0.8;

std::optional<int> ReadInt(const GameCommandLine& commandLine, std::string_view name) {
    std::optional<std::string> text = commandLine.Setting(name);
    if (!text) {
        return std::nullopt;
    }
    int value = 0;
    const char* begin = text->data();
    const char* end = begin + text->size();
    auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

int ReadClamped(const GameCommandLine& commandLine, std::string_view name, int fallback, int low,
                int high) {
    std::optional<int> value = ReadInt(commandLine, name);
    if (!value || *value < low) {
        return fallback;
    }
    return std::min(*value, high);
}

// A small, fully specified generator: the figures must not change with the
// standard library the stand-in was built with.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
    // Uniform in [0, 1).
    double Next() {
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t state_;
};

double SettingsFps(const PlaybackSettings& settings) {
    double pixels = static_cast<double>(settings.width) * settings.height;
    double fps = kReferenceFps * std::pow(kReferencePixels / pixels, 0.8);
    if (settings.renderer == Renderer::kDirectX10) {
        fps *= 0.85;
    }
    fps /= 1.0 + 0.09 * settings.fsaaSamples;
    fps /= 1.0 + 0.006 * settings.anisotropicLevel;
    return fps;
}

double Hundredths(double value) {
    return std::round(value * 100.0) / 100.0;
}

}  // namespace

PlaybackSettings PlaybackSettingsFrom(const GameCommandLine& commandLine) {
    PlaybackSettings settings;
    settings.width = ReadClamped(commandLine, "r_Width", settings.width, 1, kLargestSide);
    settings.height = ReadClamped(commandLine, "r_Height", settings.height, 1, kLargestSide);
    settings.renderer = commandLine.renderer;
    bool fsaaOn = ReadInt(commandLine, "r_FSAA").value_or(1) != 0;
    int samples = ReadClamped(commandLine, "r_FSAA_samples", 0, 0, 64);
    settings.fsaaSamples = fsaaOn ? samples : 0;
    settings.anisotropicLevel = ReadClamped(commandLine, "r_Texture_Anisotropic_Level", 1, 1, 16);
    settings.runs = ReadClamped(commandLine, "demo_num_runs", 1, 1, kMostRuns);
    return settings;
}

std::vector<RunFigures> ComputeRunFigures(const PlaybackSettings& settings, std::uint64_t seed) {
    SplitMix64 random(seed);
    double base = SettingsFps(settings);
    std::vector<RunFigures> runs;
    for (int run = 0; run < settings.runs; ++run) {
        RunFigures figures;
        double jitter = 0.97 + 0.06 * random.Next();
        double average = base * jitter * (run == 0 ? kLoadingSlowdown : 1.0);
        // Rounded here so that what the log shows keeps min < average < max.
        figures.averageFps = Hundredths(std::max(average, 1.0));
        figures.minFps = Hundredths(figures.averageFps * (0.55 + 0.1 * random.Next()));
        figures.maxFps = Hundredths(figures.averageFps * (1.18 + 0.12 * random.Next()));
        figures.minFrame = static_cast<int>(random.Next() * kDemoFrames);
        figures.maxFrame = static_cast<int>(random.Next() * kDemoFrames);
        figures.playTimeSeconds = Hundredths(kDemoFrames / figures.averageFps);
        // The game's triangle counters overflow and come out negative.
        figures.trisPerFrame = -static_cast<std::int64_t>(380000 + 60000 * random.Next());
        figures.trisPerSecond =
            static_cast<std::int64_t>(std::llround(figures.trisPerFrame * figures.averageFps));
        figures.recordedPlayedTrisRatio = Hundredths(-(2.0 + 0.5 * random.Next()));
        runs.push_back(figures);
    }
    return runs;
}

}  // namespace fw::gamesim
