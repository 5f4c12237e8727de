#pragma once
// Window controls as plain values. Setting a control's state fires its event
// exactly as a user change does, when the state really changes; the view
// mirrors every change into the real window through `OnViewSync`.
#include <functional>
#include <string>
#include <vector>

namespace fw {

class Control {
public:
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint);
    // Set by the view; called after every change of the control's state.
    std::function<void()> OnViewSync;

protected:
    void SyncView() const;

private:
    bool enabled_ = true;
    bool visible_ = true;
    std::string hint_;
};

class Label : public Control {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    int Left() const { return left_; }
    void SetLeft(int left);
    int FontSize() const { return fontSize_; }
    void SetFontSize(int size);

private:
    std::string caption_;
    int left_ = 0;
    int fontSize_ = 8;
};

class Button : public Control {
public:
    std::function<void()> OnClick;
    // A press by the user: nothing happens while the button is disabled.
    void Press();
};

class CheckBox : public Control {
public:
    explicit CheckBox(std::string caption = {}) : caption_(std::move(caption)) {}
    const std::string& Caption() const { return caption_; }
    bool Checked() const { return checked_; }
    // Fires OnClick when the tick changes, whoever changes it.
    void SetChecked(bool checked);
    // A click by the user; a read-only box ignores it.
    void UserToggle();
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    std::function<void()> OnClick;

private:
    std::string caption_;
    bool checked_ = false;
    bool readOnly_ = false;
};

// A group of radio items with a changing event that runs once the new item
// is already marked.
class RadioGroup : public Control {
public:
    RadioGroup(std::string caption, std::vector<std::string> items)
        : caption_(std::move(caption)), items_(std::move(items)) {}
    const std::string& Caption() const { return caption_; }
    const std::vector<std::string>& Items() const { return items_; }
    int ItemIndex() const { return index_; }
    void SetItemIndex(int index);
    std::function<void()> OnChanging;

private:
    std::string caption_;
    std::vector<std::string> items_;
    int index_ = -1;
};

// The resolution check group: one tick per row, rows can be disabled.
class CheckGroup : public Control {
public:
    CheckGroup(std::string caption, std::vector<std::string> items);
    const std::string& Caption() const { return caption_; }
    const std::vector<std::string>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    bool ItemChecked(int row) const { return checked_.at(row); }
    void SetItemChecked(int row, bool checked);
    bool ItemEnabled(int row) const { return itemEnabled_.at(row) != 0; }
    void SetItemEnabled(int row, bool enabled);

private:
    std::string caption_;
    std::vector<std::string> items_;
    std::vector<char> checked_;
    std::vector<char> itemEnabled_;
};

class ComboBox : public Control {
public:
    ComboBox(std::vector<std::string> items, std::string placeholder = {})
        : items_(std::move(items)), placeholder_(std::move(placeholder)) {}
    const std::vector<std::string>& Items() const { return items_; }
    int ItemIndex() const { return index_; }
    // Fires OnChange when the selection changes.
    void SetItemIndex(int index);
    // The text shown: the selected item, or the placeholder.
    std::string Text() const;
    void DeleteItem(int index);
    std::function<void()> OnChange;

private:
    std::vector<std::string> items_;
    std::string placeholder_;
    int index_ = -1;
};

class SpinEdit : public Control {
public:
    SpinEdit(int minimum, int maximum, int value) : min_(minimum), max_(maximum), value_(value) {}
    int Minimum() const { return min_; }
    int Maximum() const { return max_; }
    int Value() const { return value_; }
    // Values outside the range are clamped, as the spin edit does.
    void SetValue(int value);
    std::function<void()> OnChange;

private:
    int min_;
    int max_;
    int value_;
};

class Edit : public Control {
public:
    explicit Edit(int maxLength = 0) : maxLength_(maxLength) {}
    const std::string& Text() const { return text_; }
    // Fires OnChange when the text changes. The length limit applies to typing
    // only, as in the real edit control.
    void SetText(std::string text);
    // Typing by the user: refused beyond the length limit.
    bool UserType(const std::string& text);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    int MaxLength() const { return maxLength_; }
    std::function<void()> OnChange;

private:
    std::string text_;
    int maxLength_ = 0;
    bool readOnly_ = false;
};

// A numeric edit with a range check and a display format with digit grouping.
class NumericEdit : public Control {
public:
    NumericEdit(double minimum, double maximum, double value)
        : min_(minimum), max_(maximum), value_(value) {}
    double Minimum() const { return min_; }
    double Maximum() const { return max_; }
    void SetMaximum(double maximum);
    double Value() const { return value_; }
    // The text as shown in the field.
    const std::string& Text() const { return text_; }
    // Puts a text into the field; digits (and grouping marks) become the value
    // when within the range; other text leaves the value unchanged.
    void SetText(std::string text, char thousandsMark);
    // Leaving the field: the value is range-checked and shown formatted.
    void Commit(char thousandsMark);

private:
    double min_;
    double max_;
    double value_;
    std::string text_ = "1";
};

class Memo : public Control {
public:
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines);

private:
    std::vector<std::string> lines_;
};

}  // namespace fw
