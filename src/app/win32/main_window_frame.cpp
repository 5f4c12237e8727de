// The main window's frame: top buttons, group bar, run button, page control,
// run panel and start panel.
#include <algorithm>
#include <vector>

#include "app/form_main.h"
#include "app/win32/control_ids.h"
#include "app/win32/drawing.h"
#include "app/win32/faces.h"
#include "app/win32/main_window.h"
#include "app/win32/pictures.h"
#include "app/win32/pixel_canvas.h"
#include "app/win32/theme.h"

namespace fw::win32 {

namespace {

// Design layout of the frame, in 96-dpi pixels of the 553 × 473 client area.
constexpr RECT kGroupBar{8, 76, 8 + 130, 76 + 254};
constexpr RECT kPanelsh{8, 340, 8 + 130, 340 + 64};
constexpr RECT kPageControl{152, 76, 152 + 395, 76 + 295};
constexpr RECT kImage2{182, 114, 182 + 334, 114 + 219};
constexpr int kTabHeight = 20;
constexpr int kCaptionHeight = 22;
constexpr int kItemHeight = 20;
constexpr int kItemWidth = 126;

// An item's text as it shows: doubled ampersands show once.
std::string Shown(std::string text) {
    for (auto at = text.find("&&"); at != std::string::npos; at = text.find("&&", at + 1)) {
        text.erase(at, 1);
    }
    return text;
}

constexpr const char* kNotice =
    "Framewright measures Crysis with the game's own timedemo. Your game files are put back "
    "after every run.";

void PaintGroupCaption(HDC dc, const Theme& theme, int top, int width, const std::string& text) {
    const int height = theme.Scale(kCaptionHeight);
    PixelCanvas band(width, height);
    band.RoundRectGradient(0, 0, width, height, theme.Scale(3), {24, 46, 70}, {8, 14, 22});
    band.Line({0, height - 0.5}, {static_cast<double>(width), height - 0.5}, 1.0,
              ToRgb(colours::kFrame));
    DrawCanvas(dc, 0, top, band);
    RECT caption{theme.Scale(8), top, width - theme.Scale(4), top + height};
    DrawTextIn(dc, text, caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, theme.Bold(),
               colours::kGroupCaption);
}

}  // namespace

void MainWindow::BuildFrame() {
    TForm1& form = *form_;
    struct TopButton {
        Button& model;
        int id;
        RECT bounds;
        ButtonPainter painter;
    };
    const TopButton buttons[] = {
        {form.RzShapeButton1, ids::kRzShapeButton1, RECT{405, 22, 433, 50},
         RoundIconFace(theme_, Glyph::Refresh)},
        {form.RzShapeButton3, ids::kRzShapeButton3, RECT{439, 22, 467, 50},
         RoundIconFace(theme_, Glyph::Globe)},
        {form.RzShapeButton4, ids::kRzShapeButton4, RECT{473, 22, 501, 50},
         RoundIconFace(theme_, Glyph::Help)},
        {form.SpeedButton2, ids::kSpeedButton2, RECT{509, 5, 529, 25},
         FlatFace(theme_, Glyph::Minimize)},
        {form.SpeedButton1, ids::kSpeedButton1, RECT{530, 5, 550, 25},
         FlatFace(theme_, Glyph::Close)},
    };
    for (const TopButton& top : buttons) {
        Button* model = &top.model;
        auto& button = AddView<ButtonView>(Context(), model, model->Hint(), top.painter,
                                           [model] { model->Press(); });
        button.Create(hwnd(), top.id, top.bounds, false);
    }

    image2_ = &AddPanel("the information picture");
    PanelStyle picture;
    picture.cachePainter = true;
    picture.painter = [this](HDC dc, const RECT& area) {
        PaintInfoPicture(dc, area, theme_, form_->ProgramVersion);
    };
    image2_->Create(hwnd(), 0, theme_.Scale(kImage2), picture);

    auto& message = AddView<LabelView>(Context(), &form.MessageLabel, "", LabelStyle{});
    message.Create(hwnd(), ids::kMessageLabel, RECT{14, 443, 14 + 525, 443 + 18});

    Panel& panelsh = AddPanel("the run button's panel");
    panelsh.Create(hwnd(), 0, theme_.Scale(kPanelsh), PanelStyle{});
    panelsh_ = &panelsh;
    auto& bench = AddView<ButtonView>(Context(), &form.BenchButton, "Run a benchmark",
                                      BenchFace(theme_), [&form] { form.BenchButton.Press(); });
    bench.Create(panelsh.hwnd(), ids::kBenchButton, RECT{0, 0, 130, 64});
    bench.SetHandCursor(true);
}

void MainWindow::BuildGroupBar() {
    groupBar_ = &AddPanel("the group bar");
    PanelStyle style;
    style.painter = [this](HDC dc, const RECT& client) {
        FillSolid(dc, client, colours::kBlack);
        PaintGroupCaption(dc, theme_, 0, client.right, "Benchmark");
        PaintGroupCaption(dc, theme_, theme_.Scale(otherCaptionTop_), client.right, "Other");
    };
    groupBar_->Create(hwnd(), 0, theme_.Scale(kGroupBar), style);

    struct Item {
        const char* text;
        int id;
        Glyph glyph;
        void (TForm1::*handler)();
        std::vector<Page> pages;  // the pages it opens, none for links
    };
    // Item texts double their ampersands so that one shows.
    const Item benchmark[] = {
        {"Path && information",
         ids::kRzGroup1Items0,
         Glyph::Folder,
         &TForm1::RzGroup1Items0Click,
         {Page::PathInfo}},
        {"Resolution && screen",
         ids::kRzGroup1Items1,
         Glyph::Monitor,
         &TForm1::RzGroup1Items1Click,
         {Page::Resolution}},
        {"Filters && demos",
         ids::kRzGroup1Items2,
         Glyph::Sliders,
         &TForm1::RzGroup1Items2Click,
         {Page::FiltersGpu, Page::FiltersCpu}},
        {"Customization",
         ids::kRzGroup1Items3,
         Glyph::Pencil,
         &TForm1::RzGroup1Items3Click,
         {Page::Customization}},
        {"Debug",
         ids::kRzGroup1Items4,
         Glyph::Terminal,
         &TForm1::RzGroup1Items4Click,
         {Page::Debug}},
    };
    const Item other[] = {
        {"Crysis Tweakguide", ids::kRzGroup3Items0, Glyph::Book, &TForm1::RzGroup3Items0Click, {}},
        {"Homepage", ids::kRzGroup3Items3, Glyph::House, &TForm1::RzGroup3Items3Click, {}},
        {"About...", ids::kRzGroup3Items4, Glyph::Info, &TForm1::RzGroup3Items4Click, {}},
    };
    // The items keep their texts whole: where the system's face is wider than
    // the classic one, they take a point less.
    int widest = 0;
    for (const Item& item : benchmark) {
        widest = std::max(widest, TextWidth(Shown(item.text)));
    }
    for (const Item& item : other) {
        widest = std::max(widest, TextWidth(Shown(item.text)));
    }
    const HFONT font =
        widest <= kItemWidth - kGroupItemTextLeft - 3 ? theme_.Normal() : theme_.OfPointSize(7);
    auto add = [this, font](const Item& item, std::vector<ButtonView*>& into) {
        TForm1* form = form_;
        auto handler = item.handler;
        auto& button = AddView<ButtonView>(Context(), nullptr, item.text,
                                           GroupItemFace(theme_, item.glyph, font),
                                           [form, handler] { (form->*handler)(); });
        button.Create(groupBar_->hwnd(), item.id, RECT{0, 0, kItemWidth, kItemHeight - 1});
        button.SetHandCursor(true);
        if (!item.pages.empty()) {
            button.SetCurrentWhen([form, pages = item.pages] {
                return form->PageControl.Visible() &&
                       std::find(pages.begin(), pages.end(), form->ActivePage) != pages.end();
            });
        }
        into.push_back(&button);
    };
    for (const Item& item : benchmark) {
        add(item, benchmarkItems_);
    }
    for (const Item& item : other) {
        add(item, otherItems_);
    }
    LayoutGroupBar();
}

void MainWindow::LayoutGroupBar() {
    const bool debug = form_->DebugItem.Visible();
    int top = kCaptionHeight + 3;
    auto place = [&](ButtonView* item) {
        ::SetWindowPos(item->hwnd(), nullptr, theme_.Scale(2), theme_.Scale(top),
                       theme_.Scale(kItemWidth), theme_.Scale(kItemHeight - 1),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        top += kItemHeight;
    };
    for (ButtonView* item : benchmarkItems_) {
        if (item != benchmarkItems_.back() || debug) {
            place(item);
        }
    }
    otherCaptionTop_ = top + 8;
    top = otherCaptionTop_ + kCaptionHeight + 3;
    for (ButtonView* item : otherItems_) {
        place(item);
    }
    ::InvalidateRect(groupBar_->hwnd(), nullptr, FALSE);
}

void MainWindow::BuildPageControl() {
    pageControl_ = &AddPanel("the option pages");
    PanelStyle style;
    style.painter = [this](HDC dc, const RECT& client) {
        FillSolid(dc, client, colours::kBlack);
        RECT frame = client;
        frame.top = form_->DebugItem.Visible() ? theme_.Scale(kTabHeight) : 0;
        FillSolid(dc, frame, colours::kPage);
        FrameSolid(dc, frame, colours::kFrame);
    };
    pageControl_->Create(hwnd(), ids::kPageControl, theme_.Scale(kPageControl), style);

    const char* names[] = {"the Path & information page", "the Resolution & screen page",
                           "the Filters & demos page",    "the processor Filters & demos page",
                           "the Customization page",      "the Debug page"};
    for (size_t i = 0; i < pages_.size(); ++i) {
        Panel& page = AddPanel(names[i]);
        PanelStyle pageStyle;
        pageStyle.background = colours::kPage;
        page.Create(pageControl_->hwnd(), 0, RECT{1, 1, 2, 2}, pageStyle);
        pages_[i] = &page;
    }
    // The Debug page's tab, the only one the page control ever shows.
    debugTab_ = &AddView<ButtonView>(Context(), nullptr, "8", TabFace(theme_),
                                     [this] { form_->RzGroup1Items4Click(); });
    debugTab_->Create(pageControl_->hwnd(), 0, RECT{4, 0, 30, kTabHeight + 1}, false);
    debugTab_->SetCurrentWhen([this] { return form_->ActivePage == Page::Debug; });
    LayoutPages();

    BuildPathPage(pages_[static_cast<int>(Page::PathInfo)]->hwnd());
    BuildResolutionPage(pages_[static_cast<int>(Page::Resolution)]->hwnd());
    BuildGpuFiltersPage(pages_[static_cast<int>(Page::FiltersGpu)]->hwnd());
    BuildCpuFiltersPage(pages_[static_cast<int>(Page::FiltersCpu)]->hwnd());
    BuildCustomizationPage(pages_[static_cast<int>(Page::Customization)]->hwnd());
    BuildDebugPage(pages_[static_cast<int>(Page::Debug)]->hwnd());
}

void MainWindow::LayoutPages() {
    const int tab = form_->DebugItem.Visible() ? kTabHeight : 0;
    const RECT inner = theme_.Scale(RECT{1, tab + 1, 395 - 1, 295 - 1});
    for (Panel* page : pages_) {
        ::SetWindowPos(page->hwnd(), nullptr, inner.left, inner.top, inner.right - inner.left,
                       inner.bottom - inner.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::InvalidateRect(pageControl_->hwnd(), nullptr, FALSE);
}

void MainWindow::BuildProgressPanel() {
    TForm1& form = *form_;
    panel2_ = &AddPanel("the run panel");
    PanelStyle style;
    style.background = colours::kPage;
    style.painter = [](HDC dc, const RECT& client) {
        FillSolid(dc, client, colours::kPage);
        FrameSolid(dc, client, colours::kFrame);
    };
    panel2_->Create(hwnd(), ids::kPanel2, theme_.Scale(kPageControl), style);
    ring_ = std::make_unique<ProgressRing>(theme_);
    ring_->Create(panel2_->hwnd(), theme_.ScaleBox((395 - 64) / 2, 56, 64, 64));

    LabelStyle status;
    status.colour = colours::kSilver;
    status.followsModelLeft = true;
    auto& label20 = AddView<LabelView>(Context(), &form.Label20, "", status);
    label20.Create(panel2_->hwnd(), ids::kLabel20, RECT{63, 140, 395, 168});
    LabelStyle resolution;
    resolution.colour = RGB(120, 165, 210);
    resolution.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    resolution.font = theme_.Bold();
    auto& label21 = AddView<LabelView>(Context(), &form.Label21, "", resolution);
    label21.Create(panel2_->hwnd(), ids::kLabel21, RECT{8, 178, 387, 198});
}

void MainWindow::BuildStartPanel() {
    TForm1& form = *form_;
    panel1_ = &AddPanel("the start panel");
    PanelStyle style;
    style.cachePainter = true;
    style.painter = [this](HDC dc, const RECT& client) {
        FillSolid(dc, client, colours::kBlack);
        PixelCanvas glow(client.right, client.bottom);
        glow.Glow(client.right / 2.0, theme_.Scale(200), theme_.Scale(300), {28, 81, 128}, 0.22);
        DrawCanvas(dc, 0, 0, glow);
        // "size 24" points: 32 pixels at the design resolution.
        PaintReflectedText(dc, theme_.ScaleBox(0, 140, 553, 60), "I want to benchmark my",
                           theme_.Tahoma(32, true), RGB(0xC0, 0xC0, 0xC0), theme_.Scale(20));
    };
    panel1_->Create(hwnd(), ids::kPanel1, RECT{0, 0, clientSize_.cx, clientSize_.cy}, style);

    auto& vga = AddView<ButtonView>(Context(), &form.VGAButton, "VGA card", GlassFace(theme_),
                                    [&form] { form.VGAButton.Press(); });
    vga.Create(panel1_->hwnd(), ids::kVGAButton, RECT{166, 236, 166 + 100, 236 + 49});
    vga.SetHandCursor(true);
    auto& cpu = AddView<ButtonView>(Context(), &form.CPUButton, "Processor", GlassFace(theme_),
                                    [&form] { form.CPUButton.Press(); });
    cpu.Create(panel1_->hwnd(), ids::kCPUButton, RECT{287, 236, 287 + 100, 236 + 49});
    cpu.SetHandCursor(true);

    // The home page link, handled like the "Visit our site" button.
    auto& link = AddView<ButtonView>(Context(), nullptr, "www.brimvale.example", LinkFace(theme_),
                                     [this] { form_->RzShapeButton3Click(); });
    link.Create(panel1_->hwnd(), ids::kRzURLLabel1, RECT{176, 322, 176 + 200, 322 + 18});
    link.SetHandCursor(true);

    LabelStyle notice;
    notice.colour = RGB(128, 132, 140);
    notice.format = DT_CENTER | DT_TOP | DT_WORDBREAK;
    AddCaption(panel1_->hwnd(), RECT{40, 430, 513, 462}, kNotice, notice);
}

}  // namespace fw::win32
