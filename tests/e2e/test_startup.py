"""Start-up through the real window: the refusals when the program's own
settings key or the game is missing, the game's version, the Windows version
the renderer list follows, the folders start-up makes and stores, and the
Debug item that Shift held at the start uncovers."""

import subprocess
import time

import harness
import window_support as ws
from harness import ID, E2ETestCase


class MissingInstallationTest(E2ETestCase):
    def test_missing_settings_key_refuses_runs_and_stores_nothing(self):
        # Without its own key the program does not even look for the game.
        sb = self.sandbox(no_settings_key=True, no_game=True)
        self.assertFalse((sb.program_dir / "Benchmark").exists())
        program = ws.start_program(sb)
        with ws.Window(sb) as w:
            texts = w.dialog()
            self.assertEqual(texts[0], ws.WARNING_TITLE)
            self.assertCountEqual(texts[1:], [ws.REINSTALL, ws.NOT_INSTALLED, "OK"])
            sb.screenshot("-", "reinstall_dialog")
            w.press("OK")
            self.assertIsNone(w.question_before_window(), "a second dialog")
            w.wait_shown()

            self.assertFalse(w.enabled(ID.BenchButton))
            self.assertEqual(w.hint(ID.BenchButton), ws.REINSTALL)
            shown = {name: w.text(ID[name]) for name in
                     ("Label17", "Label11", "MessageLabel", "CrysisPathEdit", "ResEdit", "NoteEdit")}
            self.assertEqual(shown, {"Label17": ws.PROGRAM_VERSION, "Label11": "", "MessageLabel": "",
                                     "CrysisPathEdit": "", "ResEdit": "", "NoteEdit": ""})
            # Nothing was read: no display mode test either, every row is usable.
            self.assertEqual(w.rows(), {name: (False, True) for name in ws.ROW_NAMES})
            self.assertEqual(w.combo(ID.RendererBox), (ws.RENDERERS, -1))

            # The window stays usable, but the saves that test the key first
            # skip their effects on the window too.
            def dependent_states():
                return {"frame field": w.enabled(ID.FrameEdit), "config field": w.enabled(ID.ConfigEdit),
                        "skip box": (w.checked(ID.SkipFirstBox), w.enabled(ID.SkipFirstBox))}

            before = dependent_states()
            self.assertEqual(before, {"frame field": True, "config field": False, "skip box": (False, True)})
            w.choose_vga()
            w.page(ID.RzGroup1Items1)
            w.click(ID.ScreenBox)
            w.click(ID.ScreenBox)  # cleared again: its handler would disable the frame field
            w.page(ID.RzGroup1Items2)
            w.key(ID.RunNumberBox, "UP")
            self.assertEqual(w.text(ID.RunNumberBox), "2")
            w.page(ID.RzGroup1Items3)
            w.click(ID.UseCustomConfigBox)
            w.type(ID.NoteEdit, "stored nowhere")
            self.assertEqual(dependent_states(), before)
            self.assertIsNone(sb.settings(live=True))

            w.ui.send(("close", harness.MAIN_TITLE))
        self.assertEqual(program.wait(120), 0)
        self.assertIsNone(sb.settings(), "the settings key after closing")
        self.assertTrue((sb.program_dir / "Benchmark").is_dir())

    def test_missing_game_key_refuses_runs_but_keeps_storing(self):
        stored = {"Quality": "2", "Note": "from the last time", "AutoUpdate": "1"}
        sb = self.sandbox(no_game=True, settings=stored)
        ws.start_program(sb)
        with ws.Window(sb) as w:
            texts = w.dialog()
            self.assertEqual(texts[0], ws.WARNING_TITLE)
            self.assertCountEqual(texts[1:], [ws.INSTALL_CRYSIS, ws.NO_FULL_VERSION, "OK"])
            w.press("OK")
            w.wait_shown()

            self.assertFalse(w.enabled(ID.BenchButton))
            self.assertEqual(w.hint(ID.BenchButton), ws.INSTALL_CRYSIS)
            shown = {name: w.text(ID[name]) for name in
                     ("Label17", "Label11", "MessageLabel", "CrysisPathEdit", "ResEdit", "NoteEdit")}
            self.assertEqual(shown, {"Label17": ws.PROGRAM_VERSION, "Label11": ws.UNKNOWN_VERSION,
                                     "MessageLabel": ws.INSTALL_CRYSIS, "CrysisPathEdit": "", "ResEdit": "",
                                     "NoteEdit": ""})
            self.assertIsNone(w.chosen(ID.QualityItem0, 4))
            self.assertFalse(w.checked(ID.AutoUpdateBox))
            # No setting was read and no update check ran: nothing was written.
            self.assertFalse(w.has_dialog())
            self.assertEqual(sb.settings(live=True), stored)

            # The key stays open: what the user changes is stored.
            w.choose_vga()
            w.page(ID.RzGroup1Items3)
            w.type(ID.NoteEdit, "typed")
            self.assertEqual(sb.settings(live=True), dict(stored, Note="typed"))
        self.assertTrue((sb.program_dir / "Benchmark").is_dir())


class GameVersionTest(E2ETestCase):
    # name, sandbox options, Crysis version shown, run button usable, message
    CASES = [
        ("v121", {"game_version": "1, 1, 1, 6156"}, "1.2.1", True, ""),
        ("v12", {"game_version": "1, 1, 1, 6115"}, "1.2", True, ""),
        ("v11", {"game_version": "1, 1, 1, 5879"}, "", False, ws.UNSUPPORTED_VERSION),
        ("five-parts", {"game_version": "1, 2, 3, 4, 5"}, "", False, ws.UNSUPPORTED_VERSION),
        ("no-version-information", {"game_version": "none"}, "", False, ws.UNSUPPORTED_VERSION),
        ("no-file-version", {"game_version": "nofileversion"}, ws.UNKNOWN_VERSION, True, ""),
        # 64-bit Windows looks in Bin64 only; the bare library name has no version.
        ("bin32-only", {"bin32_only": True}, "", False, ws.UNSUPPORTED_VERSION),
    ]

    def test_game_version_decides_label_and_run_button(self):
        cases = [(name, dict(options, desktop=None)) for name, options, *_ in self.CASES]
        sandboxes = ws.start_many(self, cases)
        for name, _, label, usable, message in self.CASES:
            with self.subTest(case=name):
                sb = sandboxes[name]
                game_folder = "" if name == "bin32-only" else ws.bin64(sb)
                with ws.Window(sb) as w:
                    w.wait_shown()
                    shown = {"Label11": w.text(ID.Label11), "run button": w.enabled(ID.BenchButton),
                             "MessageLabel": w.text(ID.MessageLabel), "hint": w.hint(ID.BenchButton),
                             "CrysisPathEdit": w.text(ID.CrysisPathEdit), "Label17": w.text(ID.Label17)}
                    self.assertEqual(shown, {"Label11": label, "run button": usable, "MessageLabel": message,
                                             "hint": ws.RUN_HINT, "CrysisPathEdit": game_folder,
                                             "Label17": ws.PROGRAM_VERSION})
                    self.assertFalse(w.has_dialog())
                self.assertEqual(sb.settings(live=True).get("Path"), game_folder)

    def test_install_folder_missing_from_the_game_key(self):
        sb = self.sandbox(no_installdir=True, desktop=None)
        ws.start_program(sb)
        with ws.Window(sb) as w:
            w.wait_shown()
            self.assertEqual((w.text(ID.Label11), w.enabled(ID.BenchButton), w.text(ID.MessageLabel)),
                             ("", False, ws.UNSUPPORTED_VERSION))
            self.assertEqual(w.text(ID.CrysisPathEdit), "")
        self.assertNotIn("Path", sb.settings(live=True))


class FirstStartTest(E2ETestCase):
    # The splash keeps the window back for five seconds; the pictures are
    # seen a little late, so the bound leaves room for that.
    SPLASH_AT_LEAST = 4.0

    def test_first_start_makes_and_stores_the_results_folder(self):
        sb = self.sandbox()
        benchmark = sb.program_dir / "Benchmark"
        self.assertFalse(benchmark.exists())
        with ws.Window(sb) as w:
            w.ui.send(("wait-gone", "no window has this title", 0))  # the driver runs before the program
            ws.start_program(sb)
            w.ui.send(("wait-window", "About Framewright", ws.START_TIMEOUT_MS))
            splash_seen = time.monotonic()
            w.ui.send(("wait-window", harness.MAIN_TITLE, ws.START_TIMEOUT_MS))
            window_seen = time.monotonic()
            self.assertGreaterEqual(window_seen - splash_seen, self.SPLASH_AT_LEAST)
            self.assertFalse(w.ui.send(("wait-window", "About Framewright", 0), check=False).ok,
                             "the splash is gone when the window shows")
            w.wait_shown()
            # The window's client area, centred on the desktop of 1920 x 1200.
            self.assertEqual(w.ui.value("window-rect", harness.MAIN_TITLE), "683 363 1236 836")
            self.assertEqual(w.text(ID.ResEdit), ws.results_default(sb))
            self.assertEqual(w.text(ID.CrysisPathEdit), ws.bin64(sb))
            self.assertEqual(w.text(ID.Label17), ws.PROGRAM_VERSION)
        self.assertTrue(benchmark.is_dir())
        self.assertEqual(list(benchmark.iterdir()), [])
        self.assertEqual(sb.settings(live=True),
                         {"Path": ws.bin64(sb), "ResultPath": ws.results_default(sb), "Renderer": "1"})


class WindowsVersionTest(E2ETestCase):
    # Wine's version, renderer items, selected item, list usable, "Renderer" after start-up
    CASES = [
        ("winxp64", ["DirectX 9"], 0, False, "1"),
        ("vista", ws.RENDERERS, 1, True, "2"),
        ("win7", ws.RENDERERS, 1, True, "2"),
        ("win10", ws.RENDERERS, 1, True, "2"),
    ]

    def test_direct_x_10_only_on_major_version_6(self):
        cases = [(winver, {"winver": winver, "settings": {"Renderer": "2"}, "desktop": None})
                 for winver, *_ in self.CASES]
        sandboxes = ws.start_many(self, cases)
        for winver, items, selected, usable, stored in self.CASES:
            with self.subTest(winver=winver):
                sb = sandboxes[winver]
                with ws.Window(sb) as w:
                    w.wait_shown()
                    self.assertEqual((w.combo(ID.RendererBox), w.enabled(ID.RendererBox)),
                                     ((items, selected), usable))
                    self.assertEqual(w.text(ID.RendererBox), items[selected])
                self.assertEqual(sb.settings(live=True)["Renderer"], stored)


class DebugModeTest(E2ETestCase):
    def test_shift_held_at_start_shows_the_debug_item(self):
        sb = self.sandbox()
        program = ws.start_program(sb, hold_shift=True)
        with ws.Window(sb) as w:
            w.wait_shown()
            self.assertTrue(w.visible(ID.RzGroup1Items4), "the Debug item after a start with Shift")
            w.choose_vga()
            w.page(ID.RzGroup1Items4)
            self.assertTrue(w.visible(ID.DebugMemo))
            self.assertEqual((w.text(ID.Button1), w.text(ID.Button2)), ("Save To C", "Chart"))
            w.screenshot("page_debug")
            w.ui.send(("close", harness.MAIN_TITLE))
        self.assertEqual(program.wait(120), 0)

        ws.start_program(sb)
        with ws.Window(sb) as w:
            w.wait_shown()
            self.assertFalse(w.visible(ID.RzGroup1Items4), "the Debug item after a start without Shift")
            # Pressing Shift later changes nothing.
            env = sb.wine_env()
            subprocess.run(["xdotool", "keydown", "shift"], env=env, check=True)
            try:
                w.choose_vga()
                self.assertFalse(w.visible(ID.RzGroup1Items4))
                self.assertFalse(w.visible(ID.DebugMemo))
            finally:
                subprocess.run(["xdotool", "keyup", "shift"], env=env, check=True)
