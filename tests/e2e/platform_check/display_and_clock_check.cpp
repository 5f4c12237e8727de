#include <windows.h>

#include <set>
#include <utility>

#include "checks.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/display_modes_win32.h"

namespace fw::check {

void CheckDisplayModes(CheckLog& log) {
    log.Section("display modes");
    win32::Win32DisplayModes modes;
    auto first = modes.ModeAt(0);
    log.Expect(first && first->width > 0 && first->height > 0, "mode 0 of the primary display");
    log.Expect(!modes.ModeAt(-1).has_value(), "a negative number is no mode");
    std::set<std::pair<int, int>> sizes;
    int count = 0;
    while (count < 100000 && modes.ModeAt(count)) {
        auto mode = modes.ModeAt(count);
        sizes.insert({mode->width, mode->height});
        ++count;
    }
    log.Expect(count > 0 && count < 100000, "the list ends");
    std::string text;
    for (const auto& [width, height] : sizes) {
        text += std::to_string(width) + "x" + std::to_string(height) + " ";
    }
    log.Info(std::to_string(count) + " modes, sizes: " + text);
}

void CheckClockAndLocale(CheckLog& log) {
    log.Section("clock");
    win32::Win32Clock clock;
    DateTime now = clock.Now();
    log.Expect(
        now.year >= 2020 && now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31,
        "Now is a plausible local date");
    std::string text = clock.DateTimeText(DateTime{2008, 11, 17, 14, 5, 9});
    log.Info("17 Nov 2008 14:05:09 reads \"" + text + "\"");
    log.Expect(text.find("2008") != std::string::npos || text.find("08") != std::string::npos,
               "DateTimeText holds the year");
    log.Expect(text.find(' ') != std::string::npos && text.find("05") != std::string::npos,
               "DateTimeText holds the date, a blank and the time");

    ::PostQuitMessage(7);
    clock.ProcessMessages();
    MSG message;
    bool quitKept = ::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) &&
                    message.message == WM_QUIT && message.wParam == 7;
    log.Expect(quitKept, "ProcessMessages leaves a quit request for the main loop");

    // The performance counter, not the tick count, whose steps are too coarse here.
    LARGE_INTEGER frequency{}, before{}, after{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&before);
    clock.Sleep(30);
    ::QueryPerformanceCounter(&after);
    log.Expect((after.QuadPart - before.QuadPart) * 1000 >= 25 * frequency.QuadPart,
               "Sleep blocks for about the time asked");
    log.Info("ticks " + std::to_string(clock.Ticks()));

    log.Section("locale");
    win32::Win32Locale locale;
    char decimal = locale.DecimalMark();
    char thousands = locale.ThousandsMark();
    log.Info(std::string("decimal mark '") + decimal + "', thousands mark '" + thousands + "'");
    log.Expect(decimal != '\0' && thousands != '\0', "the marks are characters");
}

}  // namespace fw::check
