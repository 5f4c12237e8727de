#pragma once
// Modal dialogs owned by the main window. The folder browser needs COM, which
// the program's entry initialises on the user-interface thread.
#include <windows.h>

#include "platform/dialogs.h"

namespace fw::win32 {

class Win32Dialogs : public Dialogs {
public:
    // The window the dialogs belong to; none until the main window exists.
    void SetOwner(HWND owner);

    TaskDialogResult ShowTaskDialog(const TaskDialogRequest& request) override;
    bool Confirm(const std::string& title, const std::string& text) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> BrowseFolder(const std::string& title) override;
    void ShowError(const std::string& title, const std::string& text) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace fw::win32
