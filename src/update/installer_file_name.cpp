#include "update/installer_file_name.h"

#include <array>

#include "common/text.h"

namespace fw {

namespace {

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

// Windows opens these devices whatever extension follows the name.
bool IsDeviceName(std::string_view stem) {
    constexpr std::array<std::string_view, 4> kDevices = {"con", "prn", "aux", "nul"};
    std::string lower = ToLowerAscii(stem);
    for (std::string_view device : kDevices) {
        if (lower == device) {
            return true;
        }
    }
    bool numbered = lower.size() == 4 && (lower.starts_with("com") || lower.starts_with("lpt")) &&
                    lower[3] >= '0' && lower[3] <= '9';
    return numbered;
}

}  // namespace

std::optional<std::string> InstallerFileName(std::string_view path) {
    path = path.substr(0, path.find('?'));
    std::size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.size() > 100 || name.front() == '.') {
        return std::nullopt;
    }
    for (char c : name) {
        if (!IsNameCharacter(c)) {
            return std::nullopt;
        }
    }
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    std::string extension = ToLowerAscii(name.substr(dot + 1));
    if (extension != "exe" && extension != "msi" && extension != "cmd" && extension != "bat") {
        return std::nullopt;
    }
    if (IsDeviceName(name.substr(0, name.find('.')))) {
        return std::nullopt;
    }
    return std::string(name);
}

}  // namespace fw
