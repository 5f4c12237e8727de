// Program entry: the services of the platform, the main window and its model,
// the display mode picker, then the message loop until the main window closes.
#include <windows.h>

#include <objbase.h>

#include <optional>

// First of the program's headers: it takes back the name DeleteFile from
// windows.h before the file service's interface is seen.
#include "platform/win32/file_system_win32.h"

#include "app/form_main.h"
#include "app/form_picker.h"
#include "app/run_controller.h"
#include "app/win32/error_report.h"
#include "app/win32/main_window.h"
#include "app/win32/picker_window.h"
#include "app/win32/single_instance.h"
#include "app/win32/theme.h"
#include "platform/platform.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/display_modes_win32.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/os_info_win32.h"
#include "platform/win32/process_launcher_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_sources_win32.h"
#include "platform/win32/ui_dispatcher.h"
#include "platform/win32/updater_win32.h"

namespace fw::win32 {

namespace {

int RunMessageLoop(HWND mainWindow) {
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return 1;
        }
        // Tab and the arrow keys move between the window's controls.
        if (mainWindow != nullptr && ::IsWindow(mainWindow) &&
            ::IsDialogMessageW(mainWindow, &message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

int RunProgram(Win32OsInfo& os, bool debugMode, int showCommand) {
    // COM for as long as the program runs: the folder dialog needs it.
    const ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    Win32Registry registry;
    Win32FileSystem files;
    Win32DisplayModes displayModes;
    Win32Dialogs dialogs;
    Win32Clock clock;
    Win32Locale locale;
    Win32Shell shell;
    UiDispatcher dispatcher;
    dispatcher.SetErrorReporter([](const std::string& message) {
        ReportUnexpectedError("finishing work that ran in the background", message);
    });
    Win32ProcessLauncher processes(dispatcher);
    Win32SystemSources system;
    Platform platform{registry, files,  os,    displayModes, dialogs,
                      clock,    locale, shell, processes,    system};

    const Theme theme(Theme::ScreenDpi());
    MainWindow::RegisterClass();

    // The forms outlive their windows, whose views unhook from them on the way out.
    std::optional<TForm1> form;
    std::optional<TForm3> pickerForm;
    MainWindow window(theme);
    std::optional<PickerWindow> picker;

    form.emplace(platform, window, debugMode);

    // The benchmark run and the game-file repair plug into the window before
    // its creation runs the start-up steps that may call them.
    GdiSurfaceFactory surfaces;
    RunController run(*form, surfaces);

    UpdaterEvents updateEvents;
    updateEvents.NoUpdateAvailable = [&] { form->UpdaterNoUpdateAvailable(); };
    updateEvents.HostUnreachable = [&] { form->UpdaterHostUnreachable(); };
    updateEvents.LaterUpgrade = [&] { form->UpdaterLaterUpgrade(); };
    updateEvents.Aborted = [&] { form->UpdaterAborted(); };
    UpdaterWin32Options updateOptions;
    updateOptions.owner = [&window] { return window.hwnd(); };
    UpdaterWin32 updater(dispatcher, updateEvents, updateOptions);
    form->seams.SetUpdaterVersion = [&](const std::string& version) {
        updater.SetInstalledVersion(version);
    };
    form->seams.StartUpdateCheck = [&] {
        updater.SetDirectConnection();
        updater.StartCheck();
    };

    window.Create(*form, locale);
    dialogs.SetOwner(window.hwnd());
    window.RunFormCreate();

    // The Debug item and the Debug page's tab only for a start with Shift held.
    form->DebugItem.SetVisible(form->DebugMode);

    pickerForm.emplace(*form, displayModes);
    picker.emplace(theme, *pickerForm);
    picker->Create(window.hwnd());
    window.AttachPicker(*picker);

    window.Show(showCommand);
    GuardedCall(
        "showing the main window",
        [&] {
            form->FormShow();
            return true;
        },
        false);
    return RunMessageLoop(window.hwnd());
}

}  // namespace

}  // namespace fw::win32

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // The Shift key is read before anything else: it decides the Debug page.
    fw::win32::Win32OsInfo os;
    const bool debugMode = os.ShiftHeldAtStart();
    // A second copy shows nothing: the running one comes to the front.
    fw::win32::SingleInstance instance(fw::win32::kInstanceName);
    if (!instance.IsFirst()) {
        fw::win32::HandOverToRunningCopy(fw::win32::kMainWindowClass, L"Framewright",
                                         ::GetCommandLineW(), 10000);
        return 0;
    }
    try {
        return fw::win32::RunProgram(os, debugMode, showCommand);
    } catch (...) {
        fw::win32::ReportUnexpectedError("starting Framewright", fw::win32::CurrentExceptionText());
        return 1;
    }
}
