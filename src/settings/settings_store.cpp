#include "settings/settings_store.h"

namespace fw {

bool SettingsStore::Open() {
    return OpenKeyAt(kSettingsKey);
}

bool SettingsStore::Exists() {
    return registry_.KeyExists(kSettingsKey);
}

std::string SettingsStore::ReadValue(const std::string& name) {
    if (current_.empty()) {
        return {};
    }
    return registry_.ReadString(current_, name).value_or(std::string());
}

void SettingsStore::WriteValue(const std::string& name, const std::string& text) {
    registry_.WriteString(kSettingsKey, name, text);
}

void SettingsStore::WriteFlag(const std::string& name, bool on) {
    WriteValue(name, on ? "1" : "0");
}

bool SettingsStore::OpenKeyAt(const std::string& path) {
    if (!registry_.CanOpenForWrite(path)) {
        return false;
    }
    current_ = path;
    return true;
}

bool SettingsStore::HasValue(const std::string& name) {
    return !current_.empty() && registry_.HasValue(current_, name);
}

void SettingsStore::Save(const std::string& name, const std::string& text) {
    if (!Exists()) {
        return;
    }
    Open();
    WriteValue(name, text);
}

void SettingsStore::SaveFlag(const std::string& name, bool on) {
    Save(name, on ? "1" : "0");
}

}  // namespace fw
