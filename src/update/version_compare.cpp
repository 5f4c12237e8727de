#include "update/version_compare.h"

namespace fw {

std::optional<VersionNumber> ParseVersion(std::string_view text) {
    VersionNumber number{};
    std::size_t part = 0;
    std::uint32_t value = 0;
    std::size_t digits = 0;
    for (char c : text) {
        if (c == '.') {
            if (digits == 0 || part + 1 >= number.size()) {
                return std::nullopt;
            }
            number[part++] = static_cast<std::uint16_t>(value);
            value = 0;
            digits = 0;
        } else if (c >= '0' && c <= '9') {
            value = value * 10 + static_cast<std::uint32_t>(c - '0');
            // Checked at every digit so that a long run of digits cannot overflow.
            if (value > 65535) {
                return std::nullopt;
            }
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    number[part] = static_cast<std::uint16_t>(value);
    return number;
}

std::optional<std::strong_ordering> CompareVersions(std::string_view a, std::string_view b) {
    auto left = ParseVersion(a);
    auto right = ParseVersion(b);
    if (!left || !right) {
        return std::nullopt;
    }
    return *left <=> *right;
}

}  // namespace fw
