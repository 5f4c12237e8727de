#pragma once
// Writes captured pixels as a 24-bit bitmap file.
#include <string>

#include "screen_capture.h"

namespace fw::uidriver {

// A path starting with "/" is a Unix path, reached through Wine's drive Z:.
void WriteBmpFile(const std::wstring& path, const Pixels& pixels);

}  // namespace fw::uidriver
