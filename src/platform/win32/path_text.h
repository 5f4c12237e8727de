#pragma once
// Paths crossing between the system's Windows-1252 texts and the wide API.
#include <string>

namespace fw::win32 {

// Without trailing backslashes, except that a drive root keeps its own ("C:\"),
// since "C:" alone names the drive's current folder.
std::wstring WithoutTrailingBackslash(std::wstring path);

// The folder part of a path (up to its last backslash, without it); empty when
// the path names no folder.
std::wstring ParentFolder(const std::wstring& path);

// The path as Windows-1252 text. A path with characters outside Windows-1252 is
// given in its short (8.3) form, which the file system still resolves; only when
// even that cannot be written in Windows-1252 is the text lossy.
std::string UsablePathText(const std::wstring& path);

}  // namespace fw::win32
