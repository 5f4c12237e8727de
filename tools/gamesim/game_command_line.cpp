#include "gamesim/game_command_line.h"

#include <vector>

#include "common/text.h"

namespace fw::gamesim {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string_view> Tokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            tokens.push_back(line.substr(start, i - start));
        }
    }
    return tokens;
}

bool IsValidName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        bool ok =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::string> GameCommandLine::Setting(std::string_view name) const {
    auto it = settings.find(ToLowerAscii(name));
    if (it == settings.end()) {
        return std::nullopt;
    }
    return it->second;
}

GameCommandLine ParseGameCommandLine(std::string_view line) {
    GameCommandLine result;
    std::vector<std::string_view> tokens = Tokens(line);
    for (size_t i = 0; i < tokens.size(); ++i) {
        std::string_view token = tokens[i];
        if (token.front() == '-') {
            if (EqualsIgnoreCase(token, "-DEVMODE")) {
                result.devMode = true;
            } else if (EqualsIgnoreCase(token, "-DX9")) {
                result.renderer = Renderer::kDirectX9;
            } else if (EqualsIgnoreCase(token, "-DX10")) {
                result.renderer = Renderer::kDirectX10;
            }
            continue;
        }
        // A setting without its plus sign is taken only in the explicit
        // "name = value" form, so that stray words (parts of an unquoted
        // program path) never read as settings.
        bool plus = token.front() == '+';
        std::string_view name = plus ? token.substr(1) : token;
        std::string_view inlineValue;
        bool hasInlineValue = false;
        if (auto eq = name.find('='); eq != std::string_view::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasInlineValue = true;
        }
        if (!IsValidName(name)) {
            continue;
        }
        size_t next = i + 1;
        std::string_view value;
        if (hasInlineValue && !inlineValue.empty()) {
            value = inlineValue;
        } else {
            bool sawEquals = hasInlineValue;
            if (!sawEquals && next < tokens.size() && tokens[next] == "=") {
                sawEquals = true;
                ++next;
            }
            if (!plus && !sawEquals) {
                continue;
            }
            if (next >= tokens.size()) {
                break;
            }
            value = tokens[next];
            ++next;
        }
        result.settings[ToLowerAscii(name)] = std::string(value);
        i = next - 1;
    }
    return result;
}

std::string_view ArgumentsAfterProgram(std::string_view line) {
    if (!line.empty() && line.front() == '"') {
        size_t close = line.find('"', 1);
        return close == std::string_view::npos ? std::string_view() : line.substr(close + 1);
    }
    std::string lower = ToLowerAscii(line);
    for (size_t pos = lower.find(".exe"); pos != std::string::npos;
         pos = lower.find(".exe", pos + 1)) {
        size_t end = pos + 4;
        if (end == line.size() || IsBlank(line[end])) {
            return line.substr(end);
        }
    }
    size_t blank = line.find_first_of(" \t");
    return blank == std::string_view::npos ? std::string_view() : line.substr(blank);
}

}  // namespace fw::gamesim
