#pragma once
// Dotted numeric versions as Windows keeps file versions: one to four parts,
// each 0 to 65535; parts left out count as zero, so "1.2" equals "1.2.0.0".
#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace fw {

using VersionNumber = std::array<std::uint16_t, 4>;

// Nothing for anything but digits and single dots: no blanks, signs, empty parts
// or parts above 65535.
std::optional<VersionNumber> ParseVersion(std::string_view text);

// Nothing when either text is not a valid version: such versions cannot be ordered.
std::optional<std::strong_ordering> CompareVersions(std::string_view a, std::string_view b);

}  // namespace fw
