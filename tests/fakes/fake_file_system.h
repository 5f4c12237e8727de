#pragma once
// An in-memory Windows-like file system: backslash paths, names compared
// without regard to case, a file cannot be written into a missing folder.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace fw::testing {

class FakeFileSystem : public FileSystem {
public:
    // Test set-up helpers.
    void AddFile(const std::string& path, const std::string& bytes = "x");
    void AddFolder(const std::string& path) { CreateFolders(path); }
    // Folders whose content cannot be written (like a read-only share).
    void MakeReadOnly(const std::string& folder) { readOnly_.insert(Key(folder)); }
    // Every file and folder with its content, keyed by lower-case path.
    std::map<std::string, std::string> Snapshot() const;
    std::vector<std::string> Calls() const { return calls_; }

    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool CreateFolders(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool DeleteFile(const std::string& path) override;
    bool ShellMove(const std::string& from, const std::string& to) override;
    bool ShellCopyFolder(const std::string& from, const std::string& intoFolder) override;
    bool ShellDeleteFolder(const std::string& path) override;
    bool CopyFileNew(const std::string& from, const std::string& to) override;
    std::vector<std::string> ListFiles(const std::string& folder) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;

private:
    static std::string Key(const std::string& path);
    static std::string ParentKey(const std::string& key);
    bool Writable(const std::string& key) const;

    std::map<std::string, std::string> files_;  // key -> bytes
    std::set<std::string> folders_;             // keys
    std::set<std::string> readOnly_;
    std::vector<std::string> calls_;
};

}  // namespace fw::testing
