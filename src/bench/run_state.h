#pragma once
// The state of one benchmark run over the selected resolutions. One instance
// lives as long as the program; fields keep their values until a run sets them.
#include <string>

namespace fw {

enum class BenchMode { None, Vga, Cpu };

struct WindowBounds {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
};

struct RunState {
    BenchMode Mode = BenchMode::None;
    std::string ModeTitle;
    int TotalCount = 0;
    int DoneCount = 0;
    std::string RunCount = "1";
    std::string Timestamp;
    std::string StartedAt;
    std::string CurrentTag;
    std::string CurrentSize;
    std::string CurrentTitle;
    std::string CommandLine;
    std::string ExeName = "Crysis.exe";
    std::string LevelName;
    std::string DemoName;
    std::string DemoTitle;
    std::string ScreenshotOption;
    std::string AaFlag;
    std::string AaSamples;
    std::string AaQuality;
    std::string AfLevel;
    std::string RendererTitle = "DirectX 9";
    std::string RendererSwitch = "-DX9";
    WindowBounds SavedBounds;
    std::string Note;
    std::string LastScore;
    std::string ReportPath;
};

}  // namespace fw
