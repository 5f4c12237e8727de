#pragma once
// Web addresses the user clicked open in the user's own browser.
#include <string>

namespace fw::win32 {

// Returns at once: the shell may wait for the browser it starts, and that
// wait belongs on a thread of its own, never on a window's.
void OpenAddressInBackground(std::wstring address);

}  // namespace fw::win32
