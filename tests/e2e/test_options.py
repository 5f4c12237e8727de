"""The option pages through the real controls: every option set by hand is
stored at once under its own name and encoding, the last values are stored
when the window is closed, and everything comes back after a restart; the
processor choice; the display mode picker."""

from pathlib import PureWindowsPath
from typing import Dict, List

import harness
import window_support as ws
from harness import ID, E2ETestCase

# Fifty characters, some of them outside ASCII but inside Windows-1252.
NOTE = "Größe × 1.2.1: " + "0123456789" * 3 + "abcde"
NOT_EXIST = "The results directory not exist!"
UNREACHABLE = "No internet connection."
FILE_NAME_FIELD = 1148  # of the common open-file dialog
REACHABLE_ROWS = [name for name in ws.ROW_NAMES if name not in ws.MISSING_ON_DESKTOP]
TICKED_ROWS = ["800", "1600", "hdw3"]


def tamper(sb: harness.Sandbox, name: str, value: str) -> None:
    """Changes a stored value behind the running program's back."""
    completed = sb.run("reg", "add", r"HKLM\Software\Wow6432Node\Brimvale\Tallyrun", "/v", name, "/d", value, "/f")
    assert completed.returncode == 0, completed.stderr


def desktop_folder(sb: harness.Sandbox) -> str:
    """The user's Desktop, which Wine's folder dialog has chosen when it opens."""
    documents = PureWindowsPath(sb.env_file["FW_DOCUMENTS_DIR_WIN"])
    return str(documents.parent / "Desktop") + "\\"


class FolderDialog:
    """Wine's folder dialog, walked with the keyboard as a user would."""

    TITLE = "Browse for Folder"
    TREE = 14145
    FOLDER = 14149  # the field that names the chosen folder

    def __init__(self, w: ws.Window) -> None:
        self.w = w

    def _walk(self, key: str, until) -> None:
        for _ in range(20):
            if until(self.w.text(self.FOLDER)):
                return
            self.w.key(self.TREE, key)
        raise AssertionError(f"the folder tree never showed the wanted folder: {self.w.text(self.FOLDER)!r}")

    def choose_drive_c(self) -> None:
        self.w.dialog()
        self.w.use(self.TITLE)
        try:
            self._walk("DOWN", lambda name: name == "My Computer")
            self.w.key(self.TREE, "RIGHT")
            self._walk("DOWN", lambda name: name.endswith("(C:)"))
        finally:
            self.w.use(harness.MAIN_TITLE)
        self.w.press("OK")


class Picker:
    """The display mode picker, opened from the "Possibilities" button."""

    TITLE = "Display modes"

    def __init__(self, w: ws.Window) -> None:
        self.w = w

    def __enter__(self) -> "Picker":
        # The button's handler waits in the picker's own loop until it closes.
        self.w.click(ID.CusPossibilities)
        shown = self.w.ui.send(("wait-window", self.TITLE, 60000), check=False)
        if not shown.ok:
            self.w.sb.screenshot("-", "picker_missing")
            raise harness.UiError(f"the picker did not show: {shown.error}")
        self.w.use(self.TITLE)
        return self

    def lines(self) -> List[str]:
        # The lines are filled when the window becomes active.
        return harness.wait_until(lambda: self.w.ui.values("list-items", ID.PickerList), 30, "the picker's lines")

    def tick(self, line: str) -> None:
        self.w.ui.send(("list-select", ID.PickerList, self.lines().index(line)))

    def press(self, button: int) -> None:
        self.w.click(button)
        self.w.ui.send(("wait-gone", self.TITLE, 30000))

    def __exit__(self, *exc) -> None:
        self.w.use(harness.MAIN_TITLE)


class OptionsRoundTripTest(E2ETestCase):
    """Every option set through its control, page by page; after each step
    the whole settings key is compared with what the step should have
    stored. Then the window is closed, the program started again, and the
    controls read back."""

    def test_every_option_is_stored_and_comes_back(self):
        self.sb = sb = self.sandbox()
        program = ws.start_program(sb)
        self.expected: Dict[str, str] = {"Path": ws.bin64(sb), "Renderer": "1",
                                         "ResultPath": ws.results_default(sb)}
        with ws.Window(sb) as w:
            w.wait_shown()
            self.stored()
            w.screenshot("start_panel")
            w.choose_vga()
            self.set_path_page(w)
            self.set_resolution_page(w)
            self.set_filters_page(w)
            self.set_frame(w)
            self.set_customization_page(w)
            # Closing the window (as Alt+F4 does) stores the note and the frame once more.
            tamper(sb, "Note", "stale")
            tamper(sb, "Frame", "1")
            w.ui.send(("close", harness.MAIN_TITLE))
        self.assertEqual(program.wait(120), 0)
        self.assertEqual(sb.settings(), self.expected)

        # Start-up looks for the game anew, whatever folder was browsed to.
        self.expected["Path"] = ws.bin64(sb)
        ws.start_program(sb)
        with ws.Window(sb) as w:
            w.wait_shown()
            self.read_back(w)

    def stored(self, **changes: str) -> None:
        self.expected.update(changes)
        self.assertEqual(self.sb.settings(live=True), self.expected)

    def leave_and_store(self, w: ws.Window, group: int, **changes: str) -> None:
        self.expected.update(changes)
        w.leave_until(group, lambda: self.sb.settings(live=True) == self.expected, f"{changes} stored")

    def set_path_page(self, w: ws.Window) -> None:
        sb = self.sb
        w.page(ID.RzGroup1Items0)
        w.screenshot("page_path")
        w.click(ID.RandomBox)
        self.stored(Re="1")
        w.click(ID.AutoUpdateBox)
        self.stored(AutoUpdate="1")

        (sb.program_dir / "Benchmark").rmdir()
        w.click(ID.OpenResFolder)
        texts = w.dialog()
        self.assertEqual(texts[0], ws.WARNING_TITLE)
        self.assertCountEqual(texts[1:], [NOT_EXIST, "OK"])
        w.press("OK")

        w.click(ID.RzToolButton5)
        self.assertIn("Results folder", w.dialog())
        w.press("Cancel")
        self.assertEqual(w.text(ID.ResEdit), ws.results_default(sb))
        self.stored()
        w.click(ID.RzToolButton5)
        w.press("OK")
        self.assertEqual(w.text(ID.ResEdit), desktop_folder(sb))
        self.stored(ResultPath=desktop_folder(sb))
        # A drive's root keeps its one backslash.
        w.click(ID.RzToolButton5)
        FolderDialog(w).choose_drive_c()
        self.assertEqual(w.text(ID.ResEdit), "C:\\")
        self.stored(ResultPath="C:\\")
        # Leaving the field stores what it shows.
        tamper(sb, "ResultPath", "C:\\Elsewhere\\")
        w.ui.send(("focus", ID.ResEdit))
        w.ui.send(("focus", ID.RandomBox))
        self.stored()

        # The game folder can be pointed at by hand.
        w.click(ID.RzToolButton2)
        texts = w.dialog()
        self.assertEqual(texts[0], "Open the Crysis executable")
        self.assertIn("Crysis executable (Crysis.exe)", texts)
        w.use(texts[0])
        w.ui.send(("set-text", FILE_NAME_FIELD, sb.game_dir_win + "Bin32\\Crysis.exe"))
        w.use(harness.MAIN_TITLE)
        w.press("Open")
        self.assertEqual(w.text(ID.CrysisPathEdit), sb.game_dir_win + "Bin32\\")
        self.stored(Path=sb.game_dir_win + "Bin32\\")

    def set_resolution_page(self, w: ws.Window) -> None:
        w.page(ID.RzGroup1Items1)
        for name in TICKED_ROWS:
            w.click(ID.ResRow0 + ws.ROW_NAMES.index(name))
        self.stored()  # rows are stored when the pointer leaves the group
        self.leave_and_store(w, ID.ResGroup, **{name: "1" if name in TICKED_ROWS else "0" for name in ws.ROW_NAMES})

        with Picker(w) as picker:
            lines = picker.lines()
            # Two lines ticked: the one higher in the list is taken.
            first, second = sorted(["1920 x 1080", "1600 x 1200"], key=lines.index)
            picker.tick(second)
            picker.tick(first)
            w.screenshot("picker", Picker.TITLE)
            picker.press(ID.PickerAdd)
        self.custom = first.split(" x ")
        self.assertEqual([w.text(ID.CusWidth), w.text(ID.CusHeight)], self.custom)
        self.stored(CusW=self.custom[0], CusH=self.custom[1])
        w.click(ID.CusResBox)
        self.stored(CusRes="1")

        w.click(ID.MultiGPUBox)
        self.stored(MultiGPU="1")
        tamper(self.sb, "MultiGPU", "0")
        w.leave(ID.MultiGPUBox)  # leaving the box stores it again
        self.stored()

        w.click(ID.QualityItem0 + ws.QUALITY_ITEMS.index("High"))
        self.stored()  # only leaving the group stores the quality
        self.leave_and_store(w, ID.QualityGroup, Quality="3")

        w.click(ID.ScreenBox)
        self.assertTrue(w.enabled(ID.FrameEdit))
        self.stored(ScreenShot="1")

    def set_filters_page(self, w: ws.Window) -> None:
        w.page(ID.RzGroup1Items2)
        w.ui.send(("combo-select", ID.AFBox, 4))
        self.stored(AFLevel="4")
        w.ui.send(("combo-select", ID.AABox, 7))
        self.stored(AALevel="7")

        def demo_state():
            return {"label": w.text(ID.FrameLabel), "frame field": w.enabled(ID.FrameEdit),
                    "screenshot box": w.checked(ID.ScreenBox),
                    "custom parts": [w.enabled(c) for c in (ID.DemoEdit, ID.DemoEditButton, ID.MapNameBox)]}

        # The custom demo has no known frames: the screenshot goes off.
        w.click(ID.DemoItem0 + ws.DEMO_ITEMS.index("Custom:"))
        self.assertEqual(demo_state(), {"label": "unknow frame", "frame field": False, "screenshot box": False,
                                        "custom parts": [True] * 3})
        self.stored(Demo="3", ScreenShot="0")
        w.click(ID.DemoItem0 + ws.DEMO_ITEMS.index("Kelvo Core"))
        self.assertEqual(demo_state(), {"label": "frame (1-2157)", "frame field": True, "screenshot box": False,
                                        "custom parts": [False] * 3})
        self.stored(Demo="2")

        w.ui.send(("combo-select", ID.RendererBox, 1))
        self.stored(Renderer="2")

        # The skip box follows the run count, which the arrow keys change.
        for key, count, skip in [("UP", "3", "1"), ("DOWN", "1", "0"), ("UP", "3", "1")]:
            w.key(ID.RunNumberBox, key, 2)
            self.assertEqual(w.text(ID.RunNumberBox), count)
            self.assertEqual((w.checked(ID.SkipFirstBox), w.enabled(ID.SkipFirstBox)), (skip == "1", False))
            self.stored(RunNumber=count, SkipFirstRun=skip)
        w.screenshot("page_filters")

    def set_frame(self, w: ws.Window) -> None:
        # The frame field takes digits only and stores at every key release.
        w.page(ID.RzGroup1Items1)
        w.click(ID.ScreenBox)
        self.stored(ScreenShot="1")
        w.clear(ID.FrameEdit)
        w.type(ID.FrameEdit, "8x5y0")
        self.assertEqual(w.text(ID.FrameEdit), "850")
        self.stored(Frame="850")
        w.screenshot("page_resolution")

    def set_customization_page(self, w: ws.Window) -> None:
        w.page(ID.RzGroup1Items3)
        w.type(ID.NoteEdit, NOTE)
        w.type(ID.NoteEdit, "!")  # the 51st character
        self.assertEqual(w.text(ID.NoteEdit), NOTE)
        self.stored(Note=NOTE)
        w.click(ID.UseCustomConfigBox)
        self.assertEqual((w.enabled(ID.ConfigEdit), w.enabled(ID.RzToolButton1)), (True, True))
        self.stored(UseCustom="1")
        w.click(ID.BoostBox)
        self.stored(Boost="1")
        w.screenshot("page_customization")

    def read_back(self, w: ws.Window) -> None:
        # Automatic update is on now: its check reports that nothing answers.
        texts = w.dialog()
        self.assertEqual(texts[0], ws.UPDATER_TITLE)
        self.assertIn(UNREACHABLE, texts)
        w.press("OK")
        shown = {
            "game folder": w.text(ID.CrysisPathEdit),
            "rows": w.rows(),
            "custom": [w.text(ID.CusWidth), w.text(ID.CusHeight), w.checked(ID.CusResBox)],
            "quality": w.chosen(ID.QualityItem0, len(ws.QUALITY_ITEMS)),
            "filters": (w.combo(ID.AFBox)[1], w.combo(ID.AABox)[1]),
            "renderer": w.combo(ID.RendererBox),
            "runs": (w.text(ID.RunNumberBox), w.checked(ID.SkipFirstBox)),
            "screenshot": w.checked(ID.ScreenBox),
            "switches": [w.checked(ID[name]) for name in
                         ("MultiGPUBox", "UseCustomConfigBox", "BoostBox", "RandomBox", "AutoUpdateBox")],
            "config field": w.enabled(ID.ConfigEdit),
            "note": w.text(ID.NoteEdit),
            "results folder": w.text(ID.ResEdit),
        }
        self.assertEqual(shown, {
            "game folder": ws.bin64(self.sb),
            "rows": {name: (name in TICKED_ROWS, name in REACHABLE_ROWS) for name in ws.ROW_NAMES},
            "custom": [*self.custom, True],
            "quality": ws.QUALITY_ITEMS.index("High"),
            "filters": (4, 7),
            "renderer": (ws.RENDERERS, 1),
            "runs": ("3", True),
            "screenshot": True,
            "switches": [True] * 5,
            "config field": True,
            "note": NOTE,
            "results folder": "C:\\",
        })
        w.choose_vga()
        self.assertEqual(w.chosen(ID.DemoItem0, len(ws.DEMO_ITEMS)), ws.DEMO_ITEMS.index("Kelvo Core"))
        self.assertEqual((w.text(ID.FrameLabel), w.text(ID.FrameEdit), w.enabled(ID.FrameEdit)),
                         ("frame (1-2157)", "850", True))
        # Start-up and the start panel wrote back only what was there.
        self.stored()


class ProcessorOptionsTest(E2ETestCase):
    def test_processor_demo_and_run_count_come_back_after_processor(self):
        sb = self.sandbox()
        program = ws.start_program(sb)
        with ws.Window(sb) as w:
            w.wait_shown()
            w.choose_cpu()
            self.assertEqual(w.text(ID.FrameLabel), "frame (1-1500)")
            self.assertEqual((w.enabled(ID.BoostBox), w.enabled(ID.MultiGPUBox)), (False, False))
            # The pages stay hidden until an item shows one; "About..." hides them again.
            self.assertFalse(w.visible(ID.PageControl))
            w.page(ID.RzGroup1Items3)
            self.assertEqual((w.visible(ID.PageControl), w.visible(ID.NoteEdit)), (True, True))
            w.click(ID.RzGroup3Items4)
            self.assertFalse(w.visible(ID.PageControl))
            w.page(ID.RzGroup1Items2)
            self.assertEqual((w.visible(ID.DemoCPUGroup), w.visible(ID.DemoGroup)), (True, False))
            self.assertEqual([w.text(ID.DemoCPUItem0 + i) for i in range(2)], ws.CPU_DEMO_ITEMS)
            w.screenshot("page_filters_cpu")

            w.click(ID.DemoCPUItem0 + ws.CPU_DEMO_ITEMS.index("Crytek Island"))
            self.assertEqual(sb.settings(live=True).get("DemoCPU"), "2")
            w.key(ID.RunNumberBoxCPU, "UP", 4)
            self.assertEqual(w.text(ID.RunNumberBoxCPU), "5")
            # The processor count leaves the graphics-card count and its skip box alone.
            self.assertEqual((w.checked(ID.SkipFirstBox), w.enabled(ID.SkipFirstBox)), (False, True))
            values = sb.settings(live=True)
            self.assertEqual({k: values.get(k) for k in ("RunNumberCPU", "RunNumber", "SkipFirstRun")},
                             {"RunNumberCPU": "5", "RunNumber": None, "SkipFirstRun": None})
            # Leaving the demo group stores the choice again.
            tamper(sb, "DemoCPU", "1")
            w.leave_until(ID.DemoCPUGroup, lambda: sb.settings(live=True).get("DemoCPU") == "2", "DemoCPU again")
            w.ui.send(("close", harness.MAIN_TITLE))
        self.assertEqual(program.wait(120), 0)

        ws.start_program(sb)
        with ws.Window(sb) as w:
            w.wait_shown()
            self.assertIsNone(w.chosen(ID.DemoCPUItem0, 2), "the processor demo before the start panel")
            self.assertEqual(w.text(ID.RunNumberBoxCPU), "5")
            w.choose_cpu()
            self.assertEqual(w.chosen(ID.DemoCPUItem0, 2), ws.CPU_DEMO_ITEMS.index("Crytek Island"))


class DisplayModePickerTest(E2ETestCase):
    def test_picker_lists_the_screens_modes_and_rows_follow_them(self):
        sb = self.sandbox(settings={name: "1" for name in ws.ROW_NAMES})
        stored = {"Path": ws.bin64(sb), "Renderer": "1", "ResultPath": ws.results_default(sb)}
        ws.start_program(sb)
        with ws.Window(sb) as w:
            w.wait_shown()
            w.choose_vga()
            w.page(ID.RzGroup1Items1)
            self.assertEqual(w.rows(), {name: (name in REACHABLE_ROWS,) * 2 for name in ws.ROW_NAMES})
            # Leaving the group stores the unusable rows as cleared.
            rows = {name: "1" if name in REACHABLE_ROWS else "0" for name in ws.ROW_NAMES}
            w.leave_until(ID.ResGroup, lambda: sb.settings(live=True) == dict(stored, **rows), "the rows stored")

            # Ticking the custom box without a size stores it as off.
            w.click(ID.CusResBox)
            self.assertTrue(w.checked(ID.CusResBox))
            self.assertEqual(sb.settings(live=True).get("CusRes"), "0")

            with Picker(w) as picker:
                # Centred on the main window, at its designed size.
                main = [int(n) for n in w.ui.value("window-rect", harness.MAIN_TITLE).split()]
                own = [int(n) for n in w.ui.value("window-rect", Picker.TITLE).split()]
                self.assertEqual((own[2] - own[0], own[3] - own[1]), (228, 502))
                for axis in (0, 1):
                    self.assertLessEqual(abs((own[axis] + own[axis + 2]) - (main[axis] + main[axis + 2])), 2)
                lines = picker.lines()
                self.assertEqual(len(lines), len(set(lines)), "each size once")
                self.assertEqual([mode for name, mode in ws.ROWS if mode in lines],
                                 [mode for name, mode in ws.ROWS if name in REACHABLE_ROWS])
                self.assertTrue(all(" x " in line for line in lines), lines)
                picker.press(ID.PickerAdd)  # nothing ticked: closes, changes nothing
            self.assertEqual((w.text(ID.CusWidth), w.text(ID.CusHeight)), ("", ""))
            with Picker(w) as picker:
                picker.tick("1024 x 768")
                picker.press(ID.PickerClose)
            self.assertEqual((w.text(ID.CusWidth), w.text(ID.CusHeight)), ("", ""))
            values = sb.settings(live=True)
            self.assertEqual((values.get("CusW"), values.get("CusH")), (None, None))


class PageDesignTest(E2ETestCase):
    """The texts, list items and hints of the window's design, as a user
    reads them (each page's own ampersand-doubled item texts as stored)."""

    X = "\u00d7"
    TEXTS = {
        "VGAButton": "VGA card", "CPUButton": "Processor",
        "RzGroup1Items0": "Path && information", "RzGroup1Items1": "Resolution && screen",
        "RzGroup1Items2": "Filters && demos", "RzGroup1Items3": "Customization", "RzGroup1Items4": "Debug",
        "RzGroup3Items0": "Crysis Tweakguide", "RzGroup3Items3": "Homepage", "RzGroup3Items4": "About...",
        "AutoUpdateBox": "Enable Automatic Update (recommended)", "RandomBox": "Enable random .exe creation",
        "OpenResFolder": "Open", "CusResBox": "Custom resolution:", "CusPossibilities": "Possibilities",
        "MultiGPUBox": "Enable MultiGPU support (SLI and CrossFire)", "ScreenBox": "Make a screenshot at the ",
        "FrameLabel": "(1-2000)", "SkipFirstBox": "Skip first score", "MapNameBox": "Choose a level",
        "UseCustomConfigBox": "Use custom config file ", "BoostBox": "Enabled",
        "Button1": "Save To C", "Button2": "Chart",
    }
    ITEMS = {
        "ResRow0": [f"800 {X} 600", f"1024 {X} 768", f"1280 {X} 1024", f"1600 {X} 1200", f"2048 {X} 1536",
                    f"1280 {X} 768", f"1920 {X} 1080", f"1920 {X} 1200"],
        "QualityItem0": ws.QUALITY_ITEMS, "DemoItem0": ws.DEMO_ITEMS, "DemoCPUItem0": ws.CPU_DEMO_ITEMS,
    }
    LISTS = {
        "AFBox": ["None", f"Anisotropic 2{X}", f"Anisotropic 4{X}", f"Anisotropic 8{X}", f"Anisotropic 16{X}",
                  "From System"],
        "AABox": ["Off", f"2{X}", f"4{X}", f"8{X}", "8xQ", "16x", "16xQ", "From System"],
        "MapNameBox": ["Ascension", "Core", "Fleet", "Harbor", "Ice", "Island", "Mine", "Rescue", "Sphere", "Tank",
                       "Village"],
        "RendererBox": ws.RENDERERS,
    }
    HINTS = {
        "SpeedButton1": "Exit", "SpeedButton2": "Minimize", "RzShapeButton1": "Check for newer version",
        "RzShapeButton3": "Visit our site", "RzShapeButton4": "Open the help file", "RzToolButton2": "Browse...",
        "RzToolButton5": "Browse...", "OpenResFolder": "Open results folder",
        "RzToolButton3": "What is the random .exe?", "BenchButton": ws.RUN_HINT,
    }

    def test_controls_show_the_designed_texts(self):
        sb = self.sandbox(desktop=None)
        ws.start_program(sb)
        with ws.Window(sb) as w:
            w.wait_shown()
            self.assertEqual({name: w.text(ID[name]) for name in self.TEXTS}, self.TEXTS)
            self.assertEqual({first: [w.text(ID[first] + i) for i in range(len(items))]
                              for first, items in self.ITEMS.items()}, self.ITEMS)
            self.assertEqual({name: w.combo(ID[name])[0] for name in self.LISTS}, self.LISTS)
            self.assertEqual({name: w.hint(ID[name]) for name in self.HINTS}, self.HINTS)
            w.choose_vga()
            w.page(ID.RzGroup1Items1)
            with Picker(w) as picker:
                self.assertEqual((w.text(ID.PickerAdd), w.hint(ID.PickerClose)),
                                 ("Add", "Hide the Batch Benchmark window"))
                picker.press(ID.PickerClose)
