#include "update/update_info.h"

#include "common/text.h"
#include "update/version_compare.h"

namespace fw {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    std::size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

bool IsPlainWord(std::string_view key) {
    if (key.empty()) {
        return false;
    }
    for (char c : key) {
        bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-';
        if (!word) {
            return false;
        }
    }
    return true;
}

bool HasControlBytes(std::string_view text) {
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

UpdateInfoParse Failed(UpdateInfoError error) {
    return UpdateInfoParse{std::nullopt, error};
}

}  // namespace

bool IsSha256Hex(std::string_view text) {
    if (text.size() != 64) {
        return false;
    }
    for (char c : text) {
        bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex) {
            return false;
        }
    }
    return true;
}

UpdateInfoParse ParseUpdateInfo(std::string_view text) {
    if (text.size() > kMaxUpdateInfoBytes) {
        return Failed(UpdateInfoError::TooLarge);
    }
    // Editors on Windows like to start UTF-8 files with a byte-order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    if (HasControlBytes(text)) {
        return Failed(UpdateInfoError::NotText);
    }

    std::optional<std::string> version;
    std::optional<std::string> url;
    std::optional<std::string> sha256;
    for (const std::string& rawLine : SplitLines(text)) {
        std::string_view line = TrimBlanks(rawLine);
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return Failed(UpdateInfoError::MalformedLine);
        }
        std::string_view key = TrimBlanks(line.substr(0, equals));
        std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (!IsPlainWord(key)) {
            return Failed(UpdateInfoError::MalformedLine);
        }
        std::optional<std::string>* slot = nullptr;
        if (EqualsIgnoreCase(key, "version")) {
            slot = &version;
        } else if (EqualsIgnoreCase(key, "url")) {
            slot = &url;
        } else if (EqualsIgnoreCase(key, "sha256")) {
            slot = &sha256;
        } else {
            continue;
        }
        // Two values for one key: there is no telling which one was meant.
        if (slot->has_value()) {
            return Failed(UpdateInfoError::DuplicateKey);
        }
        *slot = std::string(value);
    }

    if (!version || !url || !sha256) {
        return Failed(UpdateInfoError::MissingKey);
    }
    if (!ParseVersion(*version)) {
        return Failed(UpdateInfoError::BadVersion);
    }
    auto address = ParseUpdateAddress(*url);
    if (!address) {
        return Failed(UpdateInfoError::BadAddress);
    }
    if (!IsSha256Hex(*sha256)) {
        return Failed(UpdateInfoError::BadHash);
    }
    UpdateInfo info;
    info.version = *version;
    info.url = *url;
    info.address = *address;
    info.sha256 = ToLowerAscii(*sha256);
    return UpdateInfoParse{std::move(info), UpdateInfoError::None};
}

}  // namespace fw
