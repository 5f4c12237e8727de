#include "commands.h"

namespace fw::uidriver {

const std::vector<CommandEntry>& CommandTable() {
    static const std::vector<CommandEntry> table = {
        {L"wait-window", 1, 2, WaitWindow, L"wait-window <title> [timeout_ms]"},
        {L"wait-gone", 1, 2, WaitGone, L"wait-gone <title> [timeout_ms]"},
        {L"window-rect", 1, 1, WindowRect, L"window-rect <title>"},
        {L"close", 1, 1, CloseWindow, L"close <title>"},
        {L"wait-exit", 1, 2, WaitExit, L"wait-exit <title> [timeout_ms]"},
        {L"use-window", 1, 1, UseWindow, L"use-window <title>"},
        {L"use-process", 1, 1, UseProcess, L"use-process <image name>"},
        {L"sleep", 1, 1, SleepFor, L"sleep <ms>"},
        {L"screenshot", 2, 2, Screenshot, L"screenshot <title|-> <file.bmp>"},
        {L"text", 1, 1, Text, L"text <id>"},
        {L"set-text", 2, 2, SetText, L"set-text <id> <text>"},
        {L"click", 1, 1, Click, L"click <id>"},
        {L"checked", 1, 1, Checked, L"checked <id>"},
        {L"enabled", 1, 1, Enabled, L"enabled <id>"},
        {L"visible", 1, 1, Visible, L"visible <id>"},
        {L"list-controls", 0, 0, ListControls, L"list-controls"},
        {L"focus", 1, 1, Focus, L"focus <id>"},
        {L"focused", 0, 0, Focused, L"focused"},
        {L"type", 2, 2, Type, L"type <id> <text>"},
        {L"key", 2, 2, Key, L"key <id> <vk>"},
        {L"key-state", 1, 1, KeyState, L"key-state <vk>"},
        {L"combo-select", 2, 2, ComboSelect, L"combo-select <id> <index>"},
        {L"combo-index", 1, 1, ComboIndex, L"combo-index <id>"},
        {L"combo-items", 1, 1, ComboItems, L"combo-items <id>"},
        {L"list-select", 2, 2, ListSelect, L"list-select <id> <index>"},
        {L"list-index", 1, 1, ListIndex, L"list-index <id>"},
        {L"list-items", 1, 1, ListItems, L"list-items <id>"},
        {L"hover-leave", 1, 1, HoverLeave, L"hover-leave <id>"},
        {L"tooltip", 1, 1, Tooltip, L"tooltip <id>"},
        {L"dialog-texts", 0, 1, DialogTexts, L"dialog-texts [timeout_ms]"},
        {L"dialog-press", 1, 2, DialogPress, L"dialog-press <button text> [timeout_ms]"},
        {L"dialog-check-verification", 0, 1, DialogCheckVerification,
         L"dialog-check-verification [timeout_ms]"},
    };
    return table;
}

}  // namespace fw::uidriver
