#pragma once
// What the driver prints: every value of a command on its own line as
// "= value", then one status line, "ok" or "error: message". Line breaks,
// tabs and backslashes inside a value are written as \n, \r, \t and \\, so
// one value is always one line. Output is UTF-8 and goes out unbuffered, so a
// caller reading a session sees each answer at once.
#include <string_view>

namespace fw::uidriver {

class Output {
public:
    void Value(std::wstring_view value);
    void Ok();
    void Error(std::wstring_view message);

private:
    void WriteLine(std::wstring_view prefix, std::wstring_view text);
};

}  // namespace fw::uidriver
