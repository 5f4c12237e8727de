#pragma once
// The state a run of the driver carries from command to command, and the
// error a command raises when it cannot do what it was asked.
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "output.h"

namespace fw::uidriver {

struct Session {
    explicit Session(Output& output) : out(output) {}

    // Controls are looked for under the top-level window of this title.
    std::wstring mainTitle = L"Framewright";
    // Dialogs belong to processes of this image name (or of the main window).
    std::wstring processImage = L"framewright.exe";
    Output& out;
    // One flag per delivered message, set when the window has handled it. A
    // deque keeps every flag in place while new ones are added.
    std::deque<bool> deliveryAnswers;
};

using Args = std::vector<std::wstring>;

class CommandError : public std::runtime_error {
public:
    explicit CommandError(std::wstring_view message);
};

// Decimal or 0x-prefixed hexadecimal; `what` names the argument in errors.
long ParseNumber(std::wstring_view text, std::wstring_view what);

// The optional timeout argument at `index`, or the fallback when absent.
unsigned long TimeoutArgument(const Args& args, size_t index, unsigned long fallback);

}  // namespace fw::uidriver
