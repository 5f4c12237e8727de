// Commands for combo boxes and list boxes. A selection is made as a user's
// choice makes it: the new index, then the change notification to the parent.
#include <windows.h>

#include <string>

#include "commands.h"
#include "delivery.h"
#include "window_search.h"

namespace fw::uidriver {

namespace {

struct ListMessages {
    UINT setSelection;
    UINT getSelection;
    UINT count;
    UINT textLength;
    UINT text;
    WORD changeNotification;
};

constexpr ListMessages kCombo{CB_SETCURSEL,    CB_GETCURSEL, CB_GETCOUNT,
                              CB_GETLBTEXTLEN, CB_GETLBTEXT, CBN_SELCHANGE};
constexpr ListMessages kList{LB_SETCURSEL,  LB_GETCURSEL, LB_GETCOUNT,
                             LB_GETTEXTLEN, LB_GETTEXT,   LBN_SELCHANGE};

void Select(Session& session, const Args& args, const ListMessages& messages) {
    HWND control = RequireControl(session, args[0]);
    if (!IsWindowEnabled(control) || !IsWindowVisible(control)) {
        throw CommandError(L"control " + args[0] + L" cannot be used");
    }
    const long index = ParseNumber(args[1], L"index");
    const LRESULT count = SendNow(control, messages.count, 0, 0);
    if (index < 0 || index >= count) {
        throw CommandError(L"index " + args[1] + L" outside the " + std::to_wstring(count) +
                           L" items");
    }
    SendNow(control, messages.setSelection, static_cast<WPARAM>(index), 0);
    Deliver(session, GetParent(control), WM_COMMAND,
            MAKEWPARAM(GetDlgCtrlID(control), messages.changeNotification),
            reinterpret_cast<LPARAM>(control));
}

void PrintIndex(Session& session, const Args& args, const ListMessages& messages) {
    const LRESULT index = SendNow(RequireControl(session, args[0]), messages.getSelection, 0, 0);
    session.out.Value(std::to_wstring(index));  // -1: nothing selected
}

void PrintItems(Session& session, const Args& args, const ListMessages& messages) {
    HWND control = RequireControl(session, args[0]);
    const LRESULT count = SendNow(control, messages.count, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendNow(control, messages.textLength, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<size_t>(length < 0 ? 0 : length) + 1, L'\0');
        const LRESULT copied = SendNow(control, messages.text, static_cast<WPARAM>(i),
                                       reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(copied < 0 ? 0 : copied));
        session.out.Value(item);
    }
}

}  // namespace

void ComboSelect(Session& session, const Args& args) {
    Select(session, args, kCombo);
}
void ComboIndex(Session& session, const Args& args) {
    PrintIndex(session, args, kCombo);
}
void ComboItems(Session& session, const Args& args) {
    PrintItems(session, args, kCombo);
}
void ListSelect(Session& session, const Args& args) {
    Select(session, args, kList);
}
void ListIndex(Session& session, const Args& args) {
    PrintIndex(session, args, kList);
}
void ListItems(Session& session, const Args& args) {
    PrintItems(session, args, kList);
}

}  // namespace fw::uidriver
