#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include "checks.h"
#include "common/text.h"
#include "dialog_closer.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/file_system_win32.h"

namespace fw::check {

namespace {

bool Shows(const std::wstring& texts, const std::wstring& text) {
    return texts.find(text) != std::wstring::npos;
}

void PressButton(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

}  // namespace

void CheckDialogs(CheckLog& log, const std::string& scratch) {
    log.Section("dialogs");
    win32::Win32Dialogs dialogs;

    {
        DialogCloser user(L"Platform Check Task", [](HWND dialog) {
            if (HWND box = FindChild(dialog, L"Button", L"Disable automatic update")) {
                ::SendMessageW(box, BM_CLICK, 0, 0);
            }
            ::SendMessageW(dialog, TDM_CLICK_BUTTON, IDOK, 0);
        });
        TaskDialogRequest request;
        request.title = "Platform Check Task";
        request.icon = DialogIcon::Warning;
        request.instruction = "No update available.";
        request.content =
            "If you do not want to use the update function, please check the box below.";
        request.verificationText = "Disable automatic update";
        TaskDialogResult result = dialogs.ShowTaskDialog(request);
        log.Expect(user.Found(), "the task dialog appears with its title");
        log.Expect(Shows(user.Texts(), L"No update available.") &&
                       Shows(user.Texts(), L"If you do not want to use the update function"),
                   "it shows the instruction and the content");
        log.Expect(result.verificationChecked, "a ticked verification box is reported");
    }
    {
        DialogCloser user(L"Platform Check Plain",
                          [](HWND dialog) { ::SendMessageW(dialog, TDM_CLICK_BUTTON, IDOK, 0); });
        TaskDialogRequest request;
        request.title = "Platform Check Plain";
        request.icon = DialogIcon::Information;
        request.instruction = "Random .exe, what is it?";
        TaskDialogResult result = dialogs.ShowTaskDialog(request);
        log.Expect(user.Found() && Shows(user.Texts(), L"Random .exe, what is it?"),
                   "a task dialog without content or verification box");
        log.Expect(!result.verificationChecked, "reports no tick without a verification box");
    }

    for (int answer : {IDYES, IDNO}) {
        DialogCloser user(L"Confirm", [answer](HWND dialog) { PressButton(dialog, answer); });
        bool yes = dialogs.Confirm("Confirm", "Do you wish to delete the autoexec.cfg file?");
        log.Expect(
            user.Found() && Shows(user.Texts(), L"Do you wish to delete the autoexec.cfg file?"),
            "Confirm shows its question");
        log.Expect(yes == (answer == IDYES),
                   answer == IDYES ? "Yes answers true" : "No answers false");
    }

    {
        DialogCloser user(L"Platform Check Error", [](HWND dialog) { PressButton(dialog, IDOK); });
        dialogs.ShowError("Platform Check Error", "Something went wrong \xD7 2");
        log.Expect(user.Found() && Shows(user.Texts(), L"Something went wrong \u00D7 2"),
                   "ShowError shows the Windows-1252 text");
    }

    win32::Win32FileSystem files;
    const std::string crysis = scratch + "Bin32\\Crysis.exe";
    files.CreateFolders(scratch + "Bin32");
    files.WriteFileAtomic(crysis, "MZ");
    {
        std::wstring wideCrysis = WideFromCp1252(crysis);
        DialogCloser user(L"Open the Crysis executable", [wideCrysis](HWND dialog) {
            ::SetDlgItemTextW(dialog, cmb13, wideCrysis.c_str());
            ::SetDlgItemTextW(dialog, edt1, wideCrysis.c_str());
            PressButton(dialog, IDOK);
        });
        auto chosen = dialogs.OpenFile(
            {"Crysis executable (Crysis.exe)|Crysis.exe", "Open the Crysis executable"});
        log.Expect(user.Found(), "OpenFile shows its title");
        log.ExpectEqual(chosen.value_or("<none>"), crysis, "OpenFile gives the chosen file");
    }
    {
        DialogCloser user(L"Open the Crysis executable",
                          [](HWND dialog) { PressButton(dialog, IDCANCEL); });
        auto chosen = dialogs.OpenFile(
            {"Crysis executable (Crysis.exe)|Crysis.exe", "Open the Crysis executable"});
        log.Expect(user.Found() && !chosen.has_value(), "a cancelled OpenFile gives nothing");
    }
    {
        std::wstring folder = WideFromCp1252(scratch + "Bin32");
        DialogCloser user(L"Browse for Folder", [folder](HWND dialog) {
            if (HWND edit = FindChild(dialog, L"Edit")) {
                ::SetWindowTextW(edit, folder.c_str());
            }
            PressButton(dialog, IDOK);
        });
        auto chosen = dialogs.BrowseFolder("Choose the results folder");
        log.Expect(user.Found() && Shows(user.Texts(), L"Choose the results folder"),
                   "BrowseFolder shows its title text");
        // Wine's folder browser keeps its own selection rather than the typed path.
        log.Info("BrowseFolder gave " + chosen.value_or("<none>"));
        log.Expect(chosen && files.FolderExists(*chosen) && chosen->back() != '\\',
                   "BrowseFolder gives an existing folder without a trailing backslash");
    }
    files.ShellDeleteFolder(scratch + "Bin32");
}

}  // namespace fw::check
