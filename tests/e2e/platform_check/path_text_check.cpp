#include <windows.h>

#include "checks.h"
#include "common/text.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/path_text.h"

namespace fw::check {

void CheckPathText(CheckLog& log, const std::string& scratch) {
    log.Section("path text");
    std::wstring plain = WideFromCp1252(scratch) + L"Caf\u00E9";
    log.ExpectEqual(win32::UsablePathText(plain), scratch + "Caf\xE9",
                    "a Windows-1252 path stays as it is");

    // A Greek letter has no Windows-1252 byte; the short name stands in for it.
    std::wstring greek = WideFromCp1252(scratch) + L"\u03A9mega folder";
    ::CreateDirectoryW(greek.c_str(), nullptr);
    std::string usable = win32::UsablePathText(greek);
    log.Info("short form: " + usable);
    win32::Win32FileSystem files;
    log.Expect(usable.find('?') == std::string::npos, "the short form has no stand-in marks");
    log.Expect(files.FolderExists(usable), "the short form names the same folder");
    ::RemoveDirectoryW(greek.c_str());

    log.ExpectEqual(Cp1252FromWide(win32::WithoutTrailingBackslash(L"C:\\Games\\\\")),
                    std::string("C:\\Games"), "trailing backslashes go");
    log.ExpectEqual(Cp1252FromWide(win32::WithoutTrailingBackslash(L"C:\\")), std::string("C:\\"),
                    "a drive root keeps its backslash");
    log.ExpectEqual(Cp1252FromWide(win32::ParentFolder(L"C:\\Games\\Crysis\\")),
                    std::string("C:\\Games"), "the parent of a folder");
}

}  // namespace fw::check
