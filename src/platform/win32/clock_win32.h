#pragma once
// The local clock, waits on the user-interface thread and the user's number marks.
#include "platform/clock.h"

namespace fw::win32 {

class Win32Clock : public Clock {
public:
    DateTime Now() override;
    void Sleep(int milliseconds) override;
    // Handles every waiting message once the queue is empty; a quit request met
    // on the way is left in the queue for the main message loop.
    void ProcessMessages() override;
    std::string DateTimeText(const DateTime& when) override;
    std::uint32_t Ticks() override;
};

class Win32Locale : public Locale {
public:
    char DecimalMark() override;
    char ThousandsMark() override;
};

}  // namespace fw::win32
