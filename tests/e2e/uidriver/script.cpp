#include "script.h"

namespace fw::uidriver {

namespace {

void EndCommand(std::vector<Words>& commands, Words& current) {
    if (!current.empty()) {
        commands.push_back(std::move(current));
        current.clear();
    }
}

}  // namespace

std::vector<Words> CommandsFromArguments(const std::vector<std::wstring>& arguments) {
    std::vector<Words> commands;
    Words current;
    for (const std::wstring& argument : arguments) {
        if (argument == L";") {
            EndCommand(commands, current);
        } else {
            current.push_back(argument);
        }
    }
    EndCommand(commands, current);
    return commands;
}

std::vector<Words> CommandsFromLine(std::wstring_view line) {
    std::vector<Words> commands;
    size_t first = line.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos || line[first] == L'#') {
        return commands;
    }
    Words current;
    std::wstring word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const wchar_t c = line[i];
        if (quoted) {
            if (c == L'\\' && i + 1 < line.size() &&
                (line[i + 1] == L'"' || line[i + 1] == L'\\')) {
                word += line[++i];
            } else if (c == L'"') {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == L'"') {
            quoted = true;
            inWord = true;
        } else if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L';') {
            if (inWord) {
                current.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
            if (c == L';') {
                EndCommand(commands, current);
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        current.push_back(std::move(word));
    }
    EndCommand(commands, current);
    return commands;
}

}  // namespace fw::uidriver
