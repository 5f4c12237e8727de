#pragma once
// Thin views binding one real control to one control of a form model. A user
// action calls the model; a model change updates the control through
// `OnViewSync` without firing the model a second time.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/win32/window_class.h"

namespace fw {
class Locale;
}

namespace fw::win32 {

class Theme;
class Tooltips;

// What every view needs from the window it lives in.
struct ViewContext {
    const Theme& theme;
    Tooltips& tips;
};

// The state an owner-drawn button is painted in.
struct ButtonLook {
    bool hot = false;
    bool pressed = false;
    bool focused = false;
    bool enabled = true;
    bool checked = false;
};
using ButtonPainter =
    std::function<void(HDC dc, const RECT& area, const ButtonLook& look, const std::string& text)>;

// Repaints an edit field's frame, which shows hover and focus.
void RedrawFrame(HWND field);

// A group of controls that counts as left only when the pointer is outside the
// group's whole rectangle, not when it moves from the group onto one of its
// own controls.
class GroupLeaveWatch {
public:
    GroupLeaveWatch(HWND group, std::function<void()> onLeave)
        : group_(group), onLeave_(std::move(onLeave)) {}
    // The group or one of its controls lost the pointer.
    void PartLeft() const;

private:
    HWND group_;
    std::function<void()> onLeave_;
};

class ControlView : public SubclassedControl {
public:
    ~ControlView() override;

    // Notifications the parent hands back to the control that raised them.
    virtual void OnCommand(UINT /*code*/) {}
    virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
    // Colours of a standard control; null leaves them to the system.
    virtual HBRUSH OnCtlColor(HDC dc);
    // Mirrors the model into the control.
    virtual void Sync() = 0;

    void SetLeaveWatch(const GroupLeaveWatch* watch) { watch_ = watch; }
    void SetOnMouseLeave(std::function<void()> onLeave) { onMouseLeave_ = std::move(onLeave); }
    void SetHandCursor(bool hand) { hand_ = hand; }

    static ControlView* FromHandle(HWND control);

protected:
    ControlView(ViewContext context, Control* model, std::string name);

    // Creates the control at its design bounds (96-dpi pixels) and attaches to it.
    void CreateControl(const wchar_t* className, const std::string& text, DWORD style,
                       DWORD exStyle, const RECT& designBounds, HWND parent, int id);
    // Connects the model to this view and shows its current state.
    void Bind();
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;
    // Enabled, visible and hint of the model control.
    void SyncCommon();
    // Sets the window text, without the control reporting it as a user change.
    void SetTextQuietly(const std::string& text);
    std::string WindowTextOf() const;
    bool Hot() const { return hot_; }
    bool Quiet() const { return quiet_; }
    virtual void OnHotChanged() {}

    ViewContext context_;
    Control* model_;
    std::string name_;

private:
    bool hot_ = false;
    bool tracking_ = false;
    bool hand_ = false;
    bool quiet_ = false;
    const GroupLeaveWatch* watch_ = nullptr;
    std::function<void()> onMouseLeave_;
    std::string appliedHint_;
};

// Whether an owner-drawn control should show its keyboard focus now.
bool ShowsFocusCue(HWND control, UINT itemState);

// For parent windows: hands a control's notification, drawing or colour
// request back to the control's view. True when a view handled it.
bool RouteToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// An owner-drawn push button: picture buttons, tool buttons, links, glass
// buttons and the group bar's items.
class ButtonView : public ControlView {
public:
    ButtonView(ViewContext context, Control* model, std::string text, ButtonPainter painter,
               std::function<void()> onClick);
    void Create(HWND parent, int id, const RECT& designBounds, bool tabStop = true);
    void Sync() override;
    void OnCommand(UINT code) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    // Drawn as the current choice while this holds (the group bar's open page).
    void SetCurrentWhen(std::function<bool()> current) { current_ = std::move(current); }

protected:
    void OnHotChanged() override { ::InvalidateRect(hwnd(), nullptr, FALSE); }

private:
    std::function<bool()> current_;
    std::string text_;
    ButtonPainter painter_;
    std::function<void()> onClick_;
};

// Text on the window: a model label or a fixed caption. Drawn over whatever is
// behind it, so it also sits on pictures.
struct LabelStyle {
    HFONT font = nullptr;  // null: the theme's normal face
    COLORREF colour = RGB(192, 192, 192);
    UINT format = DT_LEFT | DT_SINGLELINE | DT_VCENTER;
    // Moves with the model's Left and takes the rest of its parent's width.
    bool followsModelLeft = false;
};

class LabelView : public ControlView {
public:
    LabelView(ViewContext context, Label* model, std::string text, LabelStyle style);
    void Create(HWND parent, int id, const RECT& designBounds);
    void Sync() override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    HFONT CurrentFont() const;

    Label* label_;
    std::string text_;
    LabelStyle style_;
};

// A check box, owner-drawn in the window's colours. It answers BM_GETCHECK
// from the model, and a click or BM_SETCHECK acts as the user's click.
class CheckBoxView : public ControlView {
public:
    CheckBoxView(ViewContext context, CheckBox& model);
    void Create(HWND parent, int id, const RECT& designBounds);
    void Sync() override;
    void OnCommand(UINT code) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHotChanged() override { ::InvalidateRect(hwnd(), nullptr, FALSE); }

private:
    CheckBox& box_;
};

// The items of a radio group: one owner-drawn button per item; the arrow keys
// move the mark as in a standard group.
class RadioGroupView {
public:
    RadioGroupView(ViewContext context, RadioGroup& model);
    ~RadioGroupView();
    RadioGroupView(const RadioGroupView&) = delete;
    RadioGroupView& operator=(const RadioGroupView&) = delete;

    // The items go into `group` in `columns` columns starting at `designTop`,
    // spread evenly over the group's width, each at least as wide as its text.
    void Create(HWND group, int firstId, int designTop, int columns, const GroupLeaveWatch* watch);
    void Sync();
    HWND ItemWindow(int index) const;

private:
    class Item;
    ViewContext context_;
    RadioGroup& model_;
    std::vector<std::unique_ptr<Item>> items_;
};

// The rows of a check group (the resolutions): owner-drawn boxes, each
// answering BM_GETCHECK from its row.
class CheckGroupView {
public:
    CheckGroupView(ViewContext context, CheckGroup& model);
    ~CheckGroupView();
    CheckGroupView(const CheckGroupView&) = delete;
    CheckGroupView& operator=(const CheckGroupView&) = delete;

    // Rows fill `columns` columns column by column, as the group's design does.
    void Create(HWND group, int firstId, const RECT& designArea, int columns, int rowHeight,
                const GroupLeaveWatch* watch);
    void Sync();

private:
    class Row;
    ViewContext context_;
    CheckGroup& model_;
    std::vector<std::unique_ptr<Row>> rows_;
};

// A drop-down list without typing, owner-drawn so that it reads on black and
// shows the model's placeholder ("Choose a level") while nothing is chosen.
class ComboBoxView : public ControlView {
public:
    ComboBoxView(ViewContext context, ComboBox& model);
    void Create(HWND parent, int id, const RECT& designBounds, int designDropHeight);
    void Sync() override;
    void OnCommand(UINT code) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHotChanged() override { ::InvalidateRect(hwnd(), nullptr, FALSE); }

private:
    void PaintWhole(HDC dc);
    void FillItems();

    ComboBox& box_;
    std::vector<std::string> shownItems_;
};

// An edit field: the note, the paths, the custom size.
class EditView : public ControlView {
public:
    EditView(ViewContext context, Edit& model);
    void Create(HWND parent, int id, const RECT& designBounds, bool tabStop = true);
    void Sync() override;
    void OnCommand(UINT code) override;
    HBRUSH OnCtlColor(HDC dc) override;
    // Runs when the field loses the focus.
    std::function<void()> OnExit;

protected:
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHotChanged() override { RedrawFrame(hwnd()); }

private:
    Edit& edit_;
    bool typing_ = false;
};

// The frame number: digits only, shown with digit grouping once the field is left.
class NumericEditView : public ControlView {
public:
    NumericEditView(ViewContext context, NumericEdit& model, Locale& locale);
    void Create(HWND parent, int id, const RECT& designBounds);
    void Sync() override;
    void OnCommand(UINT code) override;
    HBRUSH OnCtlColor(HDC dc) override;
    // Runs at every key release while the field has the focus.
    std::function<void()> OnKeyUp;

protected:
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHotChanged() override { RedrawFrame(hwnd()); }

private:
    NumericEdit& edit_;
    Locale& locale_;
    bool typing_ = false;
};

// A number field with an up-down control beside it.
class SpinEditView : public ControlView {
public:
    SpinEditView(ViewContext context, SpinEdit& model);
    ~SpinEditView() override;
    void Create(HWND parent, int id, const RECT& designBounds);
    void Sync() override;
    void OnCommand(UINT code) override;
    HBRUSH OnCtlColor(HDC dc) override;

protected:
    LRESULT HandleSubclassed(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHotChanged() override { RedrawFrame(hwnd()); }

private:
    class Arrows;
    SpinEdit& spin_;
    std::unique_ptr<Arrows> arrows_;
    bool typing_ = false;
};

// The diagnostic trace: read-only, both scroll bars, no word wrap.
class MemoView : public ControlView {
public:
    MemoView(ViewContext context, Memo& model);
    void Create(HWND parent, int id, const RECT& designBounds);
    void Sync() override;
    HBRUSH OnCtlColor(HDC dc) override;

private:
    Memo& memo_;
};

}  // namespace fw::win32
