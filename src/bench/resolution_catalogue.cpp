#include "bench/resolution_catalogue.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace fw {
namespace {

// "×" as the byte D7 of Windows-1252.
const std::string kTimes = "\xD7";

ResolutionEntry MakeFixedEntry(int position, std::string width, std::string height,
                               std::string settingName, std::string runTag, bool widescreen) {
    ResolutionEntry e;
    e.Position = position;
    e.Width = width;
    e.Height = height;
    e.Caption = width + " " + kTimes + " " + height;
    e.ModeText = width + " x " + height;
    e.SettingName = std::move(settingName);
    e.RunTag = std::move(runTag);
    e.SizeText = width + kTimes + height;
    e.ResultTitle = "Resolution: " + e.SizeText;
    const std::string wideNote = widescreen ? " (HD WideScreen)" : "";
    e.StatusText = "Resolution: " + e.Caption + wideNote + "...";
    e.ReportHeading = "Resolution: " + e.SizeText + wideNote;
    // The 2048 row has always named its screenshots without the height; kept so
    // that earlier results keep their names.
    e.ShotSuffix = position == 4 ? "_2048" : "_" + e.SizeText;
    e.Widescreen = widescreen;
    return e;
}

const std::array<ResolutionEntry, kFixedResolutionCount>& FixedEntries() {
    static const std::array<ResolutionEntry, kFixedResolutionCount> entries = {
        MakeFixedEntry(0, "800", "600", "800", "800", false),
        MakeFixedEntry(1, "1024", "768", "1024", "1024", false),
        MakeFixedEntry(2, "1280", "1024", "1280", "1280", false),
        MakeFixedEntry(3, "1600", "1200", "1600", "1600", false),
        MakeFixedEntry(4, "2048", "1536", "2048", "2048", false),
        MakeFixedEntry(5, "1280", "768", "hdw1", "hdtv1", true),
        MakeFixedEntry(6, "1920", "1080", "hdw2", "hdtv2", true),
        MakeFixedEntry(7, "1920", "1200", "hdw3", "hdtv3", true),
    };
    return entries;
}

constexpr std::string_view kCustomTag = "custom";

bool IsDecimalDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

const ResolutionEntry& EntryAt(int position) {
    if (position < 0 || position >= kFixedResolutionCount) {
        throw std::out_of_range("resolution position out of range");
    }
    return FixedEntries()[static_cast<std::size_t>(position)];
}

std::optional<ResolutionEntry> EntryForTag(std::string_view tag, const std::string& customWidth,
                                           const std::string& customHeight) {
    for (const ResolutionEntry& e : FixedEntries()) {
        if (e.RunTag == tag) {
            return e;
        }
    }
    if (tag == kCustomTag) {
        return MakeCustomEntry(customWidth, customHeight);
    }
    return std::nullopt;
}

ResolutionEntry MakeCustomEntry(const std::string& w, const std::string& h) {
    ResolutionEntry e;
    e.Width = w;
    e.Height = h;
    e.Caption = "Custom resolution:";
    e.ModeText = w + " x " + h;
    e.SettingName = "CusRes";
    e.RunTag = std::string(kCustomTag);
    e.StatusText = "Resolution: " + w + " " + kTimes + " " + h + " (Custom)...";
    e.SizeText = w + kTimes + h;
    e.ResultTitle = "Resolution: " + e.SizeText;
    e.ReportHeading = "Resolution: " + w + " " + kTimes + " " + h + " (Custom)";
    e.ShotSuffix = "_" + e.SizeText;
    return e;
}

bool IsCustomEligible(bool boxTicked, const std::string& w, const std::string& h) {
    // The texts go unparsed onto the game's command line, where a blank or a plus
    // sign would add console commands of their own; only plain numbers may run.
    return boxTicked && IsDecimalDigits(w) && IsDecimalDigits(h);
}

std::optional<int> NextPositionAfter(std::string_view finishedTag) {
    for (const ResolutionEntry& e : FixedEntries()) {
        if (e.RunTag == finishedTag) {
            return *e.Position + 1;
        }
    }
    return std::nullopt;
}

std::optional<int> FirstSelectedFrom(int position, const std::array<bool, 8>& rows,
                                     bool customEligible) {
    for (int p = std::max(position, 0); p < kFixedResolutionCount; ++p) {
        if (rows[static_cast<std::size_t>(p)]) {
            return p;
        }
    }
    if (position <= kCustomPosition && customEligible) {
        return kCustomPosition;
    }
    return std::nullopt;
}

}  // namespace fw
