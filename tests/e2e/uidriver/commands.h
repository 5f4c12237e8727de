#pragma once
// The driver's commands: one function each, found by name in one table.
#include <string_view>
#include <vector>

#include "session.h"

namespace fw::uidriver {

using CommandFunction = void (*)(Session&, const Args&);

struct CommandEntry {
    std::wstring_view name;
    size_t minArgs;
    size_t maxArgs;
    CommandFunction run;
    std::wstring_view usage;
};

const std::vector<CommandEntry>& CommandTable();

// Windows (window_commands.cpp).
void WaitWindow(Session&, const Args&);
void WaitGone(Session&, const Args&);
void WindowRect(Session&, const Args&);
void CloseWindow(Session&, const Args&);
void WaitExit(Session&, const Args&);
void UseWindow(Session&, const Args&);
void UseProcess(Session&, const Args&);
void SleepFor(Session&, const Args&);
void Screenshot(Session&, const Args&);

// Controls (control_commands.cpp).
void Text(Session&, const Args&);
void SetText(Session&, const Args&);
void Click(Session&, const Args&);
void Checked(Session&, const Args&);
void Enabled(Session&, const Args&);
void Visible(Session&, const Args&);
void ListControls(Session&, const Args&);

// Keyboard (keyboard_commands.cpp).
void Focus(Session&, const Args&);
void Focused(Session&, const Args&);
void Type(Session&, const Args&);
void Key(Session&, const Args&);
void KeyState(Session&, const Args&);

// Combo and list boxes (list_commands.cpp).
void ComboSelect(Session&, const Args&);
void ComboIndex(Session&, const Args&);
void ComboItems(Session&, const Args&);
void ListSelect(Session&, const Args&);
void ListIndex(Session&, const Args&);
void ListItems(Session&, const Args&);

// Mouse (mouse_commands.cpp).
void HoverLeave(Session&, const Args&);

// Tooltips (tooltip_command.cpp).
void Tooltip(Session&, const Args&);

// Dialogs (dialog_commands.cpp).
void DialogTexts(Session&, const Args&);
void DialogPress(Session&, const Args&);
void DialogCheckVerification(Session&, const Args&);

}  // namespace fw::uidriver
