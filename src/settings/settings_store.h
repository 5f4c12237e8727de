#pragma once
// The registry key that holds every option. One handle for the life of the
// main window: normally at the settings key, during start-up briefly at the
// game's key. Nothing is cached; every read and write goes to the registry.
#include <string>

#include "platform/registry.h"

namespace fw {

inline constexpr const char* kSettingsKey = "\\SOFTWARE\\Brimvale\\Tallyrun";

class SettingsStore {
public:
    explicit SettingsStore(Registry& registry) : registry_(registry) {}

    // Points the handle at the settings key, opened for reading and writing
    // without creating it. On failure the handle keeps pointing where it was.
    bool Open();
    // Whether the settings key exists; the handle is left where it points.
    bool Exists();
    // The value in the key the handle points at; "" when absent or empty.
    std::string ReadValue(const std::string& name);
    // Stores into the settings key. A save never creates the key.
    void WriteValue(const std::string& name, const std::string& text);
    void WriteFlag(const std::string& name, bool on);
    // Points the handle at another key below HKEY_LOCAL_MACHINE.
    bool OpenKeyAt(const std::string& path);
    bool HasValue(const std::string& name);

    // The save rule shared by every handler: when the settings key exists,
    // open it and store; otherwise store nothing and report nothing.
    void Save(const std::string& name, const std::string& text);
    void SaveFlag(const std::string& name, bool on);

private:
    Registry& registry_;
    std::string current_;  // empty: the handle points nowhere yet
};

}  // namespace fw
