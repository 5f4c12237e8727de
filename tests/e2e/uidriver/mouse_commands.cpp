// Moving the pointer over a control and away again, for the program's
// "mouse leave" handlers.
#include <windows.h>

#include "commands.h"
#include "delivery.h"
#include "window_search.h"

namespace fw::uidriver {

void HoverLeave(Session& session, const Args& args) {
    HWND control = RequireControl(session, args[0]);
    RECT rect{};
    GetWindowRect(control, &rect);
    RECT client{};
    GetClientRect(control, &client);
    const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);

    // The real pointer first, so the program's own mouse tracking sees it.
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendNow(control, WM_MOUSEMOVE, 0, centre);
    SetCursorPos(rect.right + 8, rect.bottom + 8);
    SendNow(control, WM_NULL, 0, 0);
    // Wine reports the leave of the real pointer from a timer, some time
    // later, and not at all when the program tracks the mouse otherwise; the
    // message itself makes sure one leave has been handled when the command
    // ends. The program may so see the leave twice.
    Deliver(session, control, WM_MOUSELEAVE, 0, 0);
}

}  // namespace fw::uidriver
