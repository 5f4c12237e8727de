// The drop-down lists, painted in the window's colours.
#include <algorithm>

#include "app/win32/controls_view.h"
#include "app/win32/drawing.h"
#include "app/win32/gdi.h"
#include "app/win32/theme.h"
#include "common/text.h"

namespace fw::win32 {

ComboBoxView::ComboBoxView(ViewContext context, ComboBox& model)
    : ControlView(context, &model, model.Text()), box_(model) {}

void ComboBoxView::Create(HWND parent, int id, const RECT& designBounds, int designDropHeight) {
    RECT bounds = designBounds;
    bounds.bottom = bounds.top + designDropHeight;
    CreateControl(L"COMBOBOX", "",
                  CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP,
                  0, bounds, parent, id);
    const int field = context_.theme.Scale(designBounds.bottom - designBounds.top) - 6;
    ::SendMessageW(hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(field, 8));
    ::SendMessageW(hwnd(), CB_SETITEMHEIGHT, 0, context_.theme.Scale(16));
    FillItems();
    Bind();
}

void ComboBoxView::FillItems() {
    ::SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : box_.Items()) {
        ::SendMessageW(hwnd(), CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(WideFromCp1252(item).c_str()));
    }
    shownItems_ = box_.Items();
}

void ComboBoxView::Sync() {
    SyncCommon();
    if (shownItems_ != box_.Items()) {
        FillItems();
    }
    if (::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0) != box_.ItemIndex()) {
        ::SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(box_.ItemIndex()), 0);
    }
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ComboBoxView::OnCommand(UINT code) {
    switch (code) {
        case CBN_SELCHANGE:
            box_.SetItemIndex(static_cast<int>(::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0)));
            break;
        case CBN_DROPDOWN:
        case CBN_CLOSEUP:
        case CBN_SETFOCUS:
        case CBN_KILLFOCUS:
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            break;
        default:
            break;
    }
}

void ComboBoxView::OnDrawItem(const DRAWITEMSTRUCT& item) {
    BufferedDraw buffer(item.hDC, item.rcItem);
    const HDC dc = buffer.Get();
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    if ((item.itemState & ODS_COMBOBOXEDIT) != 0) {
        // The field of the closed list; the whole control is painted the same way.
        const bool focused =
            ::GetFocus() == hwnd() && !::SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0);
        FillSolid(dc, item.rcItem,
                  focused   ? colours::kHighlight
                  : enabled ? colours::kField
                            : colours::kFieldDisabled);
        RECT text = item.rcItem;
        text.left += context_.theme.Scale(3);
        DrawTextIn(dc, box_.Text(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                   context_.theme.Normal(),
                   !enabled               ? colours::kDisabledText
                   : focused              ? colours::kWhite
                   : box_.ItemIndex() < 0 ? RGB(150, 150, 150)
                                          : colours::kSilver);
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillSolid(dc, item.rcItem, selected ? colours::kHighlight : colours::kField);
    if (item.itemID < box_.Items().size()) {
        RECT text = item.rcItem;
        text.left += context_.theme.Scale(4);
        DrawTextIn(dc, box_.Items()[item.itemID], text,
                   DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, context_.theme.Normal(),
                   selected ? colours::kWhite : colours::kSilver);
    }
}

void ComboBoxView::PaintWhole(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const bool enabled = ::IsWindowEnabled(hwnd()) != FALSE;
    const bool dropped = ::SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0) != 0;
    const Theme& theme = context_.theme;
    FillSolid(dc, client, enabled ? colours::kField : colours::kFieldDisabled);
    const COLORREF border = !enabled             ? RGB(44, 50, 60)
                            : (Hot() || dropped) ? colours::kHot
                                                 : colours::kFrame;
    FrameSolid(dc, client, border);
    // The drop button: a separated cell with a small arrow.
    const int button = theme.Scale(17);
    RECT cell{client.right - button, client.top + 1, client.right - 1, client.bottom - 1};
    FillSolid(dc, cell,
              enabled ? (Hot() ? colours::kButtonFaceHot : colours::kButtonFace)
                      : colours::kFieldDisabled);
    FillSolid(dc, RECT{cell.left, cell.top, cell.left + 1, cell.bottom}, border);
    PixelCanvas arrow(cell.right - cell.left, cell.bottom - cell.top);
    const double cx = arrow.Width() / 2.0;
    const double cy = arrow.Height() / 2.0 + 0.5;
    const double a = theme.Scale(4);
    arrow.Polygon(
        {{cx - a, cy - a / 2}, {cx + a, cy - a / 2}, {cx, cy + a / 2}},
        enabled ? (Hot() ? ToRgb(colours::kHot) : ToRgb(colours::kSilver)) : Rgb{80, 84, 92});
    DrawCanvas(dc, cell.left, cell.top, arrow);
    DRAWITEMSTRUCT field{};
    field.CtlType = ODT_COMBOBOX;
    field.itemID = static_cast<UINT>(box_.ItemIndex());
    field.itemState = ODS_COMBOBOXEDIT | (enabled ? 0 : ODS_DISABLED);
    field.hwndItem = hwnd();
    field.hDC = dc;
    field.rcItem = RECT{client.left + 2, client.top + 2, cell.left - 1, client.bottom - 2};
    OnDrawItem(field);
}

LRESULT ComboBoxView::HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            BufferedClientPaint paint(hwnd());
            PaintWhole(paint.Get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_ENABLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT result = ControlView::HandleSubclassed(message, wParam, lParam);
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return result;
        }
        case WM_CTLCOLORLISTBOX: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, colours::kSilver);
            ::SetBkColor(dc, colours::kField);
            return reinterpret_cast<LRESULT>(context_.theme.BrushOf(colours::kField));
        }
        // The text of the list is the model's: the chosen item or the placeholder.
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(WideFromCp1252(box_.Text()).size());
        case WM_GETTEXT: {
            if (wParam == 0 || lParam == 0) {
                return 0;
            }
            const std::wstring text = WideFromCp1252(box_.Text());
            const size_t count = std::min(text.size(), static_cast<size_t>(wParam) - 1);
            auto* buffer = reinterpret_cast<wchar_t*>(lParam);
            std::copy_n(text.begin(), count, buffer);
            buffer[count] = L'\0';
            return static_cast<LRESULT>(count);
        }
        default:
            return ControlView::HandleSubclassed(message, wParam, lParam);
    }
}

}  // namespace fw::win32
