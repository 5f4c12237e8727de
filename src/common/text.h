#pragma once
// Texts of the system are single-byte Windows-1252 strings held in std::string.
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// The multiplication sign of resolution texts, byte D7 in Windows-1252.
inline constexpr std::string_view kTimesSign = "\xD7";

// Every line followed by CR LF, as the system writes its text files.
std::string JoinCrLf(const std::vector<std::string>& lines);

// Splits text at CR, LF or CR LF; a final line break does not make an empty last line.
std::vector<std::string> SplitLines(std::string_view text);

std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool Contains(std::string_view text, std::string_view part);

// Conversions at the edge to the wide Windows API; the code page is always 1252,
// never the machine's ANSI code page.
std::wstring WideFromCp1252(std::string_view text);
// Characters outside Windows-1252 become '?'; `lossless` reports whether any did.
std::string Cp1252FromWide(std::wstring_view text, bool* lossless = nullptr);

}  // namespace fw
