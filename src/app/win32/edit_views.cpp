// Edit fields: plain, numeric, spin and the read-only memo. Each draws its
// one-pixel frame in the window's colours.
#include <algorithm>
#include <optional>

#include "app/win32/controls_view.h"
#include "app/win32/drawing.h"
#include "app/win32/gdi.h"
#include "app/win32/theme.h"
#include "common/text.h"
#include "platform/clock.h"

namespace fw::win32 {

namespace {

// Lets the control draw its non-client parts (scroll bars), then puts the
// window's frame colour over the border.
LRESULT PaintFieldFrame(HWND field, bool hot, LRESULT defaultResult) {
    const HDC window = ::GetWindowDC(field);
    if (window == nullptr) {
        return defaultResult;
    }
    RECT bounds{};
    ::GetWindowRect(field, &bounds);
    ::OffsetRect(&bounds, -bounds.left, -bounds.top);
    const COLORREF colour = !::IsWindowEnabled(field) ? RGB(44, 50, 60)
                            : ::GetFocus() == field   ? colours::kHighlight
                            : hot                     ? colours::kHot
                                                      : colours::kFrame;
    FrameSolid(window, bounds, colour);
    ::ReleaseDC(field, window);
    return defaultResult;
}

}  // namespace

void RedrawFrame(HWND field) {
    ::RedrawWindow(field, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

namespace {

// Shared by the edit kinds: frame painting and its refresh on focus and
// hover, each after the control's own handling (`runDefault`). Empty for
// every other message, which the caller handles.
template <typename RunDefault>
std::optional<LRESULT> HandleFieldFrame(HWND field, UINT message, bool hot,
                                        RunDefault&& runDefault) {
    switch (message) {
        case WM_NCPAINT:
            return PaintFieldFrame(field, hot, runDefault());
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE: {
            const LRESULT result = runDefault();
            RedrawFrame(field);
            return result;
        }
        default:
            return std::nullopt;
    }
}

HBRUSH FieldColours(HDC dc, HWND field, const Theme& theme, bool readOnly) {
    if (!::IsWindowEnabled(field)) {
        ::SetTextColor(dc, colours::kDisabledText);
        ::SetBkColor(dc, colours::kFieldDisabled);
        return theme.BrushOf(colours::kFieldDisabled);
    }
    if (readOnly) {
        // Paths shown for reading have the system's tool-tip colours.
        ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_INFOBK));
        return ::GetSysColorBrush(COLOR_INFOBK);
    }
    ::SetTextColor(dc, colours::kSilver);
    ::SetBkColor(dc, colours::kField);
    return theme.BrushOf(colours::kField);
}

std::optional<int> WholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoi(text);
}

}  // namespace

// ---------------------------------------------------------------- EditView

EditView::EditView(ViewContext context, Edit& model)
    : ControlView(context, &model, "edit"), edit_(model) {}

void EditView::Create(HWND parent, int id, const RECT& designBounds, bool tabStop) {
    CreateControl(L"EDIT", edit_.Text(),
                  ES_AUTOHSCROLL | WS_BORDER | (edit_.ReadOnly() ? ES_READONLY : 0) |
                      (tabStop ? WS_TABSTOP : 0),
                  0, designBounds, parent, id);
    if (edit_.MaxLength() > 0) {
        ::SendMessageW(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(edit_.MaxLength()), 0);
    }
    Bind();
}

void EditView::Sync() {
    SyncCommon();
    const bool readOnly = (::GetWindowLongPtrW(hwnd(), GWL_STYLE) & ES_READONLY) != 0;
    if (readOnly != edit_.ReadOnly()) {
        ::SendMessageW(hwnd(), EM_SETREADONLY, edit_.ReadOnly(), 0);
    }
    if (!typing_) {
        SetTextQuietly(edit_.Text());
    }
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void EditView::OnCommand(UINT code) {
    if (code == EN_CHANGE && !Quiet()) {
        // The field already shows what was typed; the model only takes it over.
        typing_ = true;
        edit_.SetText(WindowTextOf());
        typing_ = false;
    } else if (code == EN_KILLFOCUS && OnExit) {
        OnExit();
    }
}

HBRUSH EditView::OnCtlColor(HDC dc) {
    return FieldColours(dc, hwnd(), context_.theme, edit_.ReadOnly());
}

LRESULT EditView::HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto runDefault = [&] { return ControlView::HandleSubclassed(message, wParam, lParam); };
    if (const auto framed = HandleFieldFrame(hwnd(), message, Hot(), runDefault)) {
        return *framed;
    }
    return runDefault();
}

// ---------------------------------------------------------------- NumericEditView

NumericEditView::NumericEditView(ViewContext context, NumericEdit& model, Locale& locale)
    : ControlView(context, &model, "frame number"), edit_(model), locale_(locale) {}

void NumericEditView::Create(HWND parent, int id, const RECT& designBounds) {
    // Digits only: letters are refused as they are typed.
    CreateControl(L"EDIT", edit_.Text(), ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0,
                  designBounds, parent, id);
    Bind();
}

void NumericEditView::Sync() {
    SyncCommon();
    if (!typing_) {
        SetTextQuietly(edit_.Text());
    }
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void NumericEditView::OnCommand(UINT code) {
    if (code == EN_CHANGE && !Quiet()) {
        typing_ = true;
        edit_.SetText(WindowTextOf(), locale_.ThousandsMark());
        typing_ = false;
    } else if (code == EN_KILLFOCUS) {
        // Leaving the field checks the range and shows the number grouped.
        edit_.Commit(locale_.ThousandsMark());
    }
}

HBRUSH NumericEditView::OnCtlColor(HDC dc) {
    return FieldColours(dc, hwnd(), context_.theme, false);
}

LRESULT NumericEditView::HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto runDefault = [&] { return ControlView::HandleSubclassed(message, wParam, lParam); };
    if (const auto framed = HandleFieldFrame(hwnd(), message, Hot(), runDefault)) {
        return *framed;
    }
    const LRESULT result = runDefault();
    if (message == WM_KEYUP && OnKeyUp) {
        OnKeyUp();
    }
    return result;
}

// ---------------------------------------------------------------- SpinEditView

// The up-down arrows beside the number, drawn dark like the rest.
class SpinEditView::Arrows : public SubclassedControl {
public:
    Arrows(const Theme& theme, HWND control) : theme_(theme) { Attach(control); }

protected:
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_PAINT: {
                BufferedClientPaint paint(hwnd());
                Paint(paint.Get(), paint.Client());
                return 0;
            }
            case WM_ERASEBKGND:
                return 1;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_ENABLE: {
                const LRESULT result = Default(message, wParam, lParam);
                ::InvalidateRect(hwnd(), nullptr, FALSE);
                return result;
            }
            default:
                return Default(message, wParam, lParam);
        }
    }
    std::string Describe() const override { return "the run count arrows"; }

private:
    void Paint(HDC dc, const RECT& client) {
        const bool enabled = ::IsWindowEnabled(hwnd()) != FALSE;
        POINT cursor{};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(hwnd(), &cursor);
        const bool pressed = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0 &&
                             ::PtInRect(&client, cursor) && ::GetCapture() == hwnd();
        const int middle = (client.top + client.bottom) / 2;
        for (int half = 0; half < 2; ++half) {
            RECT cell{client.left, half == 0 ? client.top : middle, client.right,
                      half == 0 ? middle : client.bottom};
            const bool down = pressed && ((half == 0) == (cursor.y < middle));
            FillSolid(dc, cell, down ? colours::kFrame : colours::kButtonFace);
            FrameSolid(dc, cell, enabled ? colours::kFrame : RGB(44, 50, 60));
            PixelCanvas arrow(cell.right - cell.left, cell.bottom - cell.top);
            const double cx = arrow.Width() / 2.0;
            const double cy = arrow.Height() / 2.0;
            const double a = theme_.Scale(3);
            const Rgb colour = enabled ? ToRgb(colours::kSilver) : Rgb{80, 84, 92};
            if (half == 0) {
                arrow.Polygon({{cx - a, cy + a / 2}, {cx + a, cy + a / 2}, {cx, cy - a / 2}},
                              colour);
            } else {
                arrow.Polygon({{cx - a, cy - a / 2}, {cx + a, cy - a / 2}, {cx, cy + a / 2}},
                              colour);
            }
            DrawCanvas(dc, cell.left, cell.top, arrow);
        }
    }

    const Theme& theme_;
};

SpinEditView::SpinEditView(ViewContext context, SpinEdit& model)
    : ControlView(context, &model, "run count"), spin_(model) {}

SpinEditView::~SpinEditView() = default;

void SpinEditView::Create(HWND parent, int id, const RECT& designBounds) {
    CreateControl(L"EDIT", std::to_string(spin_.Value()),
                  ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, designBounds, parent, id);
    ::SendMessageW(hwnd(), EM_LIMITTEXT, 1, 0);
    const HWND arrows = ::CreateWindowExW(0, UPDOWN_CLASSW, nullptr,
                                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | UDS_ALIGNRIGHT |
                                              UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                          0, 0, context_.theme.Scale(16), 0, parent, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr);
    if (arrows != nullptr) {
        ::SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd()), 0);
        ::SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(spin_.Minimum()),
                       static_cast<LPARAM>(spin_.Maximum()));
        arrows_ = std::make_unique<Arrows>(context_.theme, arrows);
    }
    Bind();
}

void SpinEditView::Sync() {
    SyncCommon();
    if (!typing_) {
        SetTextQuietly(std::to_string(spin_.Value()));
    }
    if (arrows_) {
        ::SendMessageW(arrows_->hwnd(), UDM_SETPOS32, 0, spin_.Value());
        ::EnableWindow(arrows_->hwnd(), spin_.Enabled());
    }
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void SpinEditView::OnCommand(UINT code) {
    if (code == EN_CHANGE && !Quiet()) {
        if (auto value = WholeNumber(WindowTextOf())) {
            typing_ = true;
            spin_.SetValue(*value);
            typing_ = false;
            if (arrows_) {
                ::SendMessageW(arrows_->hwnd(), UDM_SETPOS32, 0, spin_.Value());
            }
        }
    } else if (code == EN_KILLFOCUS) {
        // A number outside the range was clamped; show what counts.
        SetTextQuietly(std::to_string(spin_.Value()));
    }
}

HBRUSH SpinEditView::OnCtlColor(HDC dc) {
    return FieldColours(dc, hwnd(), context_.theme, false);
}

LRESULT SpinEditView::HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto runDefault = [&] { return ControlView::HandleSubclassed(message, wParam, lParam); };
    if (const auto framed = HandleFieldFrame(hwnd(), message, Hot(), runDefault)) {
        return *framed;
    }
    return runDefault();
}

// ---------------------------------------------------------------- MemoView

MemoView::MemoView(ViewContext context, Memo& model)
    : ControlView(context, &model, "diagnostic log"), memo_(model) {}

void MemoView::Create(HWND parent, int id, const RECT& designBounds) {
    CreateControl(L"EDIT", "",
                  ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL |
                      WS_HSCROLL | WS_BORDER | WS_TABSTOP,
                  0, designBounds, parent, id);
    ::SendMessageW(hwnd(), EM_LIMITTEXT, 0, 0);
    Bind();
}

void MemoView::Sync() {
    SyncCommon();
    std::string text;
    for (const std::string& line : memo_.Lines()) {
        text += line;
        text += "\r\n";
    }
    SetTextQuietly(text);
    // The newest lines of the trace are the ones to see.
    const auto length = ::GetWindowTextLengthW(hwnd());
    ::SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(length), length);
    ::SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
}

HBRUSH MemoView::OnCtlColor(HDC dc) {
    ::SetTextColor(dc, colours::kSilver);
    ::SetBkColor(dc, RGB(12, 14, 18));
    return context_.theme.BrushOf(RGB(12, 14, 18));
}

}  // namespace fw::win32
