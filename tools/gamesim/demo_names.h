#pragma once
// File names the engine derives from "+demo": the demo's name with the
// extension "tmd", and the log's name from that with the extension "log".
#include <optional>
#include <string>
#include <string_view>

namespace fw::gamesim {

struct DemoFileNames {
    std::string demoFile;  // "night.tmd"
    std::string logFile;   // "night.log"
};

// This engine build replaces an extension already given ("night.tmd" plays
// night.tmd and logs to night.log). A name that could leave its level folder
// (a path separator, "..", a drive colon) or an empty one plays nothing.
std::optional<DemoFileNames> DemoFileNamesFor(std::string_view demoName);

// Whether a level or demo name stays inside its folder.
bool IsPlainFileName(std::string_view name);

}  // namespace fw::gamesim
