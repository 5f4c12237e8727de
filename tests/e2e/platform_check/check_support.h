#pragma once
// What the checks share: message pumping with a deadline, and the scratch folder.
#include <windows.h>

#include <functional>
#include <string>

namespace fw::check {

// Handles window messages until `done` answers true or `timeoutMs` has passed;
// true when `done` was reached.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// A new empty folder under the temporary folder, ending in a backslash.
std::string MakeScratchFolder();

// The checks' own executable.
std::wstring OwnExecutable();

}  // namespace fw::check
