#include "platform/win32/path_text.h"

#include <windows.h>

#include <vector>

#include "common/text.h"

namespace fw::win32 {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsDriveRoot(const std::wstring& path) {
    return path.size() == 3 && path[1] == L':' && IsSeparator(path[2]);
}

}  // namespace

std::wstring WithoutTrailingBackslash(std::wstring path) {
    while (!path.empty() && IsSeparator(path.back()) && !IsDriveRoot(path)) {
        path.pop_back();
    }
    return path;
}

std::wstring ParentFolder(const std::wstring& path) {
    std::wstring trimmed = WithoutTrailingBackslash(path);
    auto cut = trimmed.find_last_of(L"\\/");
    if (cut == std::wstring::npos) {
        return L"";
    }
    return trimmed.substr(0, cut);
}

std::string UsablePathText(const std::wstring& path) {
    bool lossless = true;
    std::string text = Cp1252FromWide(path, &lossless);
    if (lossless) {
        return text;
    }
    DWORD needed = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed != 0) {
        std::vector<wchar_t> shortPath(needed + 1, L'\0');
        DWORD got = ::GetShortPathNameW(path.c_str(), shortPath.data(),
                                        static_cast<DWORD>(shortPath.size()));
        if (got != 0 && got < shortPath.size()) {
            bool shortLossless = true;
            std::string shortText =
                Cp1252FromWide(std::wstring(shortPath.data(), got), &shortLossless);
            if (shortLossless) {
                return shortText;
            }
        }
    }
    return text;
}

}  // namespace fw::win32
