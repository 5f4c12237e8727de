// rig_target: a small window with one control of each kind the UI driver
// handles, for the rig's own test. Every event it receives is printed as one
// line on stdout, so the test sees exactly what the driver delivered.
//
// Title "Rig Target". Controls: 101 edit (inside panel 100), 102 check box,
// 103 drop-down list (inside panel 100), 104 list box, 105 button with a hint
// that asks a Yes/No question, 106 disabled button, 107 label, 108 button
// that shows a task dialog with a verification box. Closing it exits with 7.
// Its first line tells whether Shift was held when it started.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kTitle[] = L"Rig Target";
constexpr wchar_t kPanelClass[] = L"RigPanel";
constexpr int kExitCode = 7;

void Report(const std::wstring& line) {
    const std::wstring full = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, full.c_str(), static_cast<int>(full.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, full.c_str(), static_cast<int>(full.size()), utf8.data(), size,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
              &written, nullptr);
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The edit reports keys, focus loss and the pointer leaving it.
LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
    switch (message) {
        case WM_KEYUP:
            Report(L"keyup 101 " + std::to_wstring(wParam));
            break;
        case WM_KILLFOCUS:
            Report(L"killfocus 101");
            break;
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            break;
        }
        case WM_MOUSELEAVE:
            Report(L"mouseleave 101");
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// A container, as the program's pages are; it hands notifications upwards.
LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        return SendMessageW(GetParent(window), message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ShowTaskDialog(HWND owner) {
    TASKDIALOG_BUTTON buttons[] = {{IDOK, L"Fine"}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = owner;
    config.pszWindowTitle = L"Rig Task";
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszMainInstruction = L"Main instruction";
    config.pszContent = L"Content text";
    config.pszVerificationText = L"Do not show again";
    config.pButtons = buttons;
    config.cButtons = 1;
    int button = 0;
    BOOL verified = FALSE;
    if (FAILED(TaskDialogIndirect(&config, &button, nullptr, &verified))) {
        Report(L"task failed");
        return;
    }
    Report(L"task " + std::to_wstring(button) + L" " + std::to_wstring(verified));
}

void OnCommand(HWND window, WORD id, WORD code, HWND control) {
    switch (id) {
        case 101:
            if (code == EN_CHANGE) {
                Report(L"change 101 " + TextOf(control));
            }
            break;
        case 102:
            Report(L"clicked 102 " + std::to_wstring(SendMessageW(control, BM_GETCHECK, 0, 0)));
            break;
        case 103:
            if (code == CBN_SELCHANGE) {
                Report(L"selchange 103 " +
                       std::to_wstring(SendMessageW(control, CB_GETCURSEL, 0, 0)));
            }
            break;
        case 104:
            if (code == LBN_SELCHANGE) {
                Report(L"selchange 104 " +
                       std::to_wstring(SendMessageW(control, LB_GETCURSEL, 0, 0)));
            }
            break;
        case 105: {
            const int answer =
                MessageBoxW(window, L"Question text", L"Rig Question", MB_YESNO | MB_ICONQUESTION);
            Report(answer == IDYES ? L"answer yes" : L"answer no");
            break;
        }
        case 108:
            ShowTaskDialog(window);
            break;
        default:
            break;
    }
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x,
           int y, int width, int height) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void AddHint(HWND owner, HWND control, const wchar_t* text) {
    HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                                   0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CreateControls(HWND window) {
    HWND panel = Child(window, kPanelClass, L"", 0, 100, 10, 10, 300, 80);
    HWND edit = Child(panel, L"EDIT", L"start", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 101, 0, 0,
                      200, 24);
    SetWindowSubclass(edit, EditProc, 1, 0);
    HWND combo =
        Child(panel, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 103, 0, 40, 200, 120);
    for (const wchar_t* item : {L"Low", L"Medium", L"High", L"1024 \u00d7 768"}) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    Child(window, L"BUTTON", L"Check me", BS_AUTOCHECKBOX | WS_TABSTOP, 102, 10, 100, 200, 24);
    HWND list = Child(window, L"LISTBOX", L"", WS_BORDER | LBS_NOTIFY, 104, 10, 130, 200, 60);
    for (const wchar_t* item : {L"800 x 600", L"1024 x 768"}) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    HWND ask = Child(window, L"BUTTON", L"&Ask", BS_PUSHBUTTON | WS_TABSTOP, 105, 10, 200, 90, 28);
    AddHint(window, ask, L"Asks a question");
    HWND disabled = Child(window, L"BUTTON", L"Disabled", BS_PUSHBUTTON, 106, 110, 200, 90, 28);
    EnableWindow(disabled, FALSE);
    Child(window, L"STATIC", L"Label text", 0, 107, 10, 240, 200, 20);
    Child(window, L"BUTTON", L"Task", BS_PUSHBUTTON | WS_TABSTOP, 108, 210, 200, 90, 28);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls(window);
            return 0;
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CLOSE:
            Report(L"close");
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(kExitCode);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int wmain() {
    // Read before any window exists, as the benchmark reads it at its start.
    Report(GetAsyncKeyState(VK_SHIFT) < 0 ? L"shift down" : L"shift up");
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW panelClass{};
    panelClass.lpfnWndProc = PanelProc;
    panelClass.hInstance = instance;
    panelClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panelClass.lpszClassName = kPanelClass;
    RegisterClassW(&panelClass);
    WNDCLASSW mainClass = panelClass;
    mainClass.lpfnWndProc = MainProc;
    mainClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    mainClass.lpszClassName = L"RigTarget";
    RegisterClassW(&mainClass);
    HWND window = CreateWindowExW(0, L"RigTarget", kTitle, WS_OVERLAPPEDWINDOW, 100, 100, 420, 320,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    Report(L"ready");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
