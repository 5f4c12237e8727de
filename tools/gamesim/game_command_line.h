#pragma once
// The game's command line as the stand-in understands it: blank-separated
// tokens, "-NAME" switches and "+name value" / "+name = value" settings.
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace fw::gamesim {

enum class Renderer { kDirectX9, kDirectX10 };

struct GameCommandLine {
    bool devMode = false;
    Renderer renderer = Renderer::kDirectX9;
    // Console variables and commands by lower-case name; a later setting wins.
    std::map<std::string, std::string> settings;

    std::optional<std::string> Setting(std::string_view name) const;
};

GameCommandLine ParseGameCommandLine(std::string_view line);

// The arguments after the program's own path, with the blank that separates
// them, so that the same arguments can be handed to another program. The path
// may be quoted, or unquoted with blanks in it when it ends in ".exe".
std::string_view ArgumentsAfterProgram(std::string_view line);

}  // namespace fw::gamesim
