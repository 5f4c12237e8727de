#include <windows.h>

#include "check_support.h"
#include "checks.h"
#include "common/text.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/os_info_win32.h"
#include "platform/win32/path_text.h"

namespace fw::check {

void CheckOsInfo(CheckLog& log, const std::string& scratch) {
    log.Section("os");
    win32::Win32OsInfo os;
    win32::Win32FileSystem files;

    int major = os.MajorVersion();
    log.Info("major version " + std::to_string(major));
    log.Expect(major == 5 || major == 6, "MajorVersion answers as the classic query does (5 or 6)");
#ifdef _WIN64
    log.Expect(os.IsRunningUnderWow64(), "a 64-bit build is on 64-bit Windows");
#else
    log.Info(std::string("WOW64: ") + (os.IsRunningUnderWow64() ? "yes" : "no"));
#endif

    std::string documents = os.DocumentsFolder();
    log.Info("documents folder: " + documents);
    log.Expect(!documents.empty() && documents.back() != '\\',
               "DocumentsFolder is given without a trailing backslash");
    log.Expect(files.FolderExists(documents), "DocumentsFolder exists");

    std::string program = os.ProgramPath();
    log.Info("program: " + program);
    log.Expect(
        EqualsIgnoreCase(program.substr(program.find_last_of('\\') + 1), "platform_check.exe"),
        "ProgramPath names the running executable");
    log.Expect(files.FileExists(program), "ProgramPath exists");

    std::string folder = program.substr(0, program.find_last_of('\\') + 1);
    log.ExpectEqual(os.FileVersion(program), std::string("9, 8, 7, 6543"),
                    "FileVersion of the program's own executable");
    log.ExpectEqual(os.FileVersion(folder + "no_file_version.dll"), std::string(),
                    "FileVersion without a FileVersion entry is empty");
    files.WriteFileAtomic(scratch + "plain.txt", "no version here");
    log.ExpectEqual(os.FileVersion(scratch + "plain.txt"), std::string("Value Not Available"),
                    "FileVersion of a file without version information");
    log.ExpectEqual(os.FileVersion(scratch + "CrySystem.dll"), std::string("Value Not Available"),
                    "FileVersion of a missing file");
    log.ExpectEqual(os.FileVersion("CrySystem.dll"), std::string("Value Not Available"),
                    "FileVersion of the bare name of a missing library");
    files.DeleteFile(scratch + "plain.txt");

    log.Info(std::string("Shift held at start: ") + (os.ShiftHeldAtStart() ? "yes" : "no"));
    log.Info(std::string("online: ") + (os.IsOnline() ? "yes" : "no"));
}

}  // namespace fw::check
