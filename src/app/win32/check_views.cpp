// Check boxes, radio groups and the check group: owner-drawn so that they read
// on black, while answering the standard button queries from the model.
#include <algorithm>

#include "app/dpi_scale.h"
#include "app/win32/controls_view.h"
#include "app/win32/drawing.h"
#include "app/win32/faces.h"
#include "app/win32/gdi.h"
#include "app/win32/theme.h"

namespace fw::win32 {

namespace {

ButtonLook LookOf(HWND control, const DRAWITEMSTRUCT& item, bool hot, bool checked) {
    ButtonLook look;
    look.hot = hot;
    look.pressed = (item.itemState & ODS_SELECTED) != 0;
    look.focused = ShowsFocusCue(control, item.itemState);
    look.enabled = (item.itemState & ODS_DISABLED) == 0;
    look.checked = checked;
    return look;
}

// A double click on an owner-drawn button arrives as BN_DOUBLECLICKED; for a
// box that is a second click.
bool IsClick(UINT code) {
    return code == BN_CLICKED || code == BN_DOUBLECLICKED;
}

}  // namespace

// ---------------------------------------------------------------- CheckBoxView

CheckBoxView::CheckBoxView(ViewContext context, CheckBox& model)
    : ControlView(context, &model, model.Caption()), box_(model) {}

void CheckBoxView::Create(HWND parent, int id, const RECT& designBounds) {
    CreateControl(L"BUTTON", box_.Caption(), BS_OWNERDRAW | WS_TABSTOP, 0, designBounds, parent,
                  id);
    Bind();
}

void CheckBoxView::Sync() {
    SyncCommon();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CheckBoxView::OnCommand(UINT code) {
    if (IsClick(code)) {
        box_.UserToggle();
    }
}

void CheckBoxView::OnDrawItem(const DRAWITEMSTRUCT& item) {
    BufferedDraw buffer(item.hDC, item.rcItem);
    PaintParentBackground(hwnd(), buffer.Get());
    PaintCheckItem(buffer.Get(), item.rcItem, LookOf(hwnd(), item, Hot(), box_.Checked()),
                   box_.Caption(), context_.theme, false);
}

LRESULT CheckBoxView::HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case BM_GETCHECK:
            return box_.Checked() ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            if ((wParam == BST_CHECKED) != box_.Checked()) {
                box_.UserToggle();
            }
            return 0;
        default:
            return ControlView::HandleSubclassed(message, wParam, lParam);
    }
}

// ---------------------------------------------------------------- RadioGroupView

class RadioGroupView::Item : public ControlView {
public:
    Item(ViewContext context, RadioGroup& group, int index)
        : ControlView(context, nullptr, group.Items()[index]), group_(group), index_(index) {}

    void Create(HWND parent, int id, const RECT& bounds) {
        CreateControl(L"BUTTON", group_.Items()[index_], BS_OWNERDRAW | WS_TABSTOP, 0, bounds,
                      parent, id);
    }
    void Sync() override {
        const bool enabled = group_.Enabled();
        if ((::IsWindowEnabled(hwnd()) != FALSE) != enabled) {
            ::EnableWindow(hwnd(), enabled);
        }
        ::InvalidateRect(hwnd(), nullptr, FALSE);
    }
    void OnCommand(UINT code) override {
        if (IsClick(code)) {
            group_.SetItemIndex(index_);
        }
    }
    void OnDrawItem(const DRAWITEMSTRUCT& item) override {
        BufferedDraw buffer(item.hDC, item.rcItem);
        PaintParentBackground(hwnd(), buffer.Get());
        PaintCheckItem(buffer.Get(), item.rcItem,
                       LookOf(hwnd(), item, Hot(), group_.ItemIndex() == index_),
                       group_.Items()[index_], context_.theme, true);
    }
    // Filled in by the group once all items exist.
    std::vector<HWND> siblings;

protected:
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case BM_GETCHECK:
                return group_.ItemIndex() == index_ ? BST_CHECKED : BST_UNCHECKED;
            case BM_SETCHECK:
                if (wParam == BST_CHECKED) {
                    group_.SetItemIndex(index_);
                }
                return 0;
            case WM_GETDLGCODE:
                return ControlView::HandleSubclassed(message, wParam, lParam) | DLGC_WANTARROWS;
            case WM_KEYDOWN:
                if (wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT ||
                    wParam == VK_DOWN) {
                    MoveMark(wParam == VK_LEFT || wParam == VK_UP ? -1 : 1);
                    return 0;
                }
                break;
            default:
                break;
        }
        return ControlView::HandleSubclassed(message, wParam, lParam);
    }
    void OnHotChanged() override { ::InvalidateRect(hwnd(), nullptr, FALSE); }

private:
    // As in a standard radio group, the arrows mark the next item at once.
    void MoveMark(int step) {
        const int count = static_cast<int>(siblings.size());
        const int next = (index_ + step + count) % count;
        ::SetFocus(siblings[next]);
        group_.SetItemIndex(next);
    }

    RadioGroup& group_;
    int index_;
};

RadioGroupView::RadioGroupView(ViewContext context, RadioGroup& model)
    : context_(context), model_(model) {}

RadioGroupView::~RadioGroupView() {
    model_.OnViewSync = nullptr;
}

void RadioGroupView::Create(HWND group, int firstId, int designTop, int columns,
                            const GroupLeaveWatch* watch) {
    RECT client{};
    ::GetClientRect(group, &client);
    const Theme& theme = context_.theme;
    // Worked out in design units, like the rest of the layout.
    const int margin = 8;
    const int inner = MulDiv(client.right, kDesignDpi, theme.Dpi()) - 2 * margin;
    const int count = static_cast<int>(model_.Items().size());
    // What each column needs: its widest text after the box.
    std::vector<int> needed(static_cast<size_t>(columns), 0);
    for (int i = 0; i < count; ++i) {
        const SIZE text = MeasureText(theme.Normal(), model_.Items()[i]);
        const int width = MulDiv(text.cx, kDesignDpi, theme.Dpi()) + 13 + 6 + 6;
        needed[i % columns] = std::max(needed[i % columns], width);
    }
    // Even shares as designed; when a text would not fit its share, every
    // column takes what it needs and the rest is spread between them.
    std::vector<int> widths(static_cast<size_t>(columns), inner / columns);
    int sumNeeded = 0;
    bool fits = true;
    for (int c = 0; c < columns; ++c) {
        sumNeeded += needed[c];
        fits = fits && needed[c] <= inner / columns;
    }
    if (!fits) {
        const int spare = std::max(0, inner - sumNeeded) / std::max(1, columns);
        for (int c = 0; c < columns; ++c) {
            widths[c] = needed[c] + spare;
        }
    }
    const int rowHeight = 18;
    for (int i = 0; i < count; ++i) {
        const int column = i % columns;
        const int row = i / columns;
        int left = margin;
        for (int c = 0; c < column; ++c) {
            left += widths[c];
        }
        auto item = std::make_unique<Item>(context_, model_, i);
        item->Create(group, firstId + i,
                     RECT{left, designTop + row * rowHeight, left + widths[column] - 4,
                          designTop + row * rowHeight + 17});
        item->SetLeaveWatch(watch);
        items_.push_back(std::move(item));
    }
    std::vector<HWND> handles;
    for (const auto& item : items_) {
        handles.push_back(item->hwnd());
    }
    for (auto& item : items_) {
        item->siblings = handles;
    }
    model_.OnViewSync = [this] { Sync(); };
    Sync();
}

void RadioGroupView::Sync() {
    for (auto& item : items_) {
        item->Sync();
    }
}

HWND RadioGroupView::ItemWindow(int index) const {
    return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index]->hwnd() : nullptr;
}

// ---------------------------------------------------------------- CheckGroupView

class CheckGroupView::Row : public ControlView {
public:
    Row(ViewContext context, CheckGroup& group, int row)
        : ControlView(context, nullptr, group.Items()[row]), group_(group), row_(row) {}

    void Create(HWND parent, int id, const RECT& bounds) {
        CreateControl(L"BUTTON", group_.Items()[row_], BS_OWNERDRAW | WS_TABSTOP, 0, bounds, parent,
                      id);
    }
    void Sync() override {
        const bool enabled = group_.Enabled() && group_.ItemEnabled(row_);
        if ((::IsWindowEnabled(hwnd()) != FALSE) != enabled) {
            ::EnableWindow(hwnd(), enabled);
        }
        ::InvalidateRect(hwnd(), nullptr, FALSE);
    }
    void OnCommand(UINT code) override {
        if (IsClick(code) && group_.ItemEnabled(row_)) {
            group_.SetItemChecked(row_, !group_.ItemChecked(row_));
        }
    }
    void OnDrawItem(const DRAWITEMSTRUCT& item) override {
        BufferedDraw buffer(item.hDC, item.rcItem);
        PaintParentBackground(hwnd(), buffer.Get());
        PaintCheckItem(buffer.Get(), item.rcItem,
                       LookOf(hwnd(), item, Hot(), group_.ItemChecked(row_)), group_.Items()[row_],
                       context_.theme, false);
    }

protected:
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case BM_GETCHECK:
                return group_.ItemChecked(row_) ? BST_CHECKED : BST_UNCHECKED;
            case BM_SETCHECK:
                if (group_.ItemEnabled(row_)) {
                    group_.SetItemChecked(row_, wParam == BST_CHECKED);
                }
                return 0;
            default:
                return ControlView::HandleSubclassed(message, wParam, lParam);
        }
    }
    void OnHotChanged() override { ::InvalidateRect(hwnd(), nullptr, FALSE); }

private:
    CheckGroup& group_;
    int row_;
};

CheckGroupView::CheckGroupView(ViewContext context, CheckGroup& model)
    : context_(context), model_(model) {}

CheckGroupView::~CheckGroupView() {
    model_.OnViewSync = nullptr;
}

void CheckGroupView::Create(HWND group, int firstId, const RECT& designArea, int columns,
                            int rowHeight, const GroupLeaveWatch* watch) {
    const int count = model_.Count();
    const int perColumn = (count + columns - 1) / columns;
    const int columnWidth = (designArea.right - designArea.left) / columns;
    for (int i = 0; i < count; ++i) {
        const int left = designArea.left + (i / perColumn) * columnWidth;
        const int top = designArea.top + (i % perColumn) * rowHeight;
        auto row = std::make_unique<Row>(context_, model_, i);
        row->Create(group, firstId + i, RECT{left, top, left + columnWidth - 4, top + 17});
        row->SetLeaveWatch(watch);
        rows_.push_back(std::move(row));
    }
    model_.OnViewSync = [this] { Sync(); };
    Sync();
}

void CheckGroupView::Sync() {
    for (auto& row : rows_) {
        row->Sync();
    }
}

}  // namespace fw::win32
