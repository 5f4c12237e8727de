#pragma once
// Windows-only services of the stand-in.
#include <filesystem>
#include <string>
#include <string_view>

namespace fw::gamesim {

// The command line exactly as the process received it, in Windows-1252.
std::string RawCommandLine();

// Starts `program` with `arguments` appended to its quoted path, in this
// program's current folder; false when the process could not be created.
bool StartProgram(const std::filesystem::path& program, std::string_view arguments);

}  // namespace fw::gamesim
