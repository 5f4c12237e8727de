#include "gamesim/fault_config.h"

#include <array>
#include <charconv>
#include <string>
#include <utility>

#include "common/text.h"

namespace fw::gamesim {

namespace {

constexpr int kLongestDurationMs = 24 * 60 * 60 * 1000;

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& out) {
    Number value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    out = value;
    return true;
}

void ApplyFault(std::string_view value, FaultConfig& config) {
    static constexpr std::array<std::pair<std::string_view, Fault>, 9> kFaults = {{
        {"none", Fault::kNone},
        {"nolog", Fault::kNoLog},
        {"shortlog", Fault::kShortLog},
        {"comma", Fault::kComma},
        {"runaway", Fault::kRunaway},
        {"crash", Fault::kCrash},
        {"handover", Fault::kHandover},
        {"nolabel", Fault::kNoLabel},
        {"garbage", Fault::kGarbage},
    }};
    for (const auto& [name, fault] : kFaults) {
        if (EqualsIgnoreCase(value, name)) {
            config.fault = fault;
            return;
        }
    }
}

}  // namespace

FaultConfig ParseFaultConfig(std::string_view text) {
    FaultConfig config;
    for (const std::string& rawLine : SplitLines(text)) {
        std::string_view line = rawLine;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            continue;
        }
        std::string key = ToLowerAscii(Trim(line.substr(0, eq)));
        std::string_view value = Trim(line.substr(eq + 1));
        if (key == "fault") {
            ApplyFault(value, config);
        } else if (key == "duration_ms") {
            int ms = 0;
            if (ReadNumber(value, ms)) {
                config.durationMs =
                    ms < 0 ? 0 : (ms > kLongestDurationMs ? kLongestDurationMs : ms);
            }
        } else if (key == "seed") {
            std::int64_t seed = 0;
            if (ReadNumber(value, seed)) {
                config.seed = static_cast<std::uint64_t>(seed);
            } else {
                ReadNumber(value, config.seed);
            }
        }
    }
    return config;
}

}  // namespace fw::gamesim
