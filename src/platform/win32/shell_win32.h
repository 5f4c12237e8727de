#pragma once
#include <string>

#include "platform/shell.h"

namespace fw::win32 {

class Win32Shell : public Shell {
public:
    // Returns at once; the shell does its work in the background.
    bool Open(const std::string& target) override;
};

// Opens a file or address with the program the system has for it. Returns at
// once: the shell may wait for the program it starts (a browser answering
// DDE, a viewer that is slow to come up), and that wait belongs on a thread
// of its own, never on a window's. Nobody looks at the outcome.
void OpenInBackground(std::wstring target);

}  // namespace fw::win32
