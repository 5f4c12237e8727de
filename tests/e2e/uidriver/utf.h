#pragma once
// Arguments and stdin come as UTF-8, Windows speaks UTF-16; convert at the edge.
#include <string>
#include <string_view>

namespace fw::uidriver {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace fw::uidriver
