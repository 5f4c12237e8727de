#pragma once
// The program's last line of defence: an error that escapes a handler is shown
// to the user and written to "error.log" beside the program, and the program
// goes on. Nothing thrown may cross into Windows' own code.
#include <exception>
#include <string>
#include <type_traits>

namespace fw::win32 {

// `where` says what the program was doing ("handling a click in the main
// window"), `what` the error's own text.
void ReportUnexpectedError(const std::string& where, const std::string& what);

// The text of the exception being handled; call only inside a catch block.
std::string CurrentExceptionText();

// Runs `action`; an exception it raises is reported and `fallback` returned.
// `where` is the text, or a callable making it only when it is needed.
template <typename Where, typename Action, typename Result>
Result GuardedCall(Where&& where, Action&& action, Result fallback) {
    try {
        return action();
    } catch (...) {
        try {
            if constexpr (std::is_invocable_v<Where>) {
                ReportUnexpectedError(where(), CurrentExceptionText());
            } else {
                ReportUnexpectedError(where, CurrentExceptionText());
            }
        } catch (...) {
            // Reporting itself failed (out of memory); still nothing escapes.
        }
    }
    return fallback;
}

}  // namespace fw::win32
