#include "app/form_picker.h"

#include <algorithm>

#include "app/display_mode_list.h"

namespace fw {

void TForm3::FormActivate() {
    RzCheckList1.clear();
    list_ = ListDisplayModes(modes_);
    remembered_ = static_cast<int>(list_.size());
    for (const auto& mode : list_) {
        RzCheckList1.push_back({mode, false});
    }
    if (OnViewSync) {
        OnViewSync();
    }
}

void TForm3::FormDeactivate() {
    list_.clear();
}

void TForm3::SetLineChecked(int line, bool checked) {
    if (line >= 0 && line < static_cast<int>(RzCheckList1.size())) {
        RzCheckList1[line].checked = checked;
    }
}

void TForm3::RzButton1Click() {
    const int lines = std::min(remembered_, static_cast<int>(RzCheckList1.size()));
    for (int i = 0; i < lines; ++i) {
        if (!RzCheckList1[i].checked) {
            continue;
        }
        const std::string& line = RzCheckList1[i].text;
        const auto x = line.find('x');
        if (x != std::string::npos) {
            std::string width = line.substr(0, x > 0 ? x - 1 : 0);
            std::string height = x + 2 <= line.size() ? line.substr(x + 2) : std::string();
            main_.CusWidth.SetText(width);
            main_.CusHeight.SetText(height);
            main_.Store.Open();
            main_.Store.WriteValue("CusW", width);
            main_.Store.WriteValue("CusH", height);
        }
        break;
    }
    if (Close) {
        Close();
    }
}

void TForm3::RzToolButton1Click() {
    if (Close) {
        Close();
    }
}

}  // namespace fw
