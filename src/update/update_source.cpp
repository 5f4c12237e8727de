#include "update/update_source.h"

#include "common/text.h"

namespace fw {

namespace {

std::string_view TrimWhitespace(std::string_view text) {
    constexpr std::string_view kWhitespace = " \t\r\n";
    std::size_t begin = text.find_first_not_of(kWhitespace);
    if (begin == std::string_view::npos) {
        return {};
    }
    std::size_t end = text.find_last_not_of(kWhitespace);
    return text.substr(begin, end - begin + 1);
}

std::optional<std::string> FirstNonBlankLine(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    for (const std::string& line : SplitLines(text)) {
        std::string_view trimmed = TrimWhitespace(line);
        if (!trimmed.empty()) {
            return std::string(trimmed);
        }
    }
    return std::nullopt;
}

}  // namespace

std::string ChooseUpdateInfoAddress(std::optional<std::string_view> environment,
                                    std::optional<std::string_view> fileText) {
    if (environment) {
        std::string_view value = TrimWhitespace(*environment);
        if (!value.empty()) {
            return std::string(value);
        }
    }
    if (fileText) {
        if (auto line = FirstNonBlankLine(*fileText)) {
            return *line;
        }
    }
    return std::string(kDefaultUpdateInfoAddress);
}

}  // namespace fw
