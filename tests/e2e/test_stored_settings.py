"""Start-ups from settings the test writes into the registry first: what the
window shows for each stored text, what start-up writes back, the display
modes the resolution rows and the custom size depend on, and the repair
that only a stored flag asks for."""

from typing import Callable, Dict

import harness
import window_support as ws
from harness import ID, E2ETestCase

# What a reading of the window is called in the tables, and how it is read.
READERS: Dict[str, Callable[[ws.Window], object]] = {
    "rows": lambda w: w.rows(),
    "custom size": lambda w: (w.text(ID.CusWidth), w.text(ID.CusHeight), w.checked(ID.CusResBox)),
    "quality": lambda w: w.chosen(ID.QualityItem0, len(ws.QUALITY_ITEMS)),
    "filtering": lambda w: w.combo(ID.AFBox)[1],
    "antialiasing": lambda w: w.combo(ID.AABox)[1],
    "renderer": lambda w: (w.combo(ID.RendererBox), w.enabled(ID.RendererBox)),
    "runs": lambda w: w.text(ID.RunNumberBox),
    "skip first": lambda w: (w.checked(ID.SkipFirstBox), w.enabled(ID.SkipFirstBox)),
    "cpu runs": lambda w: w.text(ID.RunNumberBoxCPU),
    "screenshot": lambda w: (w.checked(ID.ScreenBox), w.enabled(ID.FrameEdit)),
    "frame label": lambda w: w.text(ID.FrameLabel),
    "switches": lambda w: {name: w.checked(ID[name]) for name in
                           ("MultiGPUBox", "BoostBox", "RandomBox", "AutoUpdateBox", "UseCustomConfigBox")},
    "demo": lambda w: w.chosen(ID.DemoItem0, len(ws.DEMO_ITEMS)),
    "demo file": lambda w: (w.text(ID.DemoEdit), w.enabled(ID.DemoEdit)),
    "config file": lambda w: (w.text(ID.ConfigEdit), w.enabled(ID.ConfigEdit)),
    "results folder": lambda w: w.text(ID.ResEdit),
    "note": lambda w: w.text(ID.NoteEdit),
    "dialog open": lambda w: w.has_dialog(),
}

DESKTOP_ROWS = {name: (False, name not in ws.MISSING_ON_DESKTOP) for name in ws.ROW_NAMES}
# On a bare X screen Wine offers the screen's own size only.
BARE_SCREEN_ROWS = {name: (False, name == "hdw3") for name in ws.ROW_NAMES}


def read(w: ws.Window, expected: Dict[str, object]) -> Dict[str, object]:
    return {name: READERS[name](w) for name in expected}


def written_at_start(sb: harness.Sandbox) -> Dict[str, str]:
    """What every start-up with the game found writes: the game folder, the
    renderer its list starts with (DirectX 9 when nothing else is stored) and
    the results folder when none usable was stored."""
    return {"Path": ws.bin64(sb), "Renderer": "1", "ResultPath": ws.results_default(sb)}


class StoredSettingsTest(E2ETestCase):
    """Each case: settings written before the start, what the window shows
    before the start panel is answered, and the values that start-up changes
    or adds besides those of written_at_start."""

    CASES = {
        "empty key": (
            {},
            {"rows": DESKTOP_ROWS, "custom size": ("", "", False), "quality": None, "filtering": -1,
             "antialiasing": -1, "renderer": ((ws.RENDERERS, 0), True), "runs": "1", "skip first": (False, True),
             "cpu runs": "1", "screenshot": (False, False), "frame label": "(1-2000)",
             "switches": {"MultiGPUBox": False, "BoostBox": False, "RandomBox": False, "AutoUpdateBox": False,
                          "UseCustomConfigBox": False},
             "demo": None, "demo file": ("", False), "config file": ("", False), "results folder": "default",
             "note": "", "dialog open": False},
            {}),
        "odd values": (
            {"Quality": "5", "AFLevel": "6", "AALevel": "7", "RunNumber": "x", "SkipFirstRun": "1",
             "RunNumberCPU": "6", "Demo": "4", "MultiGPU": "yes", "ScreenShot": "2", "Boost": "1 ", "Re": "0",
             "Renderer": "3"},
            {"quality": None, "filtering": -1, "antialiasing": 7, "renderer": ((ws.RENDERERS, 0), True),
             "runs": "1", "skip first": (True, True), "cpu runs": "1", "screenshot": (False, False),
             "switches": {"MultiGPUBox": False, "BoostBox": False, "RandomBox": False, "AutoUpdateBox": False,
                          "UseCustomConfigBox": False},
             "demo": None},
            {}),
        "stored choices": (
            {"Quality": "4", "AFLevel": "0", "AALevel": "3", "RunNumber": "1", "SkipFirstRun": "1",
             "RunNumberCPU": "5", "Demo": "1", "MultiGPU": "1", "ScreenShot": "1", "Frame": "1234", "Boost": "1",
             "Re": "1", "Note": "Größe × 2", "Renderer": "1"},
            {"quality": 3, "filtering": 0, "antialiasing": 3, "runs": "1", "skip first": (False, False),
             "cpu runs": "5", "screenshot": (True, True), "frame label": "frame (1-2000)",
             "switches": {"MultiGPUBox": True, "BoostBox": True, "RandomBox": True, "AutoUpdateBox": False,
                          "UseCustomConfigBox": False},
             "demo": 0, "demo file": ("", False), "note": "Größe × 2"},
            {}),
        # The custom demo clears the screenshot box, which stores its state.
        "files removed": (
            {"Demo": "3", "Demoname": "C:\\Removed\\mine.tmd", "UseCustom": "1",
             "ConfigFile": "C:\\Removed\\mine.cfg", "ResultPath": "C:\\Removed\\", "ScreenShot": "1"},
            {"demo": 2, "demo file": ("", True), "frame label": "unknow frame", "screenshot": (False, False),
             "config file": ("", True), "results folder": "default"},
            {"ScreenShot": "0"}),
        "files present": (
            {"Demo": "3", "Demoname": "C:\\Bench\\mine.tmd", "UseCustom": "0", "ConfigFile": "C:\\Bench\\mine.cfg",
             "ResultPath": "C:\\Bench\\"},
            {"demo": 2, "demo file": ("C:\\Bench\\mine.tmd", True), "config file": ("C:\\Bench\\mine.cfg", False),
             "results folder": "C:\\Bench\\"},
            {"ResultPath": "C:\\Bench\\"}),
    }

    def test_window_shows_what_the_key_holds(self):
        def prepare(name, sb):
            if name == "files present":
                bench = sb.unix_path("C:\\Bench")
                bench.mkdir()
                (bench / "mine.tmd").write_bytes(b"demo\r\n")
                (bench / "mine.cfg").write_bytes(b"r_Fullscreen = 0\r\n")

        sandboxes = ws.start_many(self, [(name, {"settings": stored})
                                         for name, (stored, _, _) in self.CASES.items()], prepare)
        for name, (stored, shown, changed) in self.CASES.items():
            with self.subTest(case=name):
                sb = sandboxes[name]
                expected_shown = {k: ws.results_default(sb) if v == "default" else v for k, v in shown.items()}
                with ws.Window(sb) as w:
                    w.wait_shown()
                    self.assertEqual(read(w, expected_shown), expected_shown)
                self.assertEqual(sb.settings(live=True), {**stored, **written_at_start(sb), **changed})


class DisplayModeTest(E2ETestCase):
    # name, sandbox options, settings, shown, changed values
    CASES = [
        ("unavailable rows stay off", {}, {name: "1" for name in ws.ROW_NAMES},
         {"rows": {name: (name not in ws.MISSING_ON_DESKTOP,) * 2 for name in ws.ROW_NAMES}}, {}),
        ("bare screen", {"desktop": None}, {name: "1" for name in ws.ROW_NAMES},
         {"rows": {name: (name == "hdw3",) * 2 for name in ws.ROW_NAMES}}, {}),
        ("custom size offered", {}, {"CusW": "1600", "CusH": "1200", "CusRes": "1"},
         {"custom size": ("1600", "1200", True)}, {}),
        ("custom size offered, box off", {}, {"CusW": "1280", "CusH": "1024", "CusRes": "0"},
         {"custom size": ("1280", "1024", False)}, {}),
        ("custom size no longer offered", {"desktop": None}, {"CusW": "1280", "CusH": "720", "CusRes": "1"},
         {"custom size": ("", "", False), "rows": BARE_SCREEN_ROWS}, {"CusW": "0", "CusH": "0"}),
        ("custom size zero", {}, {"CusW": "0", "CusH": "1200", "CusRes": "1"},
         {"custom size": ("", "", False)}, {}),
        # The size is looked for as text anywhere in the list of modes.
        ("custom size inside a mode", {}, {"CusW": "800", "CusH": "60", "CusRes": "1"},
         {"custom size": ("800", "60", True)}, {}),
    ]

    def test_rows_and_custom_size_follow_the_display_modes(self):
        sandboxes = ws.start_many(self, [(name, dict(options, settings=stored))
                                         for name, options, stored, _, _ in self.CASES])
        for name, _, stored, shown, changed in self.CASES:
            with self.subTest(case=name):
                sb = sandboxes[name]
                with ws.Window(sb) as w:
                    w.wait_shown()
                    self.assertEqual(read(w, shown), shown)
                # The rows' values stay as they were, also for rows that cannot be used.
                self.assertEqual(sb.settings(live=True), {**stored, **written_at_start(sb), **changed})


class RepairFlagTest(E2ETestCase):
    """Game files as an interrupted run leaves them; without "NoErrorWarning"
    set to "1" start-up neither repairs them nor asks about autoexec.cfg."""

    CASES = [("flag missing", {}), ("flag 0", {"NoErrorWarning": "0"}), ("flag other", {"NoErrorWarning": "yes"})]

    def test_no_repair_and_no_question_without_the_flag(self):
        before = {}

        def leave_run_state(name, sb):
            (sb.game_dir / "autoexec.cfg").write_bytes(b"con_restricted = 0\r\n")
            (sb.user_game_dir / "game.cfg").rename(sb.user_game_dir / "Gameold.cfg")
            (sb.user_game_dir / "game.cfg").write_bytes(b"sys_spec = 1\r\n")
            config = sb.game_dir / "Game" / "Config"
            (config / "benchmark_gpu.cfg").rename(config / "benchmark_gpuold.cfg")
            before[name] = (sb.tree(sb.game_dir), sb.tree(sb.user_game_dir))

        sandboxes = ws.start_many(self, [(name, {"settings": stored}) for name, stored in self.CASES],
                                  leave_run_state)
        for name, stored in self.CASES:
            with self.subTest(case=name):
                sb = sandboxes[name]
                with ws.Window(sb) as w:
                    # The repair runs before the window shows: a question would come first.
                    self.assertIsNone(w.question_before_window())
                    w.wait_shown()
                    self.assertFalse(w.has_dialog())
                self.assertTreesEqual(before[name][0], sb.tree(sb.game_dir), "game installation")
                self.assertTreesEqual(before[name][1], sb.tree(sb.user_game_dir), "user's game folder")
                self.assertEqual(sb.settings(live=True), {**stored, **written_at_start(sb)})
