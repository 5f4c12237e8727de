#pragma once
// The step-by-step trace of a run shown on the Debug page (`DebugMemo`) and
// saved to "C:\log.txt" for support. Only whole lines are ever appended.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench/run_state.h"
#include "game/game_install.h"

namespace fw {

// The row of a section head unless the section has a row of its own.
inline constexpr int kBannerRowLength = 29;

class DiagnosticLog {
public:
    void Clear() { lines_.clear(); }
    void Add(std::string line);
    // A text with embedded line breaks (CR, LF or CR LF) shows as several lines;
    // an empty text still shows as one empty line, as it does in the memo.
    void AddText(std::string_view text);
    // A whole working list; an empty list shows as one empty line, like its text.
    void AddList(std::span<const std::string> lines);
    // `LogBanner`: an empty line, a row of asterisks, the title, the same row.
    void Head(std::string_view title, int rowLength = kBannerRowLength);

    const std::vector<std::string>& Lines() const { return lines_; }
    // The bytes of the saved trace file: every line followed by CR LF.
    std::string SaveText() const;

private:
    std::vector<std::string> lines_;
};

// Section titles written by the run's steps.
inline constexpr std::string_view kRenameAutoexecTitle = "Rename Exist Autoexec.cfg";
inline constexpr std::string_view kRenameGameExeTitle = "Rename crysis.exe";
inline constexpr std::string_view kRandomNamePrefix = "RandomName: ";
inline constexpr std::string_view kVgaConfigTitle = "Config options - VGA Ulta";
inline constexpr std::string_view kCpuConfigTitle = "Config options - CPU";
inline constexpr std::string_view kRestoreGameExeTitle = "Rename Random exe";
inline constexpr std::string_view kStartOptionsTitle = "Start options";
inline constexpr std::string_view kProcessEndTitle = "Terminate Process Information";
inline constexpr std::string_view kResultTitle = "Result Information";

// The title of the game.cfg section for quality 1..4; empty for any other level,
// for which no game.cfg is written.
std::string_view QualitySectionTitle(int qualityLevel, bool isVista);

// The run banner: the program version and the five folders. It opens with the
// asterisk row itself, without the empty line of a section head.
void TraceRunBanner(DiagnosticLog& log, const std::string& versionText, const GameInstall& install);
// game.cfg replaced for the chosen quality; nothing for an unknown level.
void TraceQualityConfig(DiagnosticLog& log, int qualityLevel, bool isVista);
void TraceAutoexecRenamed(DiagnosticLog& log);
// Written before the executable is moved to its random name.
void TraceGameExeRenamed(DiagnosticLog& log, const std::string& randomExeName);
// The written autoexec.cfg text under the section of the benchmark kind.
void TraceAutoexecText(DiagnosticLog& log, BenchMode mode, std::string_view autoexecText);
void TraceGameExeRestored(DiagnosticLog& log);
void TraceStartOptions(DiagnosticLog& log, const std::string& commandLine);
void TraceProcessEnd(DiagnosticLog& log, const std::string& runTag, int totalCount, int doneCount);

}  // namespace fw
