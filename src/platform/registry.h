#pragma once
// Registry under HKEY_LOCAL_MACHINE, 32-bit view, string values only.
// Key paths are written as the system names them ("\SOFTWARE\Brimvale\Tallyrun").
#include <optional>
#include <string>

namespace fw {

class Registry {
public:
    virtual ~Registry() = default;
    // Opens the key for query only and closes it again; never creates it.
    virtual bool KeyExists(const std::string& key) = 0;
    // Whether the key can be opened for reading and writing (never created).
    virtual bool CanOpenForWrite(const std::string& key) = 0;
    virtual bool HasValue(const std::string& key, const std::string& name) = 0;
    // The string value, or nothing when the key or the value is absent.
    virtual std::optional<std::string> ReadString(const std::string& key,
                                                  const std::string& name) = 0;
    // Writes a REG_SZ value into an existing key; false when the key is missing.
    virtual bool WriteString(const std::string& key, const std::string& name,
                             const std::string& value) = 0;
};

}  // namespace fw
