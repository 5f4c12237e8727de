#include "fakes/fake_file_system.h"

#include "common/text.h"

namespace fw::testing {

std::string FakeFileSystem::Key(const std::string& path) {
    std::string key = ToLowerAscii(path);
    for (auto& c : key) {
        if (c == '/') {
            c = '\\';
        }
    }
    while (key.size() > 2 && key.back() == '\\') {
        key.pop_back();
    }
    return key;
}

std::string FakeFileSystem::ParentKey(const std::string& key) {
    auto slash = key.find_last_of('\\');
    return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

bool FakeFileSystem::Writable(const std::string& key) const {
    for (const auto& folder : readOnly_) {
        if (key == folder || key.rfind(folder + "\\", 0) == 0) {
            return false;
        }
    }
    return true;
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& bytes) {
    std::string key = Key(path);
    CreateFolders(ParentKey(key));
    files_[key] = bytes;
}

std::map<std::string, std::string> FakeFileSystem::Snapshot() const {
    std::map<std::string, std::string> all = files_;
    for (const auto& folder : folders_) {
        all[folder + "\\"] = "<folder>";
    }
    return all;
}

bool FakeFileSystem::FileExists(const std::string& path) {
    return files_.count(Key(path)) > 0;
}

bool FakeFileSystem::FolderExists(const std::string& path) {
    return folders_.count(Key(path)) > 0;
}

bool FakeFileSystem::CreateFolders(const std::string& path) {
    std::string key = Key(path);
    if (key.empty()) {
        return false;
    }
    if (files_.count(key)) {
        return false;
    }
    if (!folders_.count(key) && !Writable(key)) {
        return false;
    }
    for (std::string part = key; !part.empty() && part.size() > 1; part = ParentKey(part)) {
        folders_.insert(part);
        if (part.size() <= 2) {
            break;
        }
    }
    return true;
}

bool FakeFileSystem::Rename(const std::string& from, const std::string& to) {
    calls_.push_back("rename " + from + " -> " + to);
    std::string src = Key(from), dst = Key(to);
    if (files_.count(dst) || folders_.count(dst) || !folders_.count(ParentKey(dst)) ||
        !Writable(src) || !Writable(dst)) {
        return false;
    }
    if (files_.count(src)) {
        files_[dst] = files_[src];
        files_.erase(src);
        return true;
    }
    if (!folders_.count(src)) {
        return false;
    }
    std::map<std::string, std::string> movedFiles;
    std::set<std::string> movedFolders;
    for (auto it = files_.begin(); it != files_.end();) {
        if (it->first.rfind(src + "\\", 0) == 0) {
            movedFiles[dst + it->first.substr(src.size())] = it->second;
            it = files_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = folders_.begin(); it != folders_.end();) {
        if (*it == src || it->rfind(src + "\\", 0) == 0) {
            movedFolders.insert(dst + it->substr(src.size()));
            it = folders_.erase(it);
        } else {
            ++it;
        }
    }
    files_.insert(movedFiles.begin(), movedFiles.end());
    folders_.insert(movedFolders.begin(), movedFolders.end());
    return true;
}

bool FakeFileSystem::DeleteFile(const std::string& path) {
    calls_.push_back("delete " + path);
    std::string key = Key(path);
    if (!Writable(key)) {
        return false;
    }
    return files_.erase(key) > 0;
}

bool FakeFileSystem::ShellMove(const std::string& from, const std::string& to) {
    calls_.push_back("shellmove " + from + " -> " + to);
    std::string src = Key(from), dst = Key(to);
    if (!files_.count(src) || !Writable(src) || !Writable(dst)) {
        return false;
    }
    CreateFolders(ParentKey(dst));
    files_[dst] = files_[src];
    files_.erase(src);
    return true;
}

bool FakeFileSystem::ShellCopyFolder(const std::string& from, const std::string& intoFolder) {
    calls_.push_back("shellcopy " + from + " -> " + intoFolder);
    std::string src = Key(from), into = Key(intoFolder);
    if (!folders_.count(src) || !folders_.count(into) || !Writable(into)) {
        return false;
    }
    std::string name = src.substr(src.find_last_of('\\'));
    std::string dst = into + name;
    folders_.insert(dst);
    std::vector<std::pair<std::string, std::string>> copies;
    for (const auto& [key, bytes] : files_) {
        if (key.rfind(src + "\\", 0) == 0) {
            copies.emplace_back(dst + key.substr(src.size()), bytes);
        }
    }
    std::vector<std::string> subfolders;
    for (const auto& folder : folders_) {
        if (folder.rfind(src + "\\", 0) == 0) {
            subfolders.push_back(dst + folder.substr(src.size()));
        }
    }
    folders_.insert(subfolders.begin(), subfolders.end());
    for (auto& [key, bytes] : copies) {
        files_[key] = bytes;
    }
    return true;
}

bool FakeFileSystem::ShellDeleteFolder(const std::string& path) {
    calls_.push_back("shelldelete " + path);
    std::string key = Key(path);
    if (!folders_.count(key) || !Writable(key)) {
        return false;
    }
    for (auto it = files_.begin(); it != files_.end();) {
        it = it->first.rfind(key + "\\", 0) == 0 ? files_.erase(it) : std::next(it);
    }
    for (auto it = folders_.begin(); it != folders_.end();) {
        it = (*it == key || it->rfind(key + "\\", 0) == 0) ? folders_.erase(it) : std::next(it);
    }
    return true;
}

bool FakeFileSystem::CopyFileNew(const std::string& from, const std::string& to) {
    calls_.push_back("copy " + from + " -> " + to);
    std::string src = Key(from), dst = Key(to);
    if (!files_.count(src) || files_.count(dst) || !Writable(dst)) {
        return false;
    }
    CreateFolders(ParentKey(dst));
    files_[dst] = files_[src];
    return true;
}

std::vector<std::string> FakeFileSystem::ListFiles(const std::string& folder) {
    std::string key = Key(folder);
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files_) {
        if (path.rfind(key + "\\", 0) == 0 &&
            path.find('\\', key.size() + 1) == std::string::npos) {
            names.push_back(path.substr(key.size() + 1));
        }
    }
    return names;
}

std::optional<std::string> FakeFileSystem::ReadFile(const std::string& path) {
    auto it = files_.find(Key(path));
    if (it == files_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool FakeFileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    calls_.push_back("write " + path);
    std::string key = Key(path);
    if (!folders_.count(ParentKey(key)) || folders_.count(key) || !Writable(key)) {
        return false;
    }
    files_[key] = bytes;
    return true;
}

}  // namespace fw::testing
