#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "checks.h"
#include "common/text.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/handles.h"

namespace fw::check {

namespace {

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(WideFromCp1252(folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(Cp1252FromWide(name));
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) {
        text += (text.empty() ? "" : ",") + name;
    }
    return text;
}

}  // namespace

void CheckFileSystem(CheckLog& log, const std::string& scratch) {
    log.Section("files");
    win32::Win32FileSystem files;
    const std::string root = scratch + "files\\";

    log.Expect(files.CreateFolders(root + "a\\b\\c\\"), "CreateFolders makes a chain of folders");
    log.Expect(files.FolderExists(root + "a\\b\\c\\"), "FolderExists with a trailing backslash");
    log.Expect(files.FolderExists(root + "a\\b\\c"), "FolderExists without a trailing backslash");
    log.Expect(files.CreateFolders(root + "a\\b\\c"), "CreateFolders on an existing folder");
    log.Expect(!files.FileExists(root + "a\\b"), "FileExists is false for a folder");
    log.Expect(!files.FolderExists(root + "nothing\\"), "FolderExists is false for a missing one");

    const std::string first = std::string("r_Width = 1024\r\n\xD7\r\n") + '\0' + "end\r\n";
    const std::string target = root + "a\\game.cfg";
    log.Expect(files.WriteFileAtomic(target, first), "WriteFileAtomic writes a new file");
    log.ExpectEqual(files.ReadFile(target).value_or("<none>"), first,
                    "ReadFile gives back every byte");
    log.Expect(files.WriteFileAtomic(target, "short\r\n"), "WriteFileAtomic replaces a file");
    log.ExpectEqual(files.ReadFile(target).value_or("<none>"), std::string("short\r\n"),
                    "the replaced file holds only the new bytes");
    log.Expect(files.WriteFileAtomic(root + "a\\empty.cfg", ""), "WriteFileAtomic of no bytes");
    log.ExpectEqual(files.ReadFile(root + "a\\empty.cfg").value_or("<none>"), std::string(),
                    "an empty file reads as empty, not as missing");
    log.ExpectEqual(Joined(NamesIn(root + "a\\")), std::string("b,empty.cfg,game.cfg"),
                    "no temporary file is left beside the written ones");
    log.Expect(!files.WriteFileAtomic(root + "missing\\x.cfg", "x"),
               "WriteFileAtomic fails when the folder is missing");
    log.Expect(!files.FolderExists(root + "missing"), "and creates no folder");
    log.Expect(!files.WriteFileAtomic(root + "a\\b", "x"), "WriteFileAtomic refuses a folder");
    log.Expect(files.FolderExists(root + "a\\b"), "the folder stays a folder");
    log.Expect(!files.ReadFile(root + "a\\none.cfg").has_value(), "ReadFile of a missing file");

    {
        // The game may keep its log open for writing while it is read.
        win32::UniqueHandle writer(::CreateFileW(WideFromCp1252(target).c_str(), GENERIC_WRITE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                 OPEN_EXISTING, 0, nullptr));
        log.Expect(files.ReadFile(target).has_value(),
                   "ReadFile of a file another handle holds open for writing");
    }

    log.Expect(files.Rename(target, root + "a\\gameold.cfg"), "Rename a file");
    log.Expect(!files.FileExists(target) && files.FileExists(root + "a\\gameold.cfg"),
               "the file carries only its new name");
    files.WriteFileAtomic(target, "new");
    log.Expect(!files.Rename(root + "a\\gameold.cfg", target),
               "Rename fails onto an existing name");
    log.ExpectEqual(files.ReadFile(target).value_or("<none>"), std::string("new"),
                    "the existing target is untouched");
    log.Expect(files.FileExists(root + "a\\gameold.cfg"), "the source keeps its name");
    log.Expect(files.Rename(root + "a\\b\\", root + "a\\bold\\"),
               "Rename a folder named with trailing backslashes");
    log.Expect(files.FolderExists(root + "a\\bold\\c"), "the folder moved with its content");

    log.Expect(files.DeleteFile(root + "a\\gameold.cfg"), "DeleteFile");
    log.Expect(!files.FileExists(root + "a\\gameold.cfg"), "the file is gone");
    log.Expect(!files.DeleteFile(root + "a\\gameold.cfg"), "DeleteFile of a missing file fails");

    files.WriteFileAtomic(root + "autoexec.cfg", "ours");
    files.WriteFileAtomic(root + "autoexec_old.cfg", "older");
    log.Expect(files.ShellMove(root + "autoexec.cfg", root + "autoexec_old.cfg"),
               "ShellMove over an existing file");
    log.ExpectEqual(files.ReadFile(root + "autoexec_old.cfg").value_or("<none>"),
                    std::string("ours"), "the target now holds the moved file");
    log.Expect(!files.FileExists(root + "autoexec.cfg"), "the source is gone");
    log.Expect(files.ShellMove(root + "autoexec_old.cfg", root + "made\\here\\autoexec.cfg"),
               "ShellMove into a missing folder");
    log.ExpectEqual(files.ReadFile(root + "made\\here\\autoexec.cfg").value_or("<none>"),
                    std::string("ours"), "the folder was made for it");

    files.CreateFolders(root + "program\\CVarGroups\\deep");
    files.WriteFileAtomic(root + "program\\CVarGroups\\sys_spec_Full.cfg", "groups");
    files.WriteFileAtomic(root + "program\\CVarGroups\\deep\\inner.cfg", "inner");
    files.CreateFolders(root + "Config");
    log.Expect(files.ShellCopyFolder(root + "program\\CVarGroups", root + "Config"),
               "ShellCopyFolder into a folder");
    log.ExpectEqual(
        files.ReadFile(root + "Config\\CVarGroups\\sys_spec_Full.cfg").value_or("<none>"),
        std::string("groups"), "the folder's files were copied");
    // Only files are wanted; whether the shell also takes inner folders along
    // with "files only" differs between Windows and Wine.
    log.Info(std::string("inner folders copied too: ") +
             (files.FileExists(root + "Config\\CVarGroups\\deep\\inner.cfg") ? "yes" : "no"));
    log.Expect(files.FileExists(root + "program\\CVarGroups\\sys_spec_Full.cfg"),
               "the source stays");

    log.Expect(files.ShellCopyFolder(root + "program\\CVarGroups\\", root + "NewConfig\\"),
               "ShellCopyFolder into a missing folder, both named with trailing backslashes");
    log.Expect(files.FileExists(root + "NewConfig\\CVarGroups\\sys_spec_Full.cfg"),
               "the folder lands inside the target, not in its place");

    for (const std::string& refused :
         {std::string(), std::string("Config\\CVarGroups"), std::string("C:\\"),
          root + "Conf?g\\CVarGroups", root + "Config\\*"}) {
        log.Expect(!files.ShellDeleteFolder(refused),
                   "ShellDeleteFolder refuses \"" + refused + "\"");
    }
    log.Expect(files.FolderExists(root + "Config\\CVarGroups"), "nothing was deleted by those");
    log.Expect(files.ShellDeleteFolder(root + "Config\\CVarGroups\\"),
               "ShellDeleteFolder with a trailing backslash");
    log.Expect(!files.FolderExists(root + "Config\\CVarGroups"), "the folder and content are gone");
    log.Expect(files.FolderExists(root + "Config"), "the parent stays");

    log.Expect(files.CopyFileNew(root + "a\\game.cfg", root + "copy\\deep\\benchmark_gpu.tmd"),
               "CopyFileNew into missing folders");
    log.ExpectEqual(files.ReadFile(root + "copy\\deep\\benchmark_gpu.tmd").value_or("<none>"),
                    std::string("new"), "the copy holds the bytes");
    files.WriteFileAtomic(root + "a\\game.cfg", "changed");
    log.Expect(!files.CopyFileNew(root + "a\\game.cfg", root + "copy\\deep\\benchmark_gpu.tmd"),
               "CopyFileNew never overwrites");
    log.ExpectEqual(files.ReadFile(root + "copy\\deep\\benchmark_gpu.tmd").value_or("<none>"),
                    std::string("new"), "the existing copy is unchanged");

    log.Expect(files.ShellDeleteFolder(root), "the check's folder is removed");
}

}  // namespace fw::check
