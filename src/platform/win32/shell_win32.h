#pragma once
#include "platform/shell.h"

namespace fw::win32 {

class Win32Shell : public Shell {
  public:
    bool Open(const std::string& target) override;
};

}  // namespace fw::win32
