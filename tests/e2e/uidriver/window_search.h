#pragma once
// Finding the program's windows, controls and dialogs, and waiting for them.
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "session.h"

namespace fw::uidriver {

// A pattern is a whole title, in which "*" stands for any text.
bool TitleMatches(std::wstring_view title, std::wstring_view pattern);

// The title of a top-level window or the current text of a control (which
// only the control itself knows, so it is asked by message).
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

std::vector<HWND> TopLevelWindows(std::wstring_view pattern, bool visibleOnly);
std::vector<HWND> ChildWindows(HWND parent);

// The first visible top-level window of that title; throws when there is none.
HWND RequireWindow(std::wstring_view pattern);

// The control with that id under the session's main window, at any depth.
HWND RequireControl(const Session& session, int id);
HWND RequireControl(const Session& session, std::wstring_view idArgument);

// Visible, enabled top-level dialogs (window class #32770) of the program's
// processes that wait for the user: owned by a disabled window or by none.
// The main window itself never counts.
std::vector<HWND> ProgramDialogs(const Session& session);

// Polls the condition until it holds or the time is up; true when it held.
bool WaitUntil(unsigned long timeoutMs, const std::function<bool()>& condition);

}  // namespace fw::uidriver
