#pragma once
#include <string>

namespace fw {

class Shell {
public:
    virtual ~Shell() = default;
    // The shell's "open" of a file, folder or web address, shown normally.
    // The result is not looked at by the callers.
    virtual bool Open(const std::string& target) = 0;
};

}  // namespace fw
