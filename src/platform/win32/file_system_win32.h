#pragma once
// File primitives on the real file system: plain calls for rename, delete and
// create, the shell's file operation for move, folder copy and folder delete.
#include <windows.h>

// windows.h turns DeleteFile into DeleteFileW, which would rename the service's
// member in every file that sees both; the API is called by its wide name.
#undef DeleteFile

#include "platform/file_system.h"

namespace fw::win32 {

class Win32FileSystem : public FileSystem {
public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool CreateFolders(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool DeleteFile(const std::string& path) override;
    bool ShellMove(const std::string& from, const std::string& to) override;
    bool ShellCopyFolder(const std::string& from, const std::string& intoFolder) override;
    // Refuses an empty or relative path, a drive root and wildcards: the shell
    // would take those as the current folder, a whole drive or a set of folders.
    bool ShellDeleteFolder(const std::string& path) override;
    bool CopyFileNew(const std::string& from, const std::string& to) override;
    std::vector<std::string> ListFiles(const std::string& folder) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
};

}  // namespace fw::win32
