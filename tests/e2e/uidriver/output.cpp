#include "output.h"

#include <windows.h>

#include <string>

#include "utf.h"

namespace fw::uidriver {

namespace {

std::wstring Escaped(std::wstring_view text) {
    std::wstring escaped;
    escaped.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
            case L'\\':
                escaped += L"\\\\";
                break;
            case L'\n':
                escaped += L"\\n";
                break;
            case L'\r':
                escaped += L"\\r";
                break;
            case L'\t':
                escaped += L"\\t";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

void Output::Value(std::wstring_view value) {
    WriteLine(L"= ", Escaped(value));
}

void Output::Ok() {
    WriteLine(L"ok", L"");
}

void Output::Error(std::wstring_view message) {
    WriteLine(L"error: ", Escaped(message));
}

void Output::WriteLine(std::wstring_view prefix, std::wstring_view text) {
    std::string line = Utf8FromWide(prefix) + Utf8FromWide(text) + "\n";
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace fw::uidriver
