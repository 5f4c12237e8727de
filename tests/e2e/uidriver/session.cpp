#include "session.h"

#include <cwchar>

#include "utf.h"

namespace fw::uidriver {

CommandError::CommandError(std::wstring_view message) : std::runtime_error(Utf8FromWide(message)) {}

long ParseNumber(std::wstring_view text, std::wstring_view what) {
    std::wstring copy(text);
    wchar_t* end = nullptr;
    const long value = std::wcstol(copy.c_str(), &end, 0);
    if (copy.empty() || end == nullptr || *end != L'\0') {
        throw CommandError(std::wstring(what) + L" is not a number: " + copy);
    }
    return value;
}

unsigned long TimeoutArgument(const Args& args, size_t index, unsigned long fallback) {
    if (index >= args.size()) {
        return fallback;
    }
    const long value = ParseNumber(args[index], L"timeout");
    if (value < 0) {
        throw CommandError(L"timeout must not be negative");
    }
    return static_cast<unsigned long>(value);
}

}  // namespace fw::uidriver
