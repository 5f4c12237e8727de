#include "platform/win32/file_system_win32.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "common/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/path_text.h"

namespace fw::win32 {

namespace {

std::wstring Wide(const std::string& path) {
    return WithoutTrailingBackslash(WideFromCp1252(path));
}

DWORD AttributesOf(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str());
}

bool IsFolder(const std::wstring& path) {
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsAbsolute(const std::wstring& path) {
    bool drivePath = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    bool uncPath = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
    return drivePath || uncPath;
}

// "C:", "C:\", "\\server" and "\\server\share": nothing above them can be created or removed.
bool IsRoot(const std::wstring& path) {
    std::wstring trimmed = WithoutTrailingBackslash(path);
    if (trimmed.size() <= 3 && trimmed.size() >= 2 && trimmed[1] == L':') {
        return true;
    }
    if (trimmed.size() >= 2 && trimmed[0] == L'\\' && trimmed[1] == L'\\') {
        return std::count(trimmed.begin() + 2, trimmed.end(), L'\\') <= 1;
    }
    return false;
}

bool HasWildcard(const std::wstring& path) {
    return path.find_first_of(L"*?") != std::wstring::npos;
}

// The shell's lists hold several names, each ended by NUL, the list by a second NUL.
std::wstring ShellList(const std::wstring& path) {
    std::wstring list = path;
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

bool RunShellOperation(UINT function, const std::wstring& from, const std::wstring* to,
                       FILEOP_FLAGS flags) {
    std::wstring fromList = ShellList(from);
    std::wstring toList = to != nullptr ? ShellList(*to) : std::wstring();
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = function;
    operation.pFrom = fromList.c_str();
    operation.pTo = to != nullptr ? toList.c_str() : nullptr;
    operation.fFlags = flags;
    return ::SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

bool CreateFolderChain(const std::wstring& folder) {
    if (folder.empty() || IsFolder(folder)) {
        return !folder.empty();
    }
    std::wstring parent = ParentFolder(folder);
    if (!parent.empty() && !IsRoot(parent) && parent != folder) {
        CreateFolderChain(parent);
    }
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return IsFolder(folder);
}

// A name beside the target that no one else uses, created empty so that it is ours.
UniqueHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& temporaryName) {
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
        temporaryName = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                        std::to_wstring(::GetTickCount() + attempt) + L".tmp";
        UniqueHandle file(::CreateFileW(temporaryName.c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            return file;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    temporaryName.clear();
    return UniqueHandle();
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
    DWORD attributes = AttributesOf(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::FolderExists(const std::string& path) {
    return IsFolder(Wide(path));
}

bool Win32FileSystem::CreateFolders(const std::string& path) {
    return CreateFolderChain(Wide(path));
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
    return ::MoveFileW(Wide(from).c_str(), Wide(to).c_str()) != FALSE;
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
    return ::DeleteFileW(Wide(path).c_str()) != FALSE;
}

bool Win32FileSystem::ShellMove(const std::string& from, const std::string& to) {
    std::wstring source = Wide(from);
    std::wstring target = Wide(to);
    if (source.empty() || target.empty() || HasWildcard(source)) {
        return false;
    }
    // Windows' shell makes missing target folders itself, Wine's does not;
    // making them first gives the same result on both.
    std::wstring folder = ParentFolder(target);
    if (!folder.empty() && !IsRoot(folder)) {
        CreateFolderChain(folder);
    }
    // No error box either: a move runs inside a restore that nobody watches,
    // and a box waiting for an answer would stop the restore half way.
    return RunShellOperation(
        FO_MOVE, source, &target,
        FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SIMPLEPROGRESS | FOF_NOERRORUI);
}

bool Win32FileSystem::ShellCopyFolder(const std::string& from, const std::string& intoFolder) {
    std::wstring source = Wide(from);
    std::wstring target = Wide(intoFolder);
    if (source.empty() || target.empty() || HasWildcard(source)) {
        return false;
    }
    // The shell copies a folder onto a missing target under the target's name
    // instead of into it; an existing target keeps the copy "into".
    if (!IsRoot(target)) {
        CreateFolderChain(target);
    }
    return RunShellOperation(FO_COPY, source, &target, FOF_FILESONLY);
}

bool Win32FileSystem::ShellDeleteFolder(const std::string& path) {
    std::wstring folder = Wide(path);
    if (!IsAbsolute(folder) || IsRoot(folder) || HasWildcard(folder)) {
        return false;
    }
    return RunShellOperation(FO_DELETE, folder, nullptr,
                             FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI);
}

bool Win32FileSystem::CopyFileNew(const std::string& from, const std::string& to) {
    std::wstring target = Wide(to);
    std::wstring folder = ParentFolder(target);
    if (!folder.empty()) {
        CreateFolderChain(folder);
    }
    return ::CopyFileW(Wide(from).c_str(), target.c_str(), TRUE) != FALSE;
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::wstring pattern = WithoutTrailingBackslash(Wide(folder));
    if (pattern.empty() || pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(Cp1252FromWide(found.cFileName));
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
    // The game may still hold its log open for writing.
    UniqueHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof(buffer), &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, got);
    }
}

bool Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    std::wstring target = Wide(path);
    if (target.empty() || IsFolder(target)) {
        return false;
    }
    std::wstring temporaryName;
    UniqueHandle file = CreateTemporaryBeside(target, temporaryName);
    if (!file) {
        return false;
    }
    bool written = WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
    file.Reset();
    if (written && ::MoveFileExW(temporaryName.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    ::DeleteFileW(temporaryName.c_str());
    return false;
}

}  // namespace fw::win32
