#pragma once
// Modal dialogs of the main window.
#include <optional>
#include <string>

namespace fw {

enum class DialogIcon { None, Warning, Information };

struct TaskDialogRequest {
    std::string title;
    DialogIcon icon = DialogIcon::None;
    std::string instruction;
    std::string content;
    std::string verificationText;  // empty: no verification box
};

struct TaskDialogResult {
    bool verificationChecked = false;
};

struct FileDialogRequest {
    std::string filter;  // "Description (*.ext)|*.ext"
    std::string title;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // One OK button; returns when the user closes it.
    virtual TaskDialogResult ShowTaskDialog(const TaskDialogRequest& request) = 0;
    // Yes and No buttons; true for Yes.
    virtual bool Confirm(const std::string& title, const std::string& text) = 0;
    // The chosen file's full path, or nothing when cancelled.
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    // The chosen folder's path as the shell gives it (no trailing backslash
    // except for a drive root), or nothing when cancelled.
    virtual std::optional<std::string> BrowseFolder(const std::string& title) = 0;
    // A plain error message of the program's own (title, text).
    virtual void ShowError(const std::string& title, const std::string& text) = 0;
};

}  // namespace fw
