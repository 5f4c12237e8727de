#include "app/win32/controls_view.h"

#include "app/win32/drawing.h"
#include "app/win32/gdi.h"
#include "app/win32/panel.h"
#include "app/win32/theme.h"
#include "app/win32/tooltips.h"
#include "common/text.h"

namespace fw::win32 {

void GroupLeaveWatch::PartLeft() const {
    POINT cursor{};
    RECT bounds{};
    if (!::GetCursorPos(&cursor) || !::GetWindowRect(group_, &bounds)) {
        return;
    }
    if (!::PtInRect(&bounds, cursor) && onLeave_) {
        onLeave_();
    }
}

ControlView::ControlView(ViewContext context, Control* model, std::string name)
    : context_(context), model_(model), name_(std::move(name)) {}

ControlView::~ControlView() {
    if (model_ != nullptr) {
        model_->OnViewSync = nullptr;
    }
}

ControlView* ControlView::FromHandle(HWND control) {
    return dynamic_cast<ControlView*>(SubclassedControl::FromHandle(control));
}

void ControlView::CreateControl(const wchar_t* className, const std::string& text, DWORD style,
                                DWORD exStyle, const RECT& designBounds, HWND parent, int id) {
    const RECT bounds = context_.theme.Scale(designBounds);
    const HWND control = ::CreateWindowExW(
        exStyle, className, WideFromCp1252(text).c_str(),
        style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    Attach(control);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(context_.theme.Normal()), FALSE);
}

void ControlView::Bind() {
    if (model_ != nullptr) {
        model_->OnViewSync = [this] { Sync(); };
    }
    Sync();
}

std::string ControlView::Describe() const {
    return "the control \"" + name_ + "\"";
}

void ControlView::SyncCommon() {
    if (model_ == nullptr || hwnd() == nullptr) {
        return;
    }
    const bool enabled = model_->Enabled();
    if ((::IsWindowEnabled(hwnd()) != FALSE) != enabled) {
        ::EnableWindow(hwnd(), enabled);
    }
    const bool visible = (::GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != model_->Visible()) {
        ::ShowWindow(hwnd(), model_->Visible() ? SW_SHOWNA : SW_HIDE);
    }
    if (model_->Hint() != appliedHint_) {
        appliedHint_ = model_->Hint();
        context_.tips.SetHint(hwnd(), appliedHint_);
    }
}

void ControlView::SetTextQuietly(const std::string& text) {
    if (WindowTextOf() == text) {
        return;
    }
    quiet_ = true;
    ::SetWindowTextW(hwnd(), WideFromCp1252(text).c_str());
    quiet_ = false;
}

std::string ControlView::WindowTextOf() const {
    const int length = ::GetWindowTextLengthW(hwnd());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd(), text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return Cp1252FromWide(text);
}

HBRUSH ControlView::OnCtlColor(HDC dc) {
    const COLORREF background = Panel::BackgroundOf(::GetParent(hwnd()));
    ::SetTextColor(dc, colours::kSilver);
    ::SetBkColor(dc, background);
    return context_.theme.BrushOf(background);
}

LRESULT ControlView::HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
                tracking_ = ::TrackMouseEvent(&track) != FALSE;
            }
            if (!hot_) {
                hot_ = true;
                OnHotChanged();
            }
            break;
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (hot_) {
                hot_ = false;
                OnHotChanged();
            }
            if (onMouseLeave_) {
                onMouseLeave_();
            }
            if (watch_ != nullptr) {
                watch_->PartLeft();
            }
            break;
        case WM_SETCURSOR:
            if (hand_ && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

bool RouteToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                if (ControlView* view = ControlView::FromHandle(reinterpret_cast<HWND>(lParam))) {
                    view->OnCommand(HIWORD(wParam));
                    result = 0;
                    return true;
                }
            }
            break;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            // Controls without an id have wParam 0 too; only menus are not ours.
            if (item != nullptr && item->CtlType != ODT_MENU) {
                if (ControlView* view = ControlView::FromHandle(item->hwndItem)) {
                    view->OnDrawItem(*item);
                    result = TRUE;
                    return true;
                }
            }
            break;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (ControlView* view = ControlView::FromHandle(reinterpret_cast<HWND>(lParam))) {
                if (HBRUSH brush = view->OnCtlColor(reinterpret_cast<HDC>(wParam))) {
                    result = reinterpret_cast<LRESULT>(brush);
                    return true;
                }
            }
            break;
        default:
            break;
    }
    return false;
}

// ---------------------------------------------------------------- ButtonView

ButtonView::ButtonView(ViewContext context, Control* model, std::string text, ButtonPainter painter,
                       std::function<void()> onClick)
    : ControlView(context, model, text),
      text_(std::move(text)),
      painter_(std::move(painter)),
      onClick_(std::move(onClick)) {}

void ButtonView::Create(HWND parent, int id, const RECT& designBounds, bool tabStop) {
    CreateControl(L"BUTTON", text_, BS_OWNERDRAW | (tabStop ? WS_TABSTOP : 0), 0, designBounds,
                  parent, id);
    Bind();
}

void ButtonView::Sync() {
    SyncCommon();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ButtonView::OnCommand(UINT code) {
    if (code == BN_CLICKED && onClick_) {
        onClick_();
    }
}

bool ShowsFocusCue(HWND control, UINT itemState) {
    const auto uiState = static_cast<UINT>(::SendMessageW(control, WM_QUERYUISTATE, 0, 0));
    return (itemState & ODS_FOCUS) != 0 && (itemState & ODS_NOFOCUSRECT) == 0 &&
           (uiState & UISF_HIDEFOCUS) == 0;
}

void ButtonView::OnDrawItem(const DRAWITEMSTRUCT& item) {
    ButtonLook look;
    look.hot = Hot();
    look.pressed = (item.itemState & ODS_SELECTED) != 0;
    look.focused = ShowsFocusCue(hwnd(), item.itemState);
    look.enabled = (item.itemState & ODS_DISABLED) == 0;
    look.checked = current_ && current_();
    BufferedDraw buffer(item.hDC, item.rcItem);
    PaintParentBackground(hwnd(), buffer.Get());
    if (painter_) {
        painter_(buffer.Get(), item.rcItem, look, text_);
    }
}

// ---------------------------------------------------------------- LabelView

LabelView::LabelView(ViewContext context, Label* model, std::string text, LabelStyle style)
    : ControlView(context, model, text), label_(model), text_(std::move(text)), style_(style) {}

void LabelView::Create(HWND parent, int id, const RECT& designBounds) {
    CreateControl(L"STATIC", label_ != nullptr ? label_->Caption() : text_, SS_OWNERDRAW, 0,
                  designBounds, parent, id);
    Bind();
}

HFONT LabelView::CurrentFont() const {
    if (label_ != nullptr && label_->FontSize() != 8) {
        return context_.theme.OfPointSize(label_->FontSize());
    }
    return style_.font != nullptr ? style_.font : context_.theme.Normal();
}

void LabelView::Sync() {
    if (label_ != nullptr) {
        SyncCommon();
        SetTextQuietly(label_->Caption());
        if (style_.followsModelLeft && label_->Left() != 0) {
            RECT bounds{};
            ::GetWindowRect(hwnd(), &bounds);
            ::MapWindowPoints(nullptr, ::GetParent(hwnd()), reinterpret_cast<POINT*>(&bounds), 2);
            RECT parent{};
            ::GetClientRect(::GetParent(hwnd()), &parent);
            const int left = context_.theme.Scale(label_->Left());
            ::SetWindowPos(hwnd(), nullptr, left, bounds.top, std::max(0L, parent.right - left),
                           bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    // A label over a picture leaves the old text behind unless its parent repaints there.
    RECT bounds{};
    ::GetWindowRect(hwnd(), &bounds);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd()), reinterpret_cast<POINT*>(&bounds), 2);
    ::InvalidateRect(::GetParent(hwnd()), &bounds, FALSE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void LabelView::OnDrawItem(const DRAWITEMSTRUCT& item) {
    BufferedDraw buffer(item.hDC, item.rcItem);
    PaintParentBackground(hwnd(), buffer.Get());
    const bool enabled = ::IsWindowEnabled(hwnd()) != FALSE;
    DrawTextIn(buffer.Get(), label_ != nullptr ? label_->Caption() : text_, item.rcItem,
               style_.format | DT_NOPREFIX, CurrentFont(),
               enabled ? style_.colour : colours::kDisabledText);
}

}  // namespace fw::win32
