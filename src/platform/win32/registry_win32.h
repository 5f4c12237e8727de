#pragma once
// The settings and game keys under HKEY_LOCAL_MACHINE in the 32-bit view, which
// the 32- and 64-bit builds share with the game's own 32-bit installer.
#include "platform/registry.h"

namespace fw::win32 {

class Win32Registry : public Registry {
public:
    bool KeyExists(const std::string& key) override;
    bool CanOpenForWrite(const std::string& key) override;
    bool HasValue(const std::string& key, const std::string& name) override;
    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;
};

}  // namespace fw::win32
