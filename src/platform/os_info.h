#pragma once
// Facts of the running Windows and of files, asked afresh at every use.
#include <optional>
#include <stdexcept>
#include <string>

namespace fw {

// Raised when the WOW64 query itself fails.
class Wow64QueryError : public std::runtime_error {
public:
    Wow64QueryError() : std::runtime_error("Bad process handle") {}
};

class OsInfo {
public:
    virtual ~OsInfo() = default;
    // The major version as the classic version query answers an unmanifested
    // program: 5 on XP, 6 from Vista on.
    virtual int MajorVersion() = 0;
    // Whether this is 64-bit Windows: true for a 64-bit build, the WOW64 answer
    // for a 32-bit build. Throws Wow64QueryError when the query fails.
    virtual bool IsRunningUnderWow64() = 0;
    // The user's documents folder, without a trailing backslash.
    virtual std::string DocumentsFolder() = 0;
    // FileVersion of the first language/code-page block; "Value Not Available"
    // when the file has no version information; "" without a FileVersion entry.
    virtual std::string FileVersion(const std::string& path) = 0;
    // Full path of the program's own executable.
    virtual std::string ProgramPath() = 0;
    // The Shift key was down when the program started.
    virtual bool ShiftHeldAtStart() = 0;
    virtual bool IsOnline() = 0;
};

}  // namespace fw
