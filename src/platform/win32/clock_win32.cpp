#include "platform/win32/clock_win32.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "common/text.h"

namespace fw::win32 {

namespace {

SYSTEMTIME SystemTimeOf(const DateTime& when) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(when.year);
    time.wMonth = static_cast<WORD>(when.month);
    time.wDay = static_cast<WORD>(when.day);
    time.wHour = static_cast<WORD>(when.hour);
    time.wMinute = static_cast<WORD>(when.minute);
    time.wSecond = static_cast<WORD>(when.second);
    return time;
}

// Both format calls share one shape: ask for the length, then fill.
template <typename Format>
std::wstring Formatted(Format format) {
    int length = format(nullptr, 0);
    if (length <= 0) {
        return L"";
    }
    std::vector<wchar_t> text(static_cast<size_t>(length));
    int got = format(text.data(), length);
    if (got <= 0) {
        return L"";
    }
    return std::wstring(text.data(), static_cast<size_t>(got - 1));  // without the NUL
}

// The first character of a locale entry; nothing when the entry is empty.
std::optional<wchar_t> LocaleCharacter(LCTYPE entry) {
    wchar_t text[8] = {};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, entry, text, 8) <= 1) {
        return std::nullopt;
    }
    return text[0];
}

std::optional<char> Cp1252Character(wchar_t character) {
    bool lossless = true;
    std::string text = Cp1252FromWide(std::wstring(1, character), &lossless);
    return lossless ? std::optional<char>(text[0]) : std::nullopt;
}

}  // namespace

DateTime Win32Clock::Now() {
    SYSTEMTIME time;
    ::GetLocalTime(&time);
    return DateTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

void Win32Clock::Sleep(int milliseconds) {
    ::Sleep(milliseconds > 0 ? milliseconds : 0);
}

void Win32Clock::ProcessMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Taking it here would swallow the program's end; put it back for
            // the main loop and stop, or the next peek would find it again.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

std::string Win32Clock::DateTimeText(const DateTime& when) {
    SYSTEMTIME time = SystemTimeOf(when);
    std::wstring date = Formatted([&](wchar_t* out, int size) {
        return ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, out, size);
    });
    std::wstring clock = Formatted([&](wchar_t* out, int size) {
        return ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, out, size);
    });
    return Cp1252FromWide(date + L" " + clock);
}

std::uint32_t Win32Clock::Ticks() {
    return ::GetTickCount();
}

char Win32Locale::DecimalMark() {
    auto mark = LocaleCharacter(LOCALE_SDECIMAL);
    return mark ? Cp1252Character(*mark).value_or('.') : '.';
}

char Win32Locale::ThousandsMark() {
    // Locales that group with a narrow no-break space get the no-break space.
    auto mark = LocaleCharacter(LOCALE_STHOUSAND);
    return mark ? Cp1252Character(*mark).value_or('\xA0') : ',';
}

}  // namespace fw::win32
