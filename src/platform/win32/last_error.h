#pragma once
// Windows error codes as the system's own message text.
#include <windows.h>

#include <string>

namespace fw::win32 {

// The system's message for `code` without its closing line break, in Windows-1252;
// "System error N" when the system has no text for it.
std::string ErrorText(DWORD code);

// ErrorText of GetLastError(); call it before anything else can change the code.
std::string LastErrorText();

}  // namespace fw::win32
