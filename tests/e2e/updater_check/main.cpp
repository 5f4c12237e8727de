// updater_check ADDRESS [--answer yes|no|dialog-yes|dialog-no] [--installed VERSION]
//               [--timeout-ms N] [--destroy-after-ms N]
//
// Starts one check of the real updater against ADDRESS (handed over through the
// environment variable the program itself honours) and runs a message loop
// until the outcome arrives. Prints, one per line:
//   question: VERSION           the updater asked (answered by --answer)
//   question-text: TEXT         the message box's text (dialog-* answers)
//   event: NAME                 NoUpdateAvailable, HostUnreachable, LaterUpgrade,
//                               Aborted, InstallerStarted, or none
//   elapsed-ms: N               from the start of the check to the event
//   largest-gap-ms: N           longest pause of a 50 ms timer on the UI thread
//   destroy-ms: N               with --destroy-after-ms: how long the updater's
//                               destruction took; the loop then runs on for 3 s
//                               so that a late event would still show up
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>

#include "common/text.h"
#include "platform/win32/ui_dispatcher.h"
#include "platform/win32/updater_win32.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT_PTR kTickMs = 50;
constexpr long long kSettleMs = 3000;

struct Options {
    std::wstring address;
    std::wstring answer = L"no";
    std::string installed = "1.0.0.0";
    long long timeoutMs = 30000;
    std::optional<long long> destroyAfterMs;
};

// Shared with the timer procedure, which gets no context of its own.
struct Run {
    Options options;
    Clock::time_point started;
    Clock::time_point lastTick;
    long long largestGapMs = 0;
    std::optional<Clock::time_point> eventAt;
    std::optional<Clock::time_point> destroyedAt;
    std::unique_ptr<fw::win32::UpdaterWin32> updater;
    bool dialogAnswered = false;
};
Run* g_run = nullptr;

long long MsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

void Print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void Report(const char* event) {
    if (g_run->eventAt) {
        Print(std::string("late-event: ") + event);
        return;
    }
    g_run->eventAt = Clock::now();
    Print(std::string("event: ") + event);
    Print("elapsed-ms: " + std::to_string(MsBetween(g_run->started, *g_run->eventAt)));
}

BOOL CALLBACK AnswerDialog(HWND window, LPARAM) {
    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    if (std::wcscmp(title, L"Quernmark Updater") != 0) {
        return TRUE;
    }
    wchar_t text[512] = {};
    ::GetDlgItemTextW(window, 0xFFFF, text, 512);
    Print("question-text: " + fw::Cp1252FromWide(text));
    bool yes = g_run->options.answer == L"dialog-yes";
    ::PostMessageW(window, WM_COMMAND, yes ? IDYES : IDNO, 0);
    g_run->dialogAnswered = true;
    return FALSE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Run& run = *g_run;
    auto now = Clock::now();
    if (!run.eventAt && !run.destroyedAt) {
        run.largestGapMs = std::max(run.largestGapMs, MsBetween(run.lastTick, now));
    }
    run.lastTick = now;
    if (run.options.answer.starts_with(L"dialog") && !run.dialogAnswered) {
        ::EnumThreadWindows(::GetCurrentThreadId(), AnswerDialog, 0);
    }
    if (run.options.destroyAfterMs && !run.destroyedAt && !run.eventAt &&
        MsBetween(run.started, now) >= *run.options.destroyAfterMs) {
        auto before = Clock::now();
        run.updater.reset();
        run.destroyedAt = Clock::now();
        Print("destroy-ms: " + std::to_string(MsBetween(before, *run.destroyedAt)));
    }
    bool settled = run.destroyedAt && MsBetween(*run.destroyedAt, now) >= kSettleMs;
    bool timedOut = MsBetween(run.started, now) >= run.options.timeoutMs;
    if (settled || timedOut || (run.eventAt && !run.destroyedAt)) {
        ::PostQuitMessage(0);
    }
}

std::optional<Options> ParseArguments(int argc, wchar_t** argv) {
    if (argc < 2) {
        return std::nullopt;
    }
    Options options;
    options.address = argv[1];
    for (int i = 2; i + 1 < argc; i += 2) {
        std::wstring name = argv[i];
        std::wstring value = argv[i + 1];
        if (name == L"--answer") {
            options.answer = value;
        } else if (name == L"--installed") {
            options.installed = fw::Cp1252FromWide(value);
        } else if (name == L"--timeout-ms") {
            options.timeoutMs = std::wcstoll(value.c_str(), nullptr, 10);
        } else if (name == L"--destroy-after-ms") {
            options.destroyAfterMs = std::wcstoll(value.c_str(), nullptr, 10);
        } else {
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    auto options = ParseArguments(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: updater_check ADDRESS [--answer yes|no|dialog-yes|dialog-no] "
                     "[--installed VERSION] [--timeout-ms N] [--destroy-after-ms N]\n");
        return 2;
    }
    ::SetEnvironmentVariableW(L"FRAMEWRIGHT_UPDATE_URL", options->address.c_str());

    Run run;
    run.options = *options;
    g_run = &run;

    HWND owner = ::CreateWindowExW(0, L"STATIC", L"Updater check", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                   100, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    fw::win32::UiDispatcher ui;
    fw::UpdaterEvents events;
    events.NoUpdateAvailable = [] { Report("NoUpdateAvailable"); };
    events.HostUnreachable = [] { Report("HostUnreachable"); };
    events.LaterUpgrade = [] { Report("LaterUpgrade"); };
    events.Aborted = [] { Report("Aborted"); };
    fw::win32::UpdaterWin32Options updaterOptions;
    updaterOptions.owner = [owner] { return owner; };
    updaterOptions.installerStarted = [] { Report("InstallerStarted"); };
    if (!run.options.answer.starts_with(L"dialog")) {
        bool yes = run.options.answer == L"yes";
        updaterOptions.askToUpgrade = [yes](const std::string& version) {
            Print("question: " + version);
            return yes;
        };
    }
    run.updater =
        std::make_unique<fw::win32::UpdaterWin32>(ui, std::move(events), std::move(updaterOptions));
    run.updater->SetInstalledVersion(run.options.installed);
    run.updater->SetDirectConnection();

    ::SetTimer(nullptr, 0, kTickMs, Tick);
    run.started = Clock::now();
    run.lastTick = run.started;
    run.updater->StartCheck();  // must return at once
    Print("start-ms: " + std::to_string(MsBetween(run.started, Clock::now())));

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (!run.eventAt) {
        Print("event: none");
    }
    Print("largest-gap-ms: " + std::to_string(run.largestGapMs));
    run.updater.reset();
    ::DestroyWindow(owner);
    g_run = nullptr;
    return 0;
}
