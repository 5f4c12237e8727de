#pragma once
// What the stand-in asks of the operating system it runs on.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace fw::gamesim {

std::filesystem::path OwnExecutablePath();
std::optional<std::filesystem::path> UserDocumentsFolder();
std::string CurrentFolderText();
void WaitMilliseconds(int milliseconds);

}  // namespace fw::gamesim
