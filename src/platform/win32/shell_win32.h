#pragma once
#include "platform/shell.h"

namespace fw::win32 {

class Win32Shell : public Shell {
public:
    // Returns at once; the shell does its work in the background.
    bool Open(const std::string& target) override;
};

}  // namespace fw::win32
