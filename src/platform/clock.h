#pragma once
// Time, waits and locale-dependent number and date texts.
#include <cstdint>
#include <string>

namespace fw {

struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() = 0;
    // Blocks the user-interface thread; no window message is handled.
    virtual void Sleep(int milliseconds) = 0;
    // Handles the pending window messages once.
    virtual void ProcessMessages() = 0;
    // The system's short date format, a blank, the system's long time format.
    virtual std::string DateTimeText(const DateTime& when) = 0;
    // A value for seeding random names.
    virtual std::uint32_t Ticks() = 0;
};

class Locale {
public:
    virtual ~Locale() = default;
    virtual char DecimalMark() = 0;
    virtual char ThousandsMark() = 0;
};

}  // namespace fw
