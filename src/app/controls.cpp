#include "app/controls.h"

#include <algorithm>

#include "common/number_format.h"

namespace fw {

void Control::SetEnabled(bool enabled) {
    if (enabled_ != enabled) {
        enabled_ = enabled;
        SyncView();
    }
}

void Control::SetVisible(bool visible) {
    if (visible_ != visible) {
        visible_ = visible;
        SyncView();
    }
}

void Control::SetHint(std::string hint) {
    if (hint_ != hint) {
        hint_ = std::move(hint);
        SyncView();
    }
}

void Control::SyncView() const {
    if (OnViewSync) {
        OnViewSync();
    }
}

void Label::SetCaption(std::string caption) {
    if (caption_ != caption) {
        caption_ = std::move(caption);
        SyncView();
    }
}

void Label::SetLeft(int left) {
    if (left_ != left) {
        left_ = left;
        SyncView();
    }
}

void Label::SetFontSize(int size) {
    if (fontSize_ != size) {
        fontSize_ = size;
        SyncView();
    }
}

void Button::Press() {
    if (Enabled() && OnClick) {
        OnClick();
    }
}

void CheckBox::SetChecked(bool checked) {
    if (checked_ == checked) {
        return;
    }
    checked_ = checked;
    SyncView();
    if (OnClick) {
        OnClick();
    }
}

void CheckBox::UserToggle() {
    if (Enabled() && !readOnly_) {
        SetChecked(!checked_);
    } else {
        SyncView();  // puts the real box back to the model's tick
    }
}

void RadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()) || index == index_) {
        return;
    }
    index_ = index;
    SyncView();
    if (OnChanging) {
        OnChanging();
    }
}

CheckGroup::CheckGroup(std::string caption, std::vector<std::string> items)
    : caption_(std::move(caption)),
      items_(std::move(items)),
      checked_(items_.size(), 0),
      itemEnabled_(items_.size(), 1) {}

void CheckGroup::SetItemChecked(int row, bool checked) {
    if ((checked_.at(row) != 0) != checked) {
        checked_.at(row) = checked;
        SyncView();
    }
}

void CheckGroup::SetItemEnabled(int row, bool enabled) {
    if ((itemEnabled_.at(row) != 0) != enabled) {
        itemEnabled_.at(row) = enabled;
        SyncView();
    }
}

void ComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()) || index == index_) {
        return;
    }
    index_ = index;
    SyncView();
    if (OnChange) {
        OnChange();
    }
}

std::string ComboBox::Text() const {
    return index_ >= 0 ? items_[index_] : placeholder_;
}

void ComboBox::DeleteItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) {
        return;
    }
    items_.erase(items_.begin() + index);
    if (index_ == index) {
        index_ = -1;
    } else if (index_ > index) {
        --index_;
    }
    SyncView();
}

void SpinEdit::SetValue(int value) {
    value = std::clamp(value, min_, max_);
    if (value == value_) {
        return;
    }
    value_ = value;
    SyncView();
    if (OnChange) {
        OnChange();
    }
}

void Edit::SetText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    SyncView();
    if (OnChange) {
        OnChange();
    }
}

bool Edit::UserType(const std::string& text) {
    if (readOnly_ || !Enabled()) {
        return false;
    }
    if (maxLength_ > 0 && static_cast<int>(text_.size() + text.size()) > maxLength_) {
        SyncView();
        return false;
    }
    SetText(text_ + text);
    return true;
}

void NumericEdit::SetMaximum(double maximum) {
    if (max_ != maximum) {
        max_ = maximum;
        SyncView();
    }
}

void NumericEdit::SetText(std::string text, char thousandsMark) {
    if (auto parsed = ParseGrouped(text, thousandsMark)) {
        value_ = static_cast<double>(*parsed);
        text_ = std::move(text);
    }
    SyncView();
}

void NumericEdit::Commit(char thousandsMark) {
    value_ = std::clamp(value_, min_, max_);
    text_ = FormatGrouped(static_cast<long long>(value_), thousandsMark);
    SyncView();
}

void Memo::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    SyncView();
}

}  // namespace fw
