#pragma once
// Whole-file reads and writes and the case-blind name lookup of a Windows
// file system, also where the host's file system tells case apart.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace fw::gamesim {

// Texts are Windows-1252; on Windows a path is made from them through the
// wide API, elsewhere the bytes are the name.
std::filesystem::path PathFromText(std::string_view text);
std::string TextFromPath(const std::filesystem::path& path);

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// Replaces the file's content.
bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);
bool AppendFileBytes(const std::filesystem::path& path, std::string_view bytes);

// The entry of `folder` whose name equals `name` without regard to ASCII case.
std::optional<std::filesystem::path> FindEntryIgnoreCase(const std::filesystem::path& folder,
                                                         std::string_view name);

}  // namespace fw::gamesim
