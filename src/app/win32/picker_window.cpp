#include "app/win32/picker_window.h"

#include "app/form_picker.h"
#include "app/win32/control_ids.h"
#include "app/win32/controls_view.h"
#include "app/win32/drawing.h"
#include "app/win32/faces.h"
#include "app/win32/gdi.h"
#include "app/win32/pictures.h"
#include "app/win32/theme.h"
#include "common/text.h"

namespace fw::win32 {

namespace {

constexpr wchar_t kPickerClass[] = L"FramewrightPicker";
constexpr int kWidth = 228;
constexpr int kHeight = 502;
constexpr int kLineHeight = 17;

}  // namespace

// The check list: a list box whose selected lines are the ticked ones, so a
// click on a line ticks or unticks it and the ticks can be read by anyone
// with LB_GETSEL.
class PickerWindow::CheckList : public ControlView {
public:
    CheckList(ViewContext context, TForm3& form)
        : ControlView(context, nullptr, "display mode list"), form_(form) {}

    void Create(HWND parent) {
        CreateControl(L"LISTBOX", "",
                      LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_MULTIPLESEL | LBS_NOTIFY |
                          LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_BORDER,
                      0, RECT{8, 64, 8 + 129, 64 + 433}, parent, ids::kPickerList);
        ::SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, context_.theme.Scale(kLineHeight));
        form_.OnViewSync = [this] { Sync(); };
    }
    ~CheckList() override { form_.OnViewSync = nullptr; }

    void Sync() override {
        ::SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
        for (size_t i = 0; i < form_.RzCheckList1.size(); ++i) {
            const auto& line = form_.RzCheckList1[i];
            ::SendMessageW(hwnd(), LB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(WideFromCp1252(line.text).c_str()));
            if (line.checked) {
                ::SendMessageW(hwnd(), LB_SETSEL, TRUE, static_cast<LPARAM>(i));
            }
        }
        ::SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }

    // The ticks of the list into the model, before it reads them.
    void TakeTicks() {
        for (size_t i = 0; i < form_.RzCheckList1.size(); ++i) {
            const LRESULT selected = ::SendMessageW(hwnd(), LB_GETSEL, static_cast<WPARAM>(i), 0);
            form_.SetLineChecked(static_cast<int>(i), selected > 0);
        }
    }

    void OnCommand(UINT code) override {
        if (code == LBN_SELCHANGE) {
            TakeTicks();
        }
    }

    HBRUSH OnCtlColor(HDC dc) override {
        ::SetTextColor(dc, colours::kSilver);
        ::SetBkColor(dc, colours::kField);
        return context_.theme.BrushOf(colours::kField);
    }

    void OnDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.itemID == static_cast<UINT>(-1)) {
            FillSolid(item.hDC, item.rcItem, colours::kField);
            return;
        }
        BufferedDraw buffer(item.hDC, item.rcItem);
        const HDC dc = buffer.Get();
        const bool ticked = (item.itemState & ODS_SELECTED) != 0;
        FillSolid(dc, item.rcItem, ticked ? RGB(16, 40, 20) : colours::kField);
        const int box = context_.theme.Scale(11);
        ButtonLook look;
        look.checked = ticked;
        PaintCheckBox(dc, item.rcItem.left + context_.theme.Scale(3),
                      item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - box) / 2, box, look,
                      false);
        RECT text = item.rcItem;
        text.left += context_.theme.Scale(3) + box + context_.theme.Scale(5);
        const std::string line = item.itemID < form_.RzCheckList1.size()
                                     ? form_.RzCheckList1[item.itemID].text
                                     : std::string();
        DrawTextIn(dc, line, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                   context_.theme.Normal(), ticked ? colours::kWhite : colours::kSilver);
        if ((item.itemState & ODS_FOCUS) != 0) {
            FrameSolid(dc, item.rcItem, colours::kFrame);
        }
    }

protected:
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == LB_SETCURSEL) {
            // A list of ticks has no single selection; choosing a line ticks it.
            const auto line = static_cast<int>(wParam);
            if (line < 0 || line >= static_cast<int>(form_.RzCheckList1.size())) {
                return LB_ERR;
            }
            Default(LB_SETSEL, TRUE, line);
            Default(LB_SETCARETINDEX, wParam, FALSE);
            return line;
        }
        return ControlView::HandleSubclassed(message, wParam, lParam);
    }

private:
    TForm3& form_;
};

PickerWindow::PickerWindow(const Theme& theme, TForm3& form) : theme_(theme), form_(form) {}

PickerWindow::~PickerWindow() {
    form_.Close = nullptr;
}

void PickerWindow::RegisterClass() {
    Window::RegisterClass(kPickerClass, ::LoadCursorW(nullptr, IDC_ARROW));
}

void PickerWindow::Create(HWND owner) {
    const RECT bounds{0, 0, theme_.Scale(kWidth), theme_.Scale(kHeight)};
    CreateOfClass(kPickerClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT,
                  WS_POPUP | WS_CLIPCHILDREN, L"Display modes", bounds, owner, 0);
    tips_.Create(hwnd());
    const ViewContext context{theme_, tips_};
    list_ = std::make_unique<CheckList>(context, form_);
    list_->Create(hwnd());
    close_ = std::make_unique<ButtonView>(context, nullptr, "", FlatFace(theme_, Glyph::Close),
                                          [this] { form_.RzToolButton1Click(); });
    close_->Create(hwnd(), ids::kPickerClose, RECT{200, 8, 220, 28});
    tips_.SetHint(close_->hwnd(), "Hide the Batch Benchmark window");
    add_ = std::make_unique<ButtonView>(context, nullptr, "Add", PushFace(theme_), [this] {
        list_->TakeTicks();
        form_.RzButton1Click();
    });
    add_->Create(hwnd(), ids::kPickerAdd, RECT{144, 112, 144 + 76, 112 + 25});
    form_.Close = [this] { open_ = false; };
}

void PickerWindow::ShowModal() {
    if (open_ || hwnd() == nullptr) {
        return;
    }
    const HWND owner = ::GetWindow(hwnd(), GW_OWNER);
    RECT ownerBounds{};
    RECT bounds{};
    ::GetWindowRect(owner, &ownerBounds);
    ::GetWindowRect(hwnd(), &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    ::SetWindowPos(hwnd(), HWND_TOPMOST,
                   ownerBounds.left + (ownerBounds.right - ownerBounds.left - width) / 2,
                   ownerBounds.top + (ownerBounds.bottom - ownerBounds.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE);

    open_ = true;
    ::EnableWindow(owner, FALSE);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    MSG message{};
    while (open_) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: leave the request for the main loop.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        if (!::IsDialogMessageW(hwnd(), &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    open_ = false;
    // The owner first, so that activation goes back to it and not to another program.
    ::EnableWindow(owner, TRUE);
    ::ShowWindow(hwnd(), SW_HIDE);
    ::SetActiveWindow(owner);
}

void PickerWindow::PaintBackground(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    background_.Paint(dc, SIZE{client.right, client.bottom}, [this](HDC target, const RECT& area) {
        PaintPickerBackground(target, area, theme_);
    });
}

LRESULT PickerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT routed = 0;
    if (RouteToControl(message, wParam, lParam, routed)) {
        return routed;
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            BufferedClientPaint paint(hwnd());
            PaintBackground(paint.Get());
            return 0;
        }
        case WM_PRINTCLIENT: {
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                form_.FormDeactivate();
            } else {
                form_.FormActivate();
            }
            return 0;
        case WM_CLOSE:
            form_.RzToolButton1Click();
            return 0;
        case WM_COMMAND:
            // Enter and Escape of the dialog keys: Escape hides, as the close button does.
            if (LOWORD(wParam) == IDCANCEL) {
                form_.RzToolButton1Click();
            }
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace fw::win32
