#pragma once
// The texts the run writes into the game before it starts: game.cfg for the
// chosen quality and the console lines of autoexec.cfg.
#include <optional>
#include <string>
#include <vector>

#include "bench/run_state.h"

namespace fw {

// The 51 lines of game.cfg; `n` (1..4) is the value of the twelve sys_spec lines.
std::vector<std::string> GameConfigTemplate(int n);

struct QualityConfig {
    int templateLevel = 0;
    std::string logTitle;
};

// The template and log title for quality 1..4; none for 0 or anything else.
std::optional<QualityConfig> ChooseQualityConfig(int quality, bool isVista);

// The option lines of autoexec.cfg for the mode; empty for no mode.
std::vector<std::string> BuildAutoexecLines(BenchMode mode, bool multiGpu, bool boost,
                                            bool isVista);

// The final lines of autoexec.cfg, or none when no autoexec.cfg is to be written.
// `markedQualityItem` is the quality marked at the moment of writing (1..4, 0 for
// none); `customLines` holds the custom configuration file's lines when that
// option is on.
std::optional<std::vector<std::string>> AutoexecContent(
    BenchMode mode, int markedQualityItem, bool multiGpu, bool boost, bool isVista,
    const std::optional<std::vector<std::string>>& customLines);

}  // namespace fw
