"""The option pages through the real controls: every option set by hand is
stored at once under its own name and encoding, the last values are stored
when the window is closed, and everything comes back after a restart; the
processor choice; the display mode picker."""

from pathlib import PureWindowsPath
from typing import Dict, List

import harness
import window_support as ws
from harness import ID, E2ETestCase

# Fifty characters, two of them outside ASCII but inside Windows-1252.
NOTE = "Größe × 1.2.1: " + "0123456789" * 3 + "abcde"
NOT_EXIST = "The results directory not exist!"
UNREACHABLE = "No internet connection."
FILE_NAME_FIELD = 1148  # of the common open-file dialog
REACHABLE_ROWS = [name for name in ws.ROW_NAMES if name not in ws.MISSING_ON_DESKTOP]


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
    def test_every_option_is_stored_and_comes_back(self):
        sb = self.sandbox()
        program = ws.start_program(sb)
        expected: Dict[str, str] = {"Path": ws.bin64(sb), "Renderer": "1", "ResultPath": ws.results_default(sb)}

        def stored(**changes: str) -> None:
            expected.update(changes)
            self.assertEqual(sb.settings(live=True), expected)

        with ws.Window(sb) as w:
            w.wait_shown()
            stored()
            w.screenshot("start_panel")
            w.choose_vga()

            # Path & information
            w.page(ID.RzGroup1Items0)
            w.screenshot("page_path")
            w.click(ID.RandomBox)
            stored(Re="1")
            w.click(ID.AutoUpdateBox)
            stored(AutoUpdate="1")
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
            stored()
            w.click(ID.RzToolButton5)
            w.press("OK")
            self.assertEqual(w.text(ID.ResEdit), desktop_folder(sb))
            stored(ResultPath=desktop_folder(sb))
            # A drive's root keeps its one backslash.
            w.click(ID.RzToolButton5)
            FolderDialog(w).choose_drive_c()
            self.assertEqual(w.text(ID.ResEdit), "C:\\")
            stored(ResultPath="C:\\")
            # Leaving the field stores what it shows.
            tamper(sb, "ResultPath", "C:\\Elsewhere\\")
            w.ui.send(("focus", ID.ResEdit))
            w.ui.send(("focus", ID.RandomBox))
            stored()
            # The game folder can be pointed at by hand; start-up finds it anew.
            w.click(ID.RzToolButton2)
            texts = w.dialog()
            self.assertEqual(texts[0], "Open the Crysis executable")
            self.assertIn("Crysis executable (Crysis.exe)", texts)
            w.use(texts[0])
            w.ui.send(("set-text", FILE_NAME_FIELD, sb.game_dir_win + "Bin32\\Crysis.exe"))
            w.use(harness.MAIN_TITLE)
            w.press("Open")
            self.assertEqual(w.text(ID.CrysisPathEdit), sb.game_dir_win + "Bin32\\")
            stored(Path=sb.game_dir_win + "Bin32\\")

            # Resolution & screen: rows are stored when the pointer leaves the group.
            w.page(ID.RzGroup1Items1)
            for name in ("800", "1600", "hdw3"):
                w.click(ID.ResRow0 + ws.ROW_NAMES.index(name))
            stored()
            w.leave(ID.ResGroup)
            rows = {name: "1" if name in ("800", "1600", "hdw3") else "0" for name in ws.ROW_NAMES}
            stored(**rows)

            with Picker(w) as picker:
                lines = picker.lines()
                # Two lines ticked: the one higher in the list is taken.
                first, second = sorted(["1920 x 1080", "1600 x 1200"], key=lines.index)
                picker.tick(second)
                picker.tick(first)
                w.screenshot("picker", Picker.TITLE)
                picker.press(ID.PickerAdd)
            width, _, height = first.split(" ")
            self.assertEqual((w.text(ID.CusWidth), w.text(ID.CusHeight)), (width, height))
            stored(CusW=width, CusH=height)
            w.click(ID.CusResBox)
            stored(CusRes="1")
            w.click(ID.MultiGPUBox)
            stored(MultiGPU="1")
            tamper(sb, "MultiGPU", "0")
            w.leave(ID.MultiGPUBox)  # leaving the box stores it again
            stored()
            w.click(ID.QualityItem0 + ws.QUALITY_ITEMS.index("High"))
            stored()  # only leaving the group stores the quality
            w.leave(ID.QualityGroup)
            stored(Quality="3")

            w.click(ID.ScreenBox)
            self.assertTrue(w.enabled(ID.FrameEdit))
            stored(ScreenShot="1")

            # Filters & demos
            w.page(ID.RzGroup1Items2)
            w.ui.send(("combo-select", ID.AFBox, 4))
            stored(AFLevel="4")
            w.ui.send(("combo-select", ID.AABox, 7))
            stored(AALevel="7")

            def demo_state():
                return {"label": w.text(ID.FrameLabel), "frame field": w.enabled(ID.FrameEdit),
                        "screenshot box": w.checked(ID.ScreenBox),
                        "custom parts": [w.enabled(c) for c in (ID.DemoEdit, ID.DemoEditButton, ID.MapNameBox)]}

            # The custom demo has no known frames: the screenshot goes off.
            w.click(ID.DemoItem0 + ws.DEMO_ITEMS.index("Custom:"))
            self.assertEqual(demo_state(), {"label": "unknow frame", "frame field": False, "screenshot box": False,
                                            "custom parts": [True] * 3})
            stored(Demo="3", ScreenShot="0")
            w.click(ID.DemoItem0 + ws.DEMO_ITEMS.index("Kelvo Core"))
            self.assertEqual(demo_state(), {"label": "frame (1-2157)", "frame field": True, "screenshot box": False,
                                            "custom parts": [False] * 3})
            stored(Demo="2")
            w.ui.send(("combo-select", ID.RendererBox, 1))
            stored(Renderer="2")
            for key, count, skip in [("UP", "3", "1"), ("DOWN", "1", "0"), ("UP", "3", "1")]:
                w.key(ID.RunNumberBox, key, 2)
                self.assertEqual(w.text(ID.RunNumberBox), count)
                self.assertEqual((w.checked(ID.SkipFirstBox), w.enabled(ID.SkipFirstBox)), (skip == "1", False))
                stored(RunNumber=count, SkipFirstRun=skip)
            w.screenshot("page_filters")

            # The frame field takes digits only and stores at every key release.
            w.page(ID.RzGroup1Items1)
            w.click(ID.ScreenBox)
            stored(ScreenShot="1")
            w.clear(ID.FrameEdit)
            w.type(ID.FrameEdit, "8x5y0")
            self.assertEqual(w.text(ID.FrameEdit), "850")
            stored(Frame="850")
            w.screenshot("page_resolution")

            # Customization
            w.page(ID.RzGroup1Items3)
            w.type(ID.NoteEdit, NOTE)
            w.type(ID.NoteEdit, "!")
            self.assertEqual(w.text(ID.NoteEdit), NOTE)
            stored(Note=NOTE)
            w.click(ID.UseCustomConfigBox)
            self.assertEqual((w.enabled(ID.ConfigEdit), w.enabled(ID.RzToolButton1)), (True, True))
            stored(UseCustom="1")
            w.click(ID.BoostBox)
            stored(Boost="1")
            w.screenshot("page_customization")

            # Closing the window (as Alt+F4 does) stores the note and the frame once more.
            tamper(sb, "Note", "stale")
            tamper(sb, "Frame", "1")
            w.ui.send(("close", harness.MAIN_TITLE))
        self.assertEqual(program.wait(120), 0)
        self.assertEqual(sb.settings(), expected)

        expected["Path"] = ws.bin64(sb)
        ws.start_program(sb)
        with ws.Window(sb) as w:
            w.wait_shown()
            self.assertEqual(w.text(ID.CrysisPathEdit), ws.bin64(sb))
            # Automatic update is on now: its check reports that nothing answers.
            texts = w.dialog()
            self.assertEqual(texts[0], ws.UPDATER_TITLE)
            self.assertIn(UNREACHABLE, texts)
            w.press("OK")
            shown = {
                "rows": w.rows(),
                "custom": (w.text(ID.CusWidth), w.text(ID.CusHeight), w.checked(ID.CusResBox)),
                "quality": w.chosen(ID.QualityItem0, 4),
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
                "rows": {name: (rows[name] == "1", name in REACHABLE_ROWS) for name in ws.ROW_NAMES},
                "custom": (width, height, True),
                "quality": 2,
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
            self.assertEqual(w.chosen(ID.DemoItem0, 3), 1)
            self.assertEqual((w.text(ID.FrameLabel), w.text(ID.FrameEdit), w.enabled(ID.FrameEdit)),
                             ("frame (1-2157)", "850", True))
            # Start-up and the start panel wrote back only what was there.
            self.assertEqual(sb.settings(live=True), expected)


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
            w.leave(ID.DemoCPUGroup)
            self.assertEqual(sb.settings(live=True).get("DemoCPU"), "2")
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
        ws.start_program(sb)
        with ws.Window(sb) as w:
            w.wait_shown()
            w.choose_vga()
            w.page(ID.RzGroup1Items1)
            self.assertEqual(w.rows(), {name: (name in REACHABLE_ROWS,) * 2 for name in ws.ROW_NAMES})
            # Leaving the group stores the unusable rows as cleared.
            w.leave(ID.ResGroup)
            values = sb.settings(live=True)
            self.assertEqual({name: values[name] for name in ws.ROW_NAMES},
                             {name: "1" if name in REACHABLE_ROWS else "0" for name in ws.ROW_NAMES})

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
