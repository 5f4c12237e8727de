#pragma once
// The lines one playback appends to the demo log.
#include <string>
#include <vector>

#include "gamesim/fault_config.h"
#include "gamesim/playback_figures.h"

namespace fw::gamesim {

// Windows-1252 text, every line ended by CR LF, so that a later playback
// appended to the same file starts on a line of its own. The faults that
// change the log's text (short, comma, missing label, garbage) are applied
// here; the others leave it as the game writes it.
std::string PlaybackLogText(const std::vector<RunFigures>& runs, Fault fault);

}  // namespace fw::gamesim
