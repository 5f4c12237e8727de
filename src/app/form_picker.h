#pragma once
// The display mode picker TForm3: a check list of the screen's modes; "Add"
// puts the first ticked mode into the custom width and height.
#include <functional>
#include <string>
#include <vector>

#include "app/form_main.h"

namespace fw {

class TForm3 {
public:
    TForm3(TForm1& main, DisplayModes& modes) : main_(main), modes_(modes) {}

    struct CheckLine {
        std::string text;
        bool checked = false;
    };
    // RzCheckList1: rebuilt at every activation.
    std::vector<CheckLine> RzCheckList1;
    // Set by the view: closes the modal window.
    std::function<void()> Close;
    // Set by the view: mirrors the check list into the real list.
    std::function<void()> OnViewSync;

    void FormActivate();
    void FormDeactivate();
    void RzButton1Click();
    void RzToolButton1Click();
    void SetLineChecked(int line, bool checked);

private:
    TForm1& main_;
    DisplayModes& modes_;
    std::vector<std::string> list_;  // exists between activation and deactivation
    int remembered_ = 0;
};

}  // namespace fw
