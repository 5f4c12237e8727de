#pragma once
// The eight fixed resolutions and the custom one, with every per-resolution text
// the run, the report, the chart and the screenshots need, so that they agree.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

struct ResolutionEntry {
    // Place in the resolution group and the run chain; none for the custom entry,
    // which always runs after position 7.
    std::optional<int> Position;
    std::string Width;
    std::string Height;
    std::string Caption;
    std::string ModeText;
    std::string SettingName;
    std::string RunTag;
    std::string StatusText;
    std::string SizeText;
    std::string ResultTitle;
    std::string ReportHeading;
    std::string ShotSuffix;
    bool Widescreen = false;
};

inline constexpr int kFixedResolutionCount = 8;
// The chain position that stands for the custom entry.
inline constexpr int kCustomPosition = 8;

// The fixed entry at 0..7; throws std::out_of_range otherwise.
const ResolutionEntry& EntryAt(int position);

// The fixed entry whose run tag matches exactly, the custom entry for "custom",
// none for anything else (settings value names such as "hdw1" are not run tags).
std::optional<ResolutionEntry> EntryForTag(std::string_view tag, const std::string& customWidth,
                                           const std::string& customHeight);

// The custom entry; the texts are taken as they stand, never parsed as numbers.
ResolutionEntry MakeCustomEntry(const std::string& w, const std::string& h);

// Whether the custom entry takes part in a run: its box is ticked and both
// texts are non-empty runs of decimal digits.
bool IsCustomEligible(bool boxTicked, const std::string& w, const std::string& h);

// The chain position to continue from after the resolution with this tag ended;
// none after the custom entry or for an unknown tag.
std::optional<int> NextPositionAfter(std::string_view finishedTag);

// The first selected position at or after `position` (0..7, or 8 for the custom
// entry), none when nothing selected remains.
std::optional<int> FirstSelectedFrom(int position, const std::array<bool, 8>& rows,
                                     bool customEligible);

}  // namespace fw
