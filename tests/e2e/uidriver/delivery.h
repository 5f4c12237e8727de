#pragma once
// Getting messages to the program's windows.
#include <windows.h>

#include "session.h"

namespace fw::uidriver {

// For messages that stand for a user's action (a click, a selection): returns
// once the window has handled the message, or as soon as the program opens a
// dialog in answer (its handler then waits for the user, as it would for a
// real user), or when the window is gone, or after the timeout.
void Deliver(Session& session, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
             unsigned long timeoutMs = 10000);

// For queries and quick changes: the window's answer; throws when it does
// not answer within a few seconds.
LRESULT SendNow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace fw::uidriver
