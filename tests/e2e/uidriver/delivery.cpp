#include "delivery.h"

#include <algorithm>
#include <vector>

#include "window_search.h"

namespace fw::uidriver {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

void CALLBACK MarkHandled(HWND, UINT, ULONG_PTR handled, LRESULT) {
    *reinterpret_cast<bool*>(handled) = true;
}

void PumpOwnMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
}

bool NewDialogOpened(const Session& session, const std::vector<HWND>& before) {
    for (HWND dialog : ProgramDialogs(session)) {
        if (std::find(before.begin(), before.end(), dialog) == before.end()) {
            return true;
        }
    }
    return false;
}

}  // namespace

void Deliver(Session& session, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
             unsigned long timeoutMs) {
    const std::vector<HWND> dialogsBefore = ProgramDialogs(session);
    // A late answer (after a timeout) still lands in its own flag.
    bool& handled = session.deliveryAnswers.emplace_back(false);
    if (!SendMessageCallbackW(window, message, wParam, lParam, MarkHandled,
                              reinterpret_cast<ULONG_PTR>(&handled))) {
        throw CommandError(L"the message could not be sent");
    }
    // The answer arrives as a call of MarkHandled while this thread pumps.
    WaitUntil(timeoutMs, [&] {
        PumpOwnMessages();
        return handled || !IsWindow(window) || NewDialogOpened(session, dialogsBefore);
    });
}

LRESULT SendNow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        throw CommandError(L"the window did not answer in time");
    }
    return static_cast<LRESULT>(result);
}

}  // namespace fw::uidriver
