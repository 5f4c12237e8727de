#include "results/diagnostic_log.h"

#include <utility>

#include "common/text.h"

namespace fw {

void DiagnosticLog::Add(std::string line) {
    lines_.push_back(std::move(line));
}

void DiagnosticLog::AddText(std::string_view text) {
    std::vector<std::string> parts = SplitLines(text);
    if (parts.empty()) {
        lines_.emplace_back();
        return;
    }
    for (std::string& part : parts) {
        lines_.push_back(std::move(part));
    }
}

void DiagnosticLog::AddList(std::span<const std::string> lines) {
    if (lines.empty()) {
        lines_.emplace_back();
        return;
    }
    lines_.insert(lines_.end(), lines.begin(), lines.end());
}

void DiagnosticLog::Head(std::string_view title, int rowLength) {
    const std::string row(static_cast<std::size_t>(rowLength > 0 ? rowLength : 0), '*');
    lines_.emplace_back();
    lines_.push_back(row);
    lines_.emplace_back(title);
    lines_.push_back(row);
}

std::string DiagnosticLog::SaveText() const {
    return JoinCrLf(lines_);
}

std::string_view QualitySectionTitle(int qualityLevel, bool isVista) {
    switch (qualityLevel) {
        case 1:
            return "Low Quality";
        case 2:
            return "Medium Quality";
        case 3:
            return "High Quality";
        case 4:
            return isVista ? "Very High Quality - Vista" : "Very High Quality - XP";
        default:
            return {};
    }
}

void TraceRunBanner(DiagnosticLog& log, const std::string& versionText,
                    const GameInstall& install) {
    const std::string row(kBannerRowLength, '*');
    log.Add(row);
    log.Add("Framewright v" + versionText);
    log.Add(row);
    log.Add("CVarGroupsPath: " + install.CVarGroupsPath);
    log.Add("CrysisConfigPath: " + install.CrysisConfigPath);
    log.Add("CFGPath: " + install.CFGPath);
    log.Add("DemoPath: " + install.DemoPath);
    log.Add("ScreenShotsPath: " + install.ScreenShotsPath);
}

void TraceQualityConfig(DiagnosticLog& log, int qualityLevel, bool isVista) {
    const std::string_view title = QualitySectionTitle(qualityLevel, isVista);
    if (!title.empty()) {
        log.Head(title);
    }
}

void TraceAutoexecRenamed(DiagnosticLog& log) {
    log.Head(kRenameAutoexecTitle);
}

void TraceGameExeRenamed(DiagnosticLog& log, const std::string& randomExeName) {
    log.Head(kRenameGameExeTitle);
    log.Add(std::string(kRandomNamePrefix) + randomExeName);
}

void TraceAutoexecText(DiagnosticLog& log, BenchMode mode, std::string_view autoexecText) {
    if (mode == BenchMode::None) {
        return;
    }
    log.Head(mode == BenchMode::Vga ? kVgaConfigTitle : kCpuConfigTitle);
    log.AddText(autoexecText);
}

void TraceGameExeRestored(DiagnosticLog& log) {
    log.Head(kRestoreGameExeTitle);
}

void TraceStartOptions(DiagnosticLog& log, const std::string& commandLine) {
    log.Head(kStartOptionsTitle);
    log.Add(commandLine);
}

void TraceProcessEnd(DiagnosticLog& log, const std::string& runTag, int totalCount, int doneCount) {
    log.Head(kProcessEndTitle);
    log.Add("Resolution: " + runTag);
    log.Add("Total resolution: " + std::to_string(totalCount));
    log.Add("Current Resolution: " + std::to_string(doneCount));
}

}  // namespace fw
