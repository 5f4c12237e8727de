#pragma once
// The stand-in's own settings file "gamesim.ini" beside its executable: which
// misbehaviour a test wants, how long a playback lasts, and the figures' seed.
// The game's command line never selects these.
#include <cstdint>
#include <string_view>

namespace fw::gamesim {

enum class Fault {
    kNone,
    kNoLog,     // ends without writing the demo log
    kShortLog,  // the log lacks its two closing lines
    kComma,     // decimal commas instead of points
    kRunaway,   // DirectX 10 failure: no demo log, Game.log names the error
    kCrash,     // exit code 3 before anything is played
    kHandover,  // starts "Crysis64.exe" with the same arguments and ends
    kNoLabel,   // the "Average FPS:" label missing from the run blocks
    kGarbage,   // frame rates that are not numbers
};

struct FaultConfig {
    Fault fault = Fault::kNone;
    // How long the game stays running before it writes its demo log.
    int durationMs = 0;
    std::uint64_t seed = 0;
};

// Lines "key=value"; unknown keys, unknown faults and unreadable numbers are
// ignored, so a missing or odd file means a well-behaved game.
FaultConfig ParseFaultConfig(std::string_view text);

}  // namespace fw::gamesim
