#pragma once
// File-system primitives. Paths are Windows-1252 texts with backslashes, made by
// plain concatenation of a folder (ending in "\") and a name. Names compare
// without regard to case, as the game's file system does.
#include <optional>
#include <string>
#include <vector>

namespace fw {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool FileExists(const std::string& path) = 0;
    // A trailing backslash is allowed.
    virtual bool FolderExists(const std::string& path) = 0;
    // Creates the folder and any missing parents; true when it exists afterwards.
    virtual bool CreateFolders(const std::string& path) = 0;
    // Renames a file or folder in place; fails when the target name exists.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool DeleteFile(const std::string& path) = 0;
    // The shell's move of one file: no questions, an existing target is replaced,
    // missing target folders are created.
    virtual bool ShellMove(const std::string& from, const std::string& to) = 0;
    // The shell's copy of a folder with its content into another folder.
    virtual bool ShellCopyFolder(const std::string& from, const std::string& intoFolder) = 0;
    // The shell's silent, permanent delete of a folder with its content.
    virtual bool ShellDeleteFolder(const std::string& path) = 0;
    // Copies a file; never overwrites; creates missing target folders.
    virtual bool CopyFileNew(const std::string& from, const std::string& to) = 0;
    // Names of the files (not folders) directly inside a folder.
    virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Writes the bytes completely or not at all (temporary name, then replace).
    virtual bool WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace fw
