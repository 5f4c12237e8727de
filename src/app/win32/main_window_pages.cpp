// The six option pages. Coordinates are design pixels inside the page (393
// wide) or inside the group a control belongs to.
#include <algorithm>

#include "app/form_main.h"
#include "app/win32/control_ids.h"
#include "app/win32/debug_chart_action.h"
#include "app/win32/faces.h"
#include "app/win32/main_window.h"
#include "app/win32/theme.h"

namespace fw::win32 {

namespace {

constexpr const char* kRunsAdvice =
    "I recommend that you run a demo twice, and use the second score, as the first run usually "
    "includes the time to load .dll files etc. into the memory.";

RECT Box(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

LabelStyle Wrapped() {
    LabelStyle style;
    style.format = DT_LEFT | DT_TOP | DT_WORDBREAK;
    return style;
}

}  // namespace

void MainWindow::BuildPathPage(HWND page) {
    TForm1& form = *form_;
    Panel& path = AddGroup(page, 0, Box(6, 4, 381, 50), " Crysis path ");
    AddView<EditView>(Context(), form.CrysisPathEdit)
        .Create(path.hwnd(), ids::kCrysisPathEdit, Box(8, 20, 324, 21), false);
    auto& browseGame = AddView<ButtonView>(Context(), &form.RzToolButton2, "Browse...",
                                           ToolFace(theme_, Glyph::Folder),
                                           [&form] { form.RzToolButton2.Press(); });
    browseGame.Create(path.hwnd(), ids::kRzToolButton2, Box(338, 19, 34, 23));

    Panel& info = AddGroup(page, 0, Box(6, 60, 381, 54), " Information ");
    const int captions = std::max(TextWidth("Benchmark version:"), TextWidth("Crysis version:"));
    const int values = 10 + captions + 10;
    AddCaption(info.hwnd(), Box(10, 18, captions + 2, 15), "Benchmark version:");
    AddView<LabelView>(Context(), &form.Label17, "", LabelStyle{})
        .Create(info.hwnd(), ids::kLabel17, Box(values, 18, 372 - values, 15));
    AddCaption(info.hwnd(), Box(10, 34, captions + 2, 15), "Crysis version:");
    AddView<LabelView>(Context(), &form.Label11, "", LabelStyle{})
        .Create(info.hwnd(), ids::kLabel11, Box(values, 34, 372 - values, 15));

    Panel& results = AddGroup(page, 0, Box(6, 120, 381, 50), " Results folder ");
    auto& resEdit = AddView<EditView>(Context(), form.ResEdit);
    resEdit.Create(results.hwnd(), ids::kResEdit, Box(8, 20, 276, 21), false);
    resEdit.OnExit = [&form] { form.ResEditExit(); };
    AddView<ButtonView>(Context(), &form.OpenResFolder, "Open", ToolFace(theme_, Glyph::None),
                        [&form] { form.OpenResFolder.Press(); })
        .Create(results.hwnd(), ids::kOpenResFolder, Box(290, 19, 44, 23));
    AddView<ButtonView>(Context(), &form.RzToolButton5, "Browse...",
                        ToolFace(theme_, Glyph::Folder), [&form] { form.RzToolButton5.Press(); })
        .Create(results.hwnd(), ids::kRzToolButton5, Box(338, 19, 34, 23));

    AddView<CheckBoxView>(Context(), form.AutoUpdateBox)
        .Create(page, ids::kAutoUpdateBox, Box(12, 182, 300, 18));
    AddView<CheckBoxView>(Context(), form.RandomBox)
        .Create(page, ids::kRandomBox, Box(12, 206, 190, 18));
    auto& explain =
        AddView<ButtonView>(Context(), &form.RzToolButton3, "?", ToolFace(theme_, Glyph::Question),
                            [&form] { form.RzToolButton3.Press(); });
    explain.Create(page, ids::kRzToolButton3, Box(206, 203, 24, 23));
    explain.SetHandCursor(true);
}

void MainWindow::BuildResolutionPage(HWND page) {
    TForm1& form = *form_;
    Panel& res = AddGroup(page, ids::kResGroup, Box(6, 4, 381, 106), " Resolution ");
    res.WatchLeave([this] { form_->resMouseLeave(); });
    resolutions_ = std::make_unique<CheckGroupView>(Context(), form.res);
    resolutions_->Create(res.hwnd(), ids::kResRow0, RECT{8, 18, 373, 75}, 3, 19, res.LeaveWatch());

    // The custom row: box, width × height, then the button, each after the last.
    int x = 8;
    auto& custom = AddView<CheckBoxView>(Context(), form.cusresbox);
    custom.Create(res.hwnd(), ids::kCusResBox,
                  Box(x, 80, CheckWidth(form.cusresbox.Caption()), 18));
    x += CheckWidth(form.cusresbox.Caption()) + 2;
    auto& width = AddView<EditView>(Context(), form.CusWidth);
    width.Create(res.hwnd(), ids::kCusWidth, Box(x, 78, 41, 21));
    x += 41;
    LabelStyle times;
    times.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    auto& sign = AddCaption(res.hwnd(), Box(x, 78, 14, 21), "\xD7", times);
    x += 14;
    auto& height = AddView<EditView>(Context(), form.CusHeight);
    height.Create(res.hwnd(), ids::kCusHeight, Box(x, 78, 41, 21));
    x += 41 + 10;
    auto& possibilities =
        AddView<ButtonView>(Context(), &form.CusPossibilities, "Possibilities", PushFace(theme_),
                            [&form] { form.CusPossibilities.Press(); });
    possibilities.Create(res.hwnd(), ids::kCusPossibilities,
                         Box(x, 77, std::max(80, TextWidth("Possibilities") + 20), 23));
    for (ControlView* part :
         std::initializer_list<ControlView*>{&custom, &width, &sign, &height, &possibilities}) {
        part->SetLeaveWatch(res.LeaveWatch());
    }

    Panel& multi = AddGroup(page, 0, Box(6, 116, 381, 42), " MultiGPU ");
    auto& multiBox = AddView<CheckBoxView>(Context(), form.MultiGPUBox);
    multiBox.Create(multi.hwnd(), ids::kMultiGPUBox, Box(8, 18, 300, 18));
    multiBox.SetOnMouseLeave([this] { form_->MultiGPUBoxMouseLeave(); });

    Panel& shot = AddGroup(page, 0, Box(6, 164, 381, 44), " Screenshot ");
    const int shotWidth = CheckWidth(form.ScreenBox.Caption());
    AddView<CheckBoxView>(Context(), form.ScreenBox)
        .Create(shot.hwnd(), ids::kScreenBox, Box(8, 19, shotWidth, 18));
    auto& frame = AddView<NumericEditView>(Context(), form.FrameEdit, *locale_);
    frame.Create(shot.hwnd(), ids::kFrameEdit, Box(8 + shotWidth, 17, 56, 21));
    frame.OnKeyUp = [this] { form_->FrameEditKeyUp(); };
    const int frameLabel = 8 + shotWidth + 56 + 6;
    AddView<LabelView>(Context(), &form.FrameLabel, "", LabelStyle{})
        .Create(shot.hwnd(), ids::kFrameLabel, Box(frameLabel, 17, 372 - frameLabel, 21));

    Panel& quality = AddGroup(page, ids::kQualityGroup, Box(6, 214, 381, 44), " Quality ");
    quality.WatchLeave([this] { form_->QualityBoxMouseLeave(); });
    radioGroups_.push_back(std::make_unique<RadioGroupView>(Context(), form.QualityBox));
    radioGroups_.back()->Create(quality.hwnd(), ids::kQualityItem0, 19, 4, quality.LeaveWatch());
}

void MainWindow::BuildRunsGroup(HWND page, int top, SpinEdit& spin, int spinId,
                                CheckBox* skipFirst) {
    Panel& runs = AddGroup(page, 0, Box(6, top, 381, 86), " Runs ");
    const char* caption = "Number of times to run the demo";
    AddCaption(runs.hwnd(), Box(10, 19, TextWidth(caption) + 2, 15), caption);
    const int spinLeft = 10 + TextWidth(caption) + 10;
    AddView<SpinEditView>(Context(), spin).Create(runs.hwnd(), spinId, Box(spinLeft, 16, 46, 21));
    if (skipFirst != nullptr) {
        AddView<CheckBoxView>(Context(), *skipFirst)
            .Create(runs.hwnd(), ids::kSkipFirstBox,
                    Box(spinLeft + 46 + 14, 18, CheckWidth(skipFirst->Caption()), 18));
    }
    AddCaption(runs.hwnd(), Box(10, 42, 362, 40), kRunsAdvice, Wrapped());
}

void MainWindow::BuildGpuFiltersPage(HWND page) {
    TForm1& form = *form_;
    Panel& filters = AddGroup(page, 0, Box(6, 4, 381, 56), " Filters ");
    AddCaption(filters.hwnd(), Box(10, 15, 170, 15), "Filtering mode");
    AddView<ComboBoxView>(Context(), form.AFBox)
        .Create(filters.hwnd(), ids::kAFBox, Box(10, 30, 172, 21), 160);
    AddCaption(filters.hwnd(), Box(196, 15, 170, 15), "Antialiasing mode");
    AddView<ComboBoxView>(Context(), form.AABox)
        .Create(filters.hwnd(), ids::kAABox, Box(196, 30, 176, 21), 180);

    Panel& demo = AddGroup(page, ids::kDemoGroup, Box(6, 64, 381, 90), " Choose a demo ");
    radioGroups_.push_back(std::make_unique<RadioGroupView>(Context(), form.demo));
    radioGroups_.back()->Create(demo.hwnd(), ids::kDemoItem0, 17, 4, nullptr);
    AddView<EditView>(Context(), form.DemoEdit)
        .Create(demo.hwnd(), ids::kDemoEdit, Box(8, 38, 324, 21));
    auto& browseDemo = AddView<ButtonView>(Context(), &form.DemoEditButton, "Browse...",
                                           ToolFace(theme_, Glyph::Folder),
                                           [&form] { form.DemoEditButton.Press(); });
    browseDemo.Create(demo.hwnd(), ids::kDemoEditButton, Box(338, 37, 34, 23));
    browseDemo.SetHandCursor(true);
    // The two captioned lists line their fields up after the longer caption.
    const int listLeft = 12 + std::max(TextWidth("Level name"), TextWidth("Renderer driver")) + 10;
    AddCaption(demo.hwnd(), Box(10, 65, listLeft - 16, 21), "Level name");
    AddView<ComboBoxView>(Context(), form.mapnamebox)
        .Create(demo.hwnd(), ids::kMapNameBox, Box(listLeft - 6, 64, 150, 21), 220);

    // `rendererlabel`
    AddCaption(page, Box(12, 162, listLeft - 16, 21), "Renderer driver");
    AddView<ComboBoxView>(Context(), form.RendererBox)
        .Create(page, ids::kRendererBox, Box(listLeft, 162, 150, 21), 80);

    BuildRunsGroup(page, 188, form.RunNumberBox, ids::kRunNumberBox, &form.SkipFirstBox);
}

void MainWindow::BuildCpuFiltersPage(HWND page) {
    TForm1& form = *form_;
    Panel& demo = AddGroup(page, ids::kDemoCPUGroup, Box(6, 4, 381, 44), " Choose a CPU demo ");
    demo.WatchLeave([this] { form_->demoCPUMouseLeave(); });
    radioGroups_.push_back(std::make_unique<RadioGroupView>(Context(), form.demoCPU));
    radioGroups_.back()->Create(demo.hwnd(), ids::kDemoCPUItem0, 19, 4, demo.LeaveWatch());
    BuildRunsGroup(page, 54, form.RunNumberBoxCPU, ids::kRunNumberBoxCPU, nullptr);
}

void MainWindow::BuildCustomizationPage(HWND page) {
    TForm1& form = *form_;
    AddCaption(page, Box(10, 6, 370, 16), "Benchmark notes (50 chars at most!)");
    auto& note = AddView<EditView>(Context(), form.NoteEdit);
    note.Create(page, ids::kNoteEdit, Box(10, 24, 373, 21));

    const int heading = CheckWidth(form.UseCustomConfigBox.Caption());
    Panel& config = AddGroup(page, 0, Box(6, 56, 381, 52), "", heading + 6);
    AddView<CheckBoxView>(Context(), form.UseCustomConfigBox)
        .Create(config.hwnd(), ids::kUseCustomConfigBox, Box(10, 0, heading, 16));
    AddView<EditView>(Context(), form.ConfigEdit)
        .Create(config.hwnd(), ids::kConfigEdit, Box(8, 22, 324, 21));
    auto& browseConfig = AddView<ButtonView>(Context(), &form.RzToolButton1, "Browse...",
                                             ToolFace(theme_, Glyph::Folder),
                                             [&form] { form.RzToolButton1.Press(); });
    browseConfig.Create(config.hwnd(), ids::kRzToolButton1, Box(338, 21, 34, 23));
    browseConfig.SetHandCursor(true);

    Panel& boost = AddGroup(page, 0, Box(6, 114, 381, 146), " Boost renderer settings ");
    AddView<CheckBoxView>(Context(), form.BoostBox)
        .Create(boost.hwnd(), ids::kBoostBox, Box(8, 18, 120, 18));
    AddCaption(boost.hwnd(), Box(10, 40, 362, 44),
               "If this setting is enabled the renderer settings (objects, vegetation, etc.) will "
               "be used for highest image quality, but performance will suffer VERY HIGH FPS "
               "impact.",
               Wrapped());
    LabelStyle bold;
    bold.font = theme_.Bold();
    AddCaption(boost.hwnd(), Box(10, 88, 362, 15), "USE ONLY", bold);
    AddCaption(boost.hwnd(), Box(10, 104, 362, 15),
               "AMD-ATI: Radeon 3870 and up (with min. 512 MB memory)");
    AddCaption(boost.hwnd(), Box(10, 120, 362, 15),
               "NVIDIA: 8800 GT and up  (with min. 512 MB memory)");
}

void MainWindow::BuildDebugPage(HWND page) {
    TForm1& form = *form_;
    AddView<MemoView>(Context(), form.DebugMemo).Create(page, ids::kDebugMemo, Box(0, 0, 393, 241));
    AddView<ButtonView>(Context(), &form.Button1, "Save To C", PushFace(theme_), [&form] {
        form.Button1.Press();
    }).Create(page, ids::kButton1, Box(0, 246, 84, 25));
    AddView<ButtonView>(Context(), &form.Button2, "Chart", PushFace(theme_), [&form] {
        form.Button2.Press();
        DebugChartAction();
    }).Create(page, ids::kButton2, Box(90, 246, 84, 25));
}

}  // namespace fw::win32
