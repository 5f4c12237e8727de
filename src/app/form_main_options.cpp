// The start panel, page navigation and the saves of every option.
#include "app/form_main.h"
#include "bench/resolution_catalogue.h"

namespace fw {

void TForm1::VGAButtonClick() {
    Run.ModeTitle = "VGA benchmark";
    TabSheet5.SetEnabled(false);
    Run.Mode = BenchMode::Vga;
    const std::string demoValue = Store.ReadValue("Demo");
    if (demoValue == "1") {
        ApplyDemoRow(0);
    } else if (demoValue == "2") {
        ApplyDemoRow(1);
    } else if (demoValue == "3") {
        ApplyDemoRow(2);
    }
    Panel1.SetVisible(false);
}

// The demo as the start panel's answer re-reads it: selecting runs the demo
// choice first when the item is new, then the row's window effects follow.
void TForm1::ApplyDemoRow(int item) {
    demo.SetItemIndex(item);
    if (item == 2) {
        ScreenBox.SetChecked(false);
        FrameEdit.SetEnabled(false);
        DemoEdit.SetEnabled(true);
        DemoEditButton.SetEnabled(true);
        mapnamebox.SetEnabled(true);
        return;
    }
    DemoEdit.SetEnabled(false);
    DemoEditButton.SetEnabled(false);
    mapnamebox.SetEnabled(false);
    FrameEdit.SetEnabled(true);
    FrameLabel.SetCaption(item == 0 ? "frame (1-2000)" : "frame (1-2157)");
    FrameEdit.SetMaximum(item == 0 ? 2000 : 2157);
}

void TForm1::CPUButtonClick() {
    Run.ModeTitle = "CPU benchmark";
    TabSheet3.SetEnabled(false);
    TabSheet5.SetEnabled(true);
    Run.Mode = BenchMode::Cpu;
    const std::string demoValue = Store.ReadValue("DemoCPU");
    if (demoValue == "1") {
        demoCPU.SetItemIndex(0);
    } else if (demoValue == "2") {
        demoCPU.SetItemIndex(1);
    }
    FrameLabel.SetCaption("frame (1-1500)");
    FrameEdit.SetMaximum(1500);
    Panel1.SetVisible(false);
    BoostBox.SetEnabled(false);
    MultiGPUBox.SetEnabled(false);
}

void TForm1::RzGroup1Items0Click() {
    ShowPage(Page::PathInfo);
}
void TForm1::RzGroup1Items1Click() {
    ShowPage(Page::Resolution);
}
void TForm1::RzGroup1Items2Click() {
    ShowPage(Run.Mode == BenchMode::Cpu ? Page::FiltersCpu : Page::FiltersGpu);
}
void TForm1::RzGroup1Items3Click() {
    ShowPage(Page::Customization);
}
void TForm1::RzGroup1Items4Click() {
    ShowPage(Page::Debug);
}
void TForm1::RzGroup3Items4Click() {
    PageControl.SetVisible(false);
}

void TForm1::resMouseLeave() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    for (int position = 0; position < 8; ++position) {
        Store.WriteFlag(EntryAt(position).SettingName, res.ItemChecked(position));
    }
}

void TForm1::cusresboxClick() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    Store.WriteFlag("CusRes",
                    cusresbox.Checked() && !CusWidth.Text().empty() && !CusHeight.Text().empty());
}

void TForm1::QualityBoxMouseLeave() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    if (int item = QualityBox.ItemIndex(); item >= 0) {
        Store.WriteValue("Quality", std::to_string(item + 1));
        QualityLevel = item + 1;
    }
}

void TForm1::AFBoxChange() {
    if (AFBox.ItemIndex() >= 0) {
        Store.Save("AFLevel", std::to_string(AFBox.ItemIndex()));
    }
}

void TForm1::AABoxChange() {
    if (AABox.ItemIndex() >= 0) {
        Store.Save("AALevel", std::to_string(AABox.ItemIndex()));
    }
}

void TForm1::RendererBoxChange() {
    if (RendererBox.ItemIndex() == 0) {
        Store.Save("Renderer", "1");
        Run.RendererTitle = "DirectX 9";
        Run.RendererSwitch = "-DX9";
    } else if (RendererBox.ItemIndex() == 1 && platform().os.MajorVersion() == 6) {
        Store.Save("Renderer", "2");
        Run.RendererTitle = "DirectX 10";
        Run.RendererSwitch = "-DX10";
    }
}

void TForm1::demoChanging() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    switch (demo.ItemIndex()) {
        case 0:
        case 1: {
            const bool builtIn = demo.ItemIndex() == 0;
            Store.WriteValue("Demo", builtIn ? "1" : "2");
            FrameLabel.SetCaption(builtIn ? "frame (1-2000)" : "frame (1-2157)");
            FrameEdit.SetMaximum(builtIn ? 2000 : 2157);
            FrameEdit.SetEnabled(true);
            DemoEdit.SetEnabled(false);
            DemoEditButton.SetEnabled(false);
            mapnamebox.SetEnabled(false);
            break;
        }
        case 2:
            Store.WriteValue("Demo", "3");
            FrameLabel.SetCaption("unknow frame");
            FrameEdit.SetMaximum(2000);
            FrameEdit.SetEnabled(false);
            DemoEdit.SetEnabled(true);
            DemoEditButton.SetEnabled(true);
            mapnamebox.SetEnabled(true);
            ScreenBox.SetChecked(false);
            break;
        default:
            break;
    }
}

void TForm1::demoCPUChanging() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    if (demoCPU.ItemIndex() == 0) {
        Store.WriteValue("DemoCPU", "1");
    } else if (demoCPU.ItemIndex() == 1) {
        Store.WriteValue("DemoCPU", "2");
    }
}

void TForm1::demoCPUMouseLeave() {
    demoCPUChanging();
}

void TForm1::RunNumberBoxChange() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    const int count = RunNumberBox.Value();
    if (count == 1) {
        Store.WriteValue("RunNumber", "1");
        SkipFirstBox.SetChecked(false);
        SkipFirstBox.SetEnabled(false);
    } else if (count >= 2 && count <= 5) {
        Store.WriteValue("RunNumber", std::to_string(count));
        SkipFirstBox.SetEnabled(false);
        SkipFirstBox.SetChecked(true);
    }
}

void TForm1::RunNumberBoxCPUChange() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    const int count = RunNumberBoxCPU.Value();
    if (count >= 1 && count <= 5) {
        Store.WriteValue("RunNumberCPU", std::to_string(count));
    }
}

void TForm1::SkipFirstBoxClick() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    Store.WriteFlag("SkipFirstRun", SkipFirstBox.Checked());
}

void TForm1::FrameEditKeyUp() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    Store.WriteValue("Frame", FrameEdit.Text());
}

void TForm1::ScreenBoxClick() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    Store.WriteFlag("ScreenShot", ScreenBox.Checked());
    FrameEdit.SetEnabled(ScreenBox.Checked());
}

void TForm1::MultiGPUBoxClick() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    Store.WriteFlag("MultiGPU", MultiGPUBox.Checked());
}

void TForm1::MultiGPUBoxMouseLeave() {
    MultiGPUBoxClick();
}

void TForm1::UseCustomConfigBoxClick() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    Store.WriteFlag("UseCustom", UseCustomConfigBox.Checked());
    ConfigEdit.SetEnabled(UseCustomConfigBox.Checked());
    RzToolButton1.SetEnabled(UseCustomConfigBox.Checked());
}

void TForm1::BoostBoxClick() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    Store.WriteFlag("Boost", BoostBox.Checked());
}

void TForm1::RandomBoxClick() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    Store.WriteFlag("Re", RandomBox.Checked());
}

void TForm1::NoteEditChange() {
    Store.Save("Note", NoteEdit.Text());
}

void TForm1::ResEditExit() {
    if (!ResEdit.Text().empty()) {
        Store.Save("ResultPath", ResEdit.Text());
    }
}

void TForm1::AutoUpdateBoxClick() {
    if (!Store.Exists()) {
        return;
    }
    Store.Open();
    Store.WriteFlag("AutoUpdate", AutoUpdateBox.Checked());
}

}  // namespace fw
