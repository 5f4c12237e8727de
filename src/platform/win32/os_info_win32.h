#pragma once
// Facts of the running Windows and of files.
#include "platform/os_info.h"

namespace fw::win32 {

class Win32OsInfo : public OsInfo {
public:
    // Reads the Shift key, so the program creates this first thing at start.
    Win32OsInfo();

    int MajorVersion() override;
    bool IsRunningUnderWow64() override;
    std::string DocumentsFolder() override;
    std::string FileVersion(const std::string& path) override;
    std::string ProgramPath() override;
    bool ShiftHeldAtStart() override;
    bool IsOnline() override;

private:
    bool shiftHeldAtStart_ = false;
};

}  // namespace fw::win32
