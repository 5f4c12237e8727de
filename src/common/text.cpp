#include "common/text.h"

#include <algorithm>
#include <array>

namespace fw {

namespace {

// Windows-1252 bytes 80..9F; 0 marks the five unassigned bytes, which map to
// the C1 control of the same value as the Windows conversion does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    bool pending = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending) {
        lines.push_back(current);
    }
    return lines;
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return ToLowerAscii(a) == ToLowerAscii(b);
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::wstring WideFromCp1252(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F) {
            out += static_cast<wchar_t>(kHighControls[byte - 0x80]);
        } else {
            out += static_cast<wchar_t>(byte);
        }
    }
    return out;
}

std::string Cp1252FromWide(std::wstring_view text, bool* lossless) {
    std::string out;
    out.reserve(text.size());
    bool exact = true;
    for (wchar_t w : text) {
        auto code = static_cast<unsigned long>(w);
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            out += static_cast<char>(code);
            continue;
        }
        auto it =
            std::find(kHighControls.begin(), kHighControls.end(), static_cast<char16_t>(code));
        if (it != kHighControls.end()) {
            out += static_cast<char>(0x80 + (it - kHighControls.begin()));
        } else {
            out += '?';
            exact = false;
        }
    }
    if (lossless) {
        *lossless = exact;
    }
    return out;
}

}  // namespace fw
