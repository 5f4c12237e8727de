#include "platform/win32/dialogs_win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <memory>
#include <vector>

#include "common/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/path_text.h"

namespace fw::win32 {

namespace {

using TaskDialogIndirectFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// Only comctl32 version 6 (Vista on, asked for by the manifest) has task dialogs.
std::optional<TaskDialogResult> ShowRealTaskDialog(HWND owner, const TaskDialogRequest& request) {
    UniqueLibrary commonControls(::LoadLibraryW(L"comctl32.dll"));
    if (!commonControls) {
        return std::nullopt;
    }
    auto taskDialogIndirect = reinterpret_cast<TaskDialogIndirectFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(commonControls.Get(), "TaskDialogIndirect")));
    if (taskDialogIndirect == nullptr) {
        return std::nullopt;
    }
    std::wstring title = WideFromCp1252(request.title);
    std::wstring instruction = WideFromCp1252(request.instruction);
    std::wstring content = WideFromCp1252(request.content);
    std::wstring verification = WideFromCp1252(request.verificationText);

    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = owner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_OK_BUTTON;
    config.pszWindowTitle = OrNull(title);
    if (request.icon == DialogIcon::Warning) {
        config.pszMainIcon = TD_WARNING_ICON;
    } else if (request.icon == DialogIcon::Information) {
        config.pszMainIcon = TD_INFORMATION_ICON;
    }
    config.pszMainInstruction = OrNull(instruction);
    config.pszContent = OrNull(content);
    config.pszVerificationText = OrNull(verification);

    int button = 0;
    BOOL verified = FALSE;
    if (FAILED(taskDialogIndirect(&config, &button, nullptr, &verified))) {
        return std::nullopt;
    }
    return TaskDialogResult{verified != FALSE};
}

// The filter "Description|pattern|..." with NULs in place of the bars and a second
// NUL at the end, as the common dialog reads it.
std::wstring FilterList(const std::string& filter) {
    std::wstring list = WideFromCp1252(filter);
    for (auto& c : list) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

struct CoTaskMemFreer {
    void operator()(ITEMIDLIST* item) const { ::CoTaskMemFree(item); }
};

}  // namespace

void Win32Dialogs::SetOwner(HWND owner) {
    owner_ = owner;
}

TaskDialogResult Win32Dialogs::ShowTaskDialog(const TaskDialogRequest& request) {
    if (auto result = ShowRealTaskDialog(owner_, request)) {
        return *result;
    }
    // Without comctl32 version 6 (Windows XP) a message box shows the same words.
    std::string text = request.instruction;
    if (!request.instruction.empty() && !request.content.empty()) {
        text += "\r\n\r\n";
    }
    text += request.content;
    UINT icon = request.icon == DialogIcon::Warning       ? MB_ICONWARNING
                : request.icon == DialogIcon::Information ? MB_ICONINFORMATION
                                                          : 0;
    ::MessageBoxW(owner_, WideFromCp1252(text).c_str(), WideFromCp1252(request.title).c_str(),
                  MB_OK | icon);
    return TaskDialogResult{};
}

bool Win32Dialogs::Confirm(const std::string& title, const std::string& text) {
    return ::MessageBoxW(owner_, WideFromCp1252(text).c_str(), WideFromCp1252(title).c_str(),
                         MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> Win32Dialogs::OpenFile(const FileDialogRequest& request) {
    std::wstring filter = FilterList(request.filter);
    std::wstring title = WideFromCp1252(request.title);
    std::vector<wchar_t> file(32768, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = OrNull(title);
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    return UsablePathText(file.data());
}

std::optional<std::string> Win32Dialogs::BrowseFolder(const std::string& title) {
    std::wstring wideTitle = WideFromCp1252(title);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner_;
    browse.lpszTitle = OrNull(wideTitle);
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    std::unique_ptr<ITEMIDLIST, CoTaskMemFreer> chosen(::SHBrowseForFolderW(&browse));
    if (!chosen) {
        return std::nullopt;
    }
    wchar_t folder[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(chosen.get(), folder)) {
        return std::nullopt;
    }
    return UsablePathText(folder);
}

void Win32Dialogs::ShowError(const std::string& title, const std::string& text) {
    ::MessageBoxW(owner_, WideFromCp1252(text).c_str(), WideFromCp1252(title).c_str(),
                  MB_OK | MB_ICONERROR);
}

}  // namespace fw::win32
