#pragma once
// The main window TForm1: a borderless black window with the start panel, the
// group bar, the option pages and the run button. It only mirrors the form
// model and passes the user's actions to it.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_host.h"
#include "app/win32/controls_view.h"
#include "app/win32/gdi.h"
#include "app/win32/panel.h"
#include "app/win32/progress_ring.h"
#include "app/win32/tooltips.h"
#include "app/win32/window_class.h"

namespace fw {
class TForm1;
class Locale;
}  // namespace fw

namespace fw::win32 {

class Theme;
class PickerWindow;
class SplashWindow;
class NewsWindow;

// Window class and title of the main window, by which a second copy of the
// program finds the first.
inline constexpr wchar_t kMainWindowClass[] = L"FramewrightMain";
inline constexpr wchar_t kMainWindowTitle[] = L"Framewright";

class MainWindow : public Window, public MainWindowHost {
public:
    explicit MainWindow(const Theme& theme);
    ~MainWindow() override;

    // Creates the window, hidden; its controls, bound to `form`, come while
    // the splash shows (or after the form's creation event at the latest).
    void Create(TForm1& form, Locale& locale);
    // The form's creation event, before the window is shown. An error it
    // raises is reported; the window opens all the same.
    void RunFormCreate();
    void AttachPicker(PickerWindow& picker) { picker_ = &picker; }
    // Centred on the desktop.
    void Show(int showCommand);

    // MainWindowHost
    void ShowSplash() override;
    void PrepareWhileSplashShows() override;
    void HideSplash() override;
    void Minimize() override;
    void EndProgram() override;
    void BeginWindowDrag() override;
    void ShowPickerModal() override;
    void Repaint() override;
    WindowBounds NormalBounds() override;
    void SetNormalBounds(const WindowBounds& bounds) override;
    void ShowNews() override;

    static void RegisterClass();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override { return "the main window"; }

private:
    ViewContext Context() { return ViewContext{theme_, tips_}; }
    template <typename View, typename... Args>
    View& AddView(Args&&... args) {
        auto view = std::make_unique<View>(std::forward<Args>(args)...);
        View& added = *view;
        views_.push_back(std::move(view));
        return added;
    }
    Panel& AddPanel(std::string name);
    // A fixed caption (not a model label).
    LabelView& AddCaption(HWND parent, const RECT& design, const std::string& text,
                          LabelStyle style = {});
    // A group frame; `headingWidth` leaves room in its top edge for a heading control.
    Panel& AddGroup(HWND parent, int id, const RECT& design, const std::string& caption,
                    int headingWidth = 0);

    // How wide a text is, in design pixels, so that layouts built from design
    // units keep whole texts whatever face the system gives.
    int TextWidth(const std::string& text, HFONT font = nullptr) const;
    // A check box with its caption.
    int CheckWidth(const std::string& caption) const { return TextWidth(caption) + 13 + 6 + 6; }

    // Every control and picture of the window, once.
    void BuildContent();
    // Built in this order, back to front.
    void BuildFrame();
    void BuildGroupBar();
    void BuildPageControl();
    void BuildPathPage(HWND page);
    void BuildResolutionPage(HWND page);
    void BuildGpuFiltersPage(HWND page);
    void BuildCpuFiltersPage(HWND page);
    void BuildCustomizationPage(HWND page);
    void BuildDebugPage(HWND page);
    void BuildRunsGroup(HWND page, int top, SpinEdit& spin, int spinId, CheckBox* skipFirst);
    void BuildProgressPanel();
    void BuildStartPanel();
    void BindFormPanels();

    void CentreOnDesktop();
    void SyncStartPanel();
    void SyncPages();
    void SyncDebugItem();
    void LayoutGroupBar();
    void LayoutPages();
    void PaintBackground(HDC dc);

    const Theme& theme_;
    Tooltips tips_;
    TForm1* form_ = nullptr;
    Locale* locale_ = nullptr;
    PickerWindow* picker_ = nullptr;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<NewsWindow> news_;  // made on first showing, kept after closing
    Bitmap background_;
    SIZE clientSize_{};
    bool contentBuilt_ = false;
    bool ending_ = false;

    // Panels first: views are destroyed before the windows they sit on.
    std::vector<std::unique_ptr<Panel>> panels_;
    std::vector<std::unique_ptr<ControlView>> views_;
    std::vector<std::unique_ptr<RadioGroupView>> radioGroups_;
    std::unique_ptr<CheckGroupView> resolutions_;
    std::unique_ptr<ProgressRing> ring_;

    Panel* groupBar_ = nullptr;
    Panel* pageControl_ = nullptr;
    Panel* image2_ = nullptr;
    Panel* panel1_ = nullptr;
    Panel* panel2_ = nullptr;
    Panel* panelsh_ = nullptr;
    std::array<Panel*, 6> pages_{};
    // Group bar: the items of both groups and where each group's caption sits.
    std::vector<ButtonView*> benchmarkItems_;
    std::vector<ButtonView*> otherItems_;
    int otherCaptionTop_ = 0;
    ButtonView* debugTab_ = nullptr;
};

}  // namespace fw::win32
