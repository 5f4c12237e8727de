#pragma once
// The display mode picker TForm3: a check list of the screen's modes, shown
// modally over the main window.
#include <windows.h>

#include <memory>
#include <string>

#include "app/win32/drawing.h"
#include "app/win32/tooltips.h"
#include "app/win32/window_class.h"

namespace fw {
class TForm3;
}

namespace fw::win32 {

class Theme;
class ButtonView;

class PickerWindow : public Window {
public:
    PickerWindow(const Theme& theme, TForm3& form);
    ~PickerWindow() override;

    // Created hidden, owned by the main window.
    void Create(HWND owner);
    // Centred on the owner, which stays disabled until the picker closes.
    void ShowModal();

    static void RegisterClass();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override { return "the display mode picker"; }

private:
    class CheckList;
    void PaintBackground(HDC dc);

    const Theme& theme_;
    TForm3& form_;
    Tooltips tips_;
    std::unique_ptr<CheckList> list_;
    std::unique_ptr<ButtonView> close_;
    std::unique_ptr<ButtonView> add_;
    CachedPicture background_;
    bool open_ = false;
};

}  // namespace fw::win32
