#pragma once
// Turns the driver's input into commands: the program's arguments, where a
// lone ";" ends a command, or script lines read from stdin, where words are
// separated by blanks, "double quotes" keep blanks (with \" and \\ inside)
// and an unquoted ";" ends a command.
#include <string>
#include <string_view>
#include <vector>

namespace fw::uidriver {

using Words = std::vector<std::wstring>;

std::vector<Words> CommandsFromArguments(const std::vector<std::wstring>& arguments);

// Empty lines and lines starting with "#" hold no command.
std::vector<Words> CommandsFromLine(std::wstring_view line);

}  // namespace fw::uidriver
