#include "app/win32/main_window.h"

#include "app/dpi_scale.h"
#include "app/form_main.h"
#include "app/win32/control_ids.h"
#include "app/win32/drawing.h"
#include "app/win32/error_report.h"
#include "app/win32/news_window.h"
#include "app/win32/picker_window.h"
#include "app/win32/pictures.h"
#include "app/win32/splash_window.h"
#include "app/win32/theme.h"

namespace fw::win32 {

namespace {

constexpr int kClientWidth = 553;
constexpr int kClientHeight = 473;
// Ends the program once the click that asked for it is fully handled.
constexpr UINT kEndProgramMessage = WM_APP + 20;

}  // namespace

MainWindow::MainWindow(const Theme& theme) : theme_(theme) {}

MainWindow::~MainWindow() {
    if (form_ != nullptr) {
        for (Control* control : {&form_->PageControl, &form_->Panel1, &form_->Panel2,
                                 &form_->TabSheet3, &form_->TabSheet5, &form_->DebugItem}) {
            control->OnViewSync = nullptr;
        }
    }
}

void MainWindow::RegisterClass() {
    Window::RegisterClass(kMainWindowClass, ::LoadCursorW(nullptr, IDC_ARROW));
    Panel::RegisterClass();
    ProgressRing::RegisterClass();
    SplashWindow::RegisterClass();
    PickerWindow::RegisterClass();
}

void MainWindow::Create(TForm1& form, Locale& locale) {
    form_ = &form;
    locale_ = &locale;
    clientSize_ = SIZE{theme_.Scale(kClientWidth), theme_.Scale(kClientHeight)};
    // No caption bar; the system menu and minimize box give the task bar
    // button its menu.
    CreateOfClass(kMainWindowClass, WS_EX_CONTROLPARENT | WS_EX_APPWINDOW,
                  WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, kMainWindowTitle,
                  RECT{0, 0, clientSize_.cx, clientSize_.cy}, nullptr, 0);
    // Centred already while hidden: the start-up dialogs centre on it.
    CentreOnDesktop();
    tips_.Create(hwnd());
}

void MainWindow::BuildContent() {
    if (contentBuilt_) {
        return;
    }
    contentBuilt_ = true;
    background_ = MakeMainBackground(clientSize_, theme_);
    BuildFrame();
    BuildGroupBar();
    BuildPageControl();
    BuildProgressPanel();
    BuildStartPanel();
    BindFormPanels();

    // Back to front: the information picture, the pages, the run panel, the start panel.
    ::SetWindowPos(image2_->hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(panel2_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(panel1_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::RunFormCreate() {
    GuardedCall(
        "starting up (reading the settings and looking for the game)",
        [this] {
            form_->FormCreate();
            return true;
        },
        false);
    // Built during the splash unless start-up failed before it.
    BuildContent();
    // Start-up may have ended early, between showing and hiding the splash.
    splash_.reset();
    image2_->Refresh();
}

void MainWindow::CentreOnDesktop() {
    const RECT place = CentredOnWorkArea(clientSize_);
    ::SetWindowPos(hwnd(), nullptr, place.left, place.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Show(int showCommand) {
    CentreOnDesktop();
    ::ShowWindow(hwnd(), showCommand);
    ::UpdateWindow(hwnd());
    // The keyboard starts on the start panel's first button while it is shown.
    if (form_->Panel1.Visible()) {
        if (HWND first = ::GetNextDlgTabItem(panel1_->hwnd(), nullptr, FALSE)) {
            ::SetFocus(first);
        }
    }
}

int MainWindow::TextWidth(const std::string& text, HFONT font) const {
    const SIZE extent = MeasureText(font != nullptr ? font : theme_.Normal(), text);
    return (extent.cx * kDesignDpi + theme_.Dpi() - 1) / theme_.Dpi();
}

Panel& MainWindow::AddPanel(std::string name) {
    panels_.push_back(std::make_unique<Panel>(theme_, std::move(name)));
    return *panels_.back();
}

LabelView& MainWindow::AddCaption(HWND parent, const RECT& design, const std::string& text,
                                  LabelStyle style) {
    auto& label = AddView<LabelView>(Context(), nullptr, text, style);
    label.Create(parent, 0, design);
    return label;
}

Panel& MainWindow::AddGroup(HWND parent, int id, const RECT& design, const std::string& caption,
                            int headingWidth) {
    Panel& group = AddPanel(caption.empty() ? "a group" : "the group \"" + caption + "\"");
    PanelStyle style;
    style.background = colours::kPage;
    style.groupFrame = true;
    style.caption = caption;
    style.headingWidth = headingWidth;
    group.Create(parent, id, theme_.Scale(design), style);
    return group;
}

void MainWindow::BindFormPanels() {
    form_->PageControl.OnViewSync = [this] { SyncPages(); };
    form_->Panel1.OnViewSync = [this] { SyncStartPanel(); };
    form_->Panel2.OnViewSync = [this] {
        const bool visible = form_->Panel2.Visible();
        ::ShowWindow(panel2_->hwnd(), visible ? SW_SHOWNA : SW_HIDE);
        ring_->SetRunning(visible);
    };
    form_->TabSheet3.OnViewSync = [this] {
        ::EnableWindow(pages_[static_cast<int>(Page::FiltersGpu)]->hwnd(),
                       form_->TabSheet3.Enabled());
    };
    form_->TabSheet5.OnViewSync = [this] {
        ::EnableWindow(pages_[static_cast<int>(Page::FiltersCpu)]->hwnd(),
                       form_->TabSheet5.Enabled());
    };
    form_->DebugItem.OnViewSync = [this] { SyncDebugItem(); };
    for (Control* control : {&form_->PageControl, &form_->Panel1, &form_->Panel2, &form_->TabSheet3,
                             &form_->TabSheet5, &form_->DebugItem}) {
        control->OnViewSync();
    }
}

void MainWindow::SyncStartPanel() {
    const bool visible = form_->Panel1.Visible();
    ::ShowWindow(panel1_->hwnd(), visible ? SW_SHOWNA : SW_HIDE);
    // While the start panel covers the window, Tab must not reach the controls
    // beneath it: their containers stop passing the keyboard on.
    for (Panel* covered : {groupBar_, panelsh_}) {
        const LONG_PTR style = ::GetWindowLongPtrW(covered->hwnd(), GWL_EXSTYLE);
        ::SetWindowLongPtrW(covered->hwnd(), GWL_EXSTYLE,
                            visible ? style & ~WS_EX_CONTROLPARENT : style | WS_EX_CONTROLPARENT);
    }
    if (!visible && ::IsChild(panel1_->hwnd(), ::GetFocus())) {
        ::SetFocus(hwnd());
    }
}

void MainWindow::SyncPages() {
    const bool visible = form_->PageControl.Visible();
    const int active = static_cast<int>(form_->ActivePage);
    for (int page = 0; page < static_cast<int>(pages_.size()); ++page) {
        ::ShowWindow(pages_[page]->hwnd(), page == active ? SW_SHOWNA : SW_HIDE);
    }
    ::ShowWindow(pageControl_->hwnd(), visible ? SW_SHOWNA : SW_HIDE);
    // The information picture lies behind the pages and shows whenever they are hidden.
    ::ShowWindow(image2_->hwnd(), visible ? SW_HIDE : SW_SHOWNA);
    ::InvalidateRect(debugTab_->hwnd(), nullptr, FALSE);
    // The group bar marks the open page's item.
    ::InvalidateRect(groupBar_->hwnd(), nullptr, FALSE);
    ::RedrawWindow(groupBar_->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainWindow::SyncDebugItem() {
    const bool visible = form_->DebugItem.Visible();
    ::ShowWindow(benchmarkItems_.back()->hwnd(), visible ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(debugTab_->hwnd(), visible ? SW_SHOWNA : SW_HIDE);
    LayoutGroupBar();
    LayoutPages();
}

void MainWindow::PaintBackground(HDC dc) {
    MemoryDc memory(dc);
    ScopedSelect select(memory.Get(), background_.Get());
    ::BitBlt(dc, 0, 0, clientSize_.cx, clientSize_.cy, memory.Get(), 0, 0, SRCCOPY);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT routed = 0;
    if (RouteToControl(message, wParam, lParam, routed)) {
        return routed;
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintScope paint(hwnd());
            PaintBackground(paint.Get());
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return 0;
        // The background picture Image4: the left button drags the window.
        case WM_LBUTTONDOWN:
            form_->Image4MouseDown(true);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            form_->Image4MouseDown(false);
            return 0;
        case WM_COMMAND:
            // Enter and Escape arrive as IDOK and IDCANCEL; the window has no default button.
            return 0;
        case WM_CLOSE:
            // Asking to close always lets the window close, also when storing failed.
            GuardedCall(
                "closing the main window",
                [this] {
                    form_->FormCloseQuery();
                    return true;
                },
                false);
            ::DestroyWindow(hwnd());
            return 0;
        case kEndProgramMessage:
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            if (!ending_) {
                GuardedCall(
                    "closing the main window",
                    [this] {
                        form_->FormClose();
                        return true;
                    },
                    false);
            }
            ::PostQuitMessage(0);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

// ---------------------------------------------------------------- MainWindowHost

void MainWindow::ShowSplash() {
    splash_ = std::make_unique<SplashWindow>(theme_);
    splash_->Show();
}

void MainWindow::PrepareWhileSplashShows() {
    BuildContent();
}

void MainWindow::HideSplash() {
    splash_.reset();
}

void MainWindow::Minimize() {
    ::ShowWindow(hwnd(), SW_MINIMIZE);
}

void MainWindow::EndProgram() {
    // Leaving by the Exit button skips the close events.
    ending_ = true;
    ::PostMessageW(hwnd(), kEndProgramMessage, 0, 0);
}

void MainWindow::BeginWindowDrag() {
    ::ReleaseCapture();
    ::SendMessageW(hwnd(), WM_SYSCOMMAND, 0xF012, 0);
}

void MainWindow::ShowPickerModal() {
    if (picker_ != nullptr) {
        picker_->ShowModal();
    }
}

void MainWindow::Repaint() {
    ::RedrawWindow(hwnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

WindowBounds MainWindow::NormalBounds() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(hwnd(), &placement);
    const RECT& r = placement.rcNormalPosition;
    return WindowBounds{r.right - r.left, r.bottom - r.top, r.left, r.top};
}

void MainWindow::SetNormalBounds(const WindowBounds& bounds) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(hwnd(), &placement);
    placement.rcNormalPosition =
        RECT{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
    placement.flags = 0;
    ::SetWindowPlacement(hwnd(), &placement);
}

void MainWindow::ShowNews() {
    if (!news_) {
        auto news = std::make_unique<NewsWindow>(theme_);
        news->Create();
        news_ = std::move(news);
    }
    news_->ShowPage();
}

}  // namespace fw::win32
