"""The rig itself: sandboxes hold what the tests rely on, the registry reads
back exactly, the stand-in game plays in a sandbox, and the UI driver finds,
reads and uses real windows."""

import re
import subprocess
import time
import unittest

import harness
import installation
from harness import ID, E2ETestCase

ROWS_OF_RIG_TARGET = {
    "100": "RigPanel", "101": "Edit", "102": "Button", "103": "ComboBox",
    "104": "ListBox", "105": "Button", "106": "Button", "107": "Static", "108": "Button",
}


def utf16(text: str) -> bytes:
    return text.encode("utf-16-le")


def file_version_of(dll: bytes):
    """The FileVersion text of a version resource, found in the file's bytes
    (the entry's name, zero padding, then the value); None when absent."""
    found = re.search(re.escape(utf16("FileVersion")) + b"(?:\0\0)+((?:[^\0]\0)*)\0\0", dll)
    return found.group(1).decode("utf-16-le") if found else None


def with_values(tree):
    """A registry tree without its empty keys: Wine makes some at run time
    (its font cache, temporary parameters) whenever a program starts."""
    return {name: values for name, values in tree.items() if values}


class SandboxTest(E2ETestCase):
    def test_default_sandbox_holds_game_user_folder_and_program(self):
        started = time.monotonic()
        sb = self.sandbox()
        (self.artifacts / "timing.txt").write_text(f"sandbox: {time.monotonic() - started:.1f} s\n")

        game = sb.game_dir
        for relative in ["Bin32/Crysis.exe", "Bin64/Crysis.exe", "Bin32/CrySystem.dll", "Bin64/CrySystem.dll",
                         "Game/Config/benchmark_gpu.cfg", "Game/Config/benchmark_cpuice.cfg",
                         "Game/Config/benchmark_cpuisland.cfg", "Game/Config/coredemo.cfg",
                         "Game/Levels/island/benchmark_gpu.tmd", "Game/Levels/island/benchmark_cpuisland.tmd",
                         "Game/Levels/ice/benchmark_cpuice.tmd"]:
            with self.subTest(relative=relative):
                self.assertTrue((game / relative).is_file())
        self.assertGreaterEqual(len(list((game / "Game/Config/CVarGroups").glob("*.cfg"))), 2)
        self.assertEqual(list((game / "Game/Levels/core").iterdir()), [])  # the program brings coredemo.tmd
        self.assertEqual(list((game / "Game/Levels/harbor").iterdir()), [])
        self.assertFalse((game / "Bin64/gamesim.ini").exists())
        for bits in ("32", "64"):
            self.assertEqual(file_version_of((game / f"Bin{bits}/CrySystem.dll").read_bytes()), "1, 1, 1, 6156")
        self.assertEqual(sb.game_dir_win, "C:\\Program Files (x86)\\Crytek\\Crysis\\")

        self.assertTrue((sb.user_game_dir / "game.cfg").is_file())
        self.assertTrue((sb.user_game_dir / "ScreenShots" / "ScreenShot0000.jpg").is_file())
        self.assertTrue(sb.user_game_dir_win.endswith("\\Documents\\My Games\\Crysis\\"))
        # The documents folder is the sandbox's own, never the Unix home.
        self.assertFalse(sb.documents_dir.is_symlink())

        self.assertEqual(sb.settings(), {})
        game_key = sb.registry(harness.GAME_KEY)
        self.assertEqual(game_key["InstallDir"].data, "C:\\Program Files (x86)\\Crytek\\Crysis\\")
        wine = sb.registry(r"HKEY_CURRENT_USER\Software\Wine")
        self.assertEqual(wine["Version"].data, "win7")
        self.assertEqual(sb.registry(r"HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops")["fw"].data,
                         harness.DEFAULT_DESKTOP)

        # The program is where its installer put it, as the installer brings it.
        self.assertEqual(sb.program_dir_win, installation.INSTALL_DIR + "\\")
        self.assertEqual(sb.program_exe, sb.program_dir / "framewright.exe")
        if not sb.program_installed:
            self.skipTest("framewright.exe is not built")
        self.assertEqual(sb.tree(sb.program_dir, ignore=["Uninstall.exe"]), installation.installed_files())
        self.assertTrue((sb.program_dir / "Uninstall.exe").is_file())
        self.assertEqual(sb.registry(installation.UNINSTALL_ENTRY)["InstallLocation"].data, installation.INSTALL_DIR)
        # The program's demo differs from the game's own, so a restore shows.
        self.assertNotEqual((sb.program_dir / "benchmark_gpu.tmd").read_bytes(),
                            (game / "Game/Levels/island/benchmark_gpu.tmd").read_bytes())

    def test_options_reach_registry_and_files(self):
        settings = {"800": "1", "Note": 'Größe "x" \\ y', "ResultPath": "C:\\Results\\", "Empty": ""}
        sb = self.sandbox("opts", winver="winxp64", settings=settings, no_installdir=True,
                          bin64_only=True, game_version="1, 1, 1, 5879", desktop=None,
                          gamesim_faults={"fault": "nolog", "duration_ms": 10})
        self.assertEqual(sb.settings(), settings)
        self.assertTrue(all(v.terminated for v in sb.registry(harness.SETTINGS_KEY).values()))
        # The running wineserver answers the same through regedit's export.
        self.assertEqual(sb.settings(live=True), settings)
        self.assertEqual(sb.registry(harness.GAME_KEY), {})
        self.assertEqual(sb.registry(r"HKEY_CURRENT_USER\Software\Wine")["Version"].data, "winxp64")
        self.assertIsNone(sb.registry(r"HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops"))
        self.assertFalse((sb.game_dir / "Bin32").exists())
        self.assertEqual((sb.game_dir / "Bin64" / "gamesim.ini").read_bytes(), b"fault=nolog\r\nduration_ms=10\r\n")
        dll = (sb.game_dir / "Bin64" / "CrySystem.dll").read_bytes()
        self.assertEqual(file_version_of(dll), "1, 1, 1, 5879")
        self.assertEqual(sb.env_file["FW_GAME_VERSION"], "1, 1, 1, 5879")

    def test_registry_written_into_the_files_equals_the_regedit_import(self):
        settings = {"Note": "Größe \"x\" \\ y \U0001F600", "Frame": "850"}
        direct = self.sandbox("direct", settings=settings)
        imported = self.sandbox("imported", settings=settings, regedit=True)
        for key in [harness.SETTINGS_KEY, harness.GAME_KEY, r"HKEY_CURRENT_USER\Software\Wine"]:
            with self.subTest(key=key):
                # Read back through the running wineserver: what Wine itself loaded.
                self.assertEqual(with_values(direct.registry_tree(key, live=True)),
                                 with_values(imported.registry_tree(key, live=True)))
        self.assertIn(harness.SETTINGS_KEY.lower(), direct.registry_tree(harness.SETTINGS_KEY, live=True))
        self.assertEqual(direct.settings(live=True), settings)

    def test_missing_keys_and_version_information(self):
        # Without its settings key the program is still installed (a user
        # removed the key); without the program the key is still made.
        cases = [
            ({"no_settings_key": True}, None, True, True),
            ({"no_game": True}, {}, False, True),
            ({"no_program": True}, {}, True, False),
        ]
        for options, expected_settings, game_key_present, installed in cases:
            with self.subTest(options=options):
                sb = self.sandbox("-".join(options), desktop=None, **options)
                self.assertEqual(sb.settings(), expected_settings)
                self.assertEqual(sb.registry(harness.GAME_KEY) is not None, game_key_present)
                installed = installed and (harness.WIN64_BUILD / "framewright.exe").exists()
                self.assertEqual(sb.program_exe.is_file(), installed)
                self.assertEqual(sb.registry(installation.UNINSTALL_ENTRY) is not None, installed)

        for version, has_info, has_file_version in [("none", False, False), ("nofileversion", True, False)]:
            with self.subTest(version=version):
                sb = self.sandbox(version, desktop=None, game_version=version)
                dll = (sb.game_dir / "Bin32" / "CrySystem.dll").read_bytes()
                self.assertEqual(utf16("VS_VERSION_INFO") in dll, has_info)
                self.assertEqual(file_version_of(dll) is not None, has_file_version)


class StandInGameTest(E2ETestCase):
    COMMAND = ["-DX9", "+map", "island", "+demo", "benchmark_gpu", "+demo_num_runs", "2", "+demo_quit", "1",
               "+r_Width", "1024", "+r_Height", "768", "+demo_screenshot_frame", "850"]

    def test_game_plays_the_demo_and_appends_its_log(self):
        sb = self.sandbox(desktop=None)
        completed = sb.run_game(*self.COMMAND)
        self.assertEqual(completed.returncode, 0, completed.stderr)
        log = harness.wait_for_file(sb.game_dir / "Game/Levels/island/benchmark_gpu.log", timeout=30)
        text = log.read_bytes()
        self.assertIn(b"TimeDemo Play Started", text)
        self.assertIn(b"!TimeDemo Run 1 Finished.\r\n", text)
        self.assertTrue(text.endswith(b"TimeDemo Play Ended, (2 Runs Performed)\r\n"
                                      b"==============================================================\r\n"))
        self.assertTrue((sb.game_dir / "Game.log").is_file())
        # The screenshot counts up past the user's own picture.
        self.assertTrue((sb.user_game_dir / "ScreenShots" / "ScreenShot0001.jpg").is_file())

    def test_fault_from_gamesim_ini(self):
        sb = self.sandbox(desktop=None, gamesim_faults={"fault": "nolog"})
        sb.run_game(*self.COMMAND)
        self.assertFalse((sb.game_dir / "Game/Levels/island/benchmark_gpu.log").exists())


class UiDriverTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        if not harness.RIG_TARGET.exists():
            self.skipTest(f"{harness.RIG_TARGET} is not built")
        self.sb = self.sandbox()
        self.target = self.sb.start(harness.RIG_TARGET, name="rig_target")

    def events(self):
        return self.target.stdout().splitlines()

    def wait_event(self, line):
        harness.wait_until(lambda: line in self.events(), 10, f"event {line!r}")

    def test_controls_are_found_read_and_used(self):
        with self.sb.ui_session() as ui:
            ui.send(("use-window", "Rig Target"))
            ui.send(("use-process", "rig_target.exe"))
            self.assertEqual(ui.value("wait-window", "Rig*", 30000), "Rig Target")
            rows = {line.split()[0]: line.split()[1] for line in ui.values("list-controls")}
            self.assertEqual(rows, ROWS_OF_RIG_TARGET)  # 101 and 103 sit inside panel 100

            ui.send(("set-text", 101, ""))
            ui.send(("type", 101, "ab×"))
            self.assertEqual(ui.value("text", 101), "ab×")
            for line in ["change 101 a", "keyup 101 65", "change 101 ab", "change 101 ab×"]:
                self.wait_event(line)
            self.assertEqual(sum(1 for e in self.events() if e.startswith("keyup 101")), 3)

            ui.send(("click", 102))
            self.assertEqual(ui.value("checked", 102), "1")
            self.wait_event("clicked 102 1")

            self.assertEqual(ui.values("combo-items", 103), ["Low", "Medium", "High", "1024 × 768"])
            self.assertEqual(ui.value("combo-index", 103), "-1")
            ui.send(("combo-select", 103, 3))
            self.assertEqual(ui.value("combo-index", 103), "3")
            self.wait_event("selchange 103 3")  # the notification reached the window through the panel
            self.assertFalse(ui.send(("combo-select", 103, 4), check=False).ok)

            self.assertEqual(ui.values("list-items", 104), ["800 x 600", "1024 x 768"])
            ui.send(("list-select", 104, 1))
            self.wait_event("selchange 104 1")

            self.assertEqual(ui.value("enabled", 106), "0")
            refused = ui.send(("click", 106), check=False)
            self.assertEqual(refused.error, "control 106 is disabled")
            self.assertFalse(ui.send(("text", 999), check=False).ok)

            self.assertEqual(ui.value("tooltip", 105), "Asks a question")
            ui.send(("hover-leave", 101))
            self.wait_event("mouseleave 101")

            ui.send(("focus", 101))
            self.assertEqual(ui.value("focused"), "101")
            ui.send(("key", 101, "BACK"))
            self.assertEqual(ui.value("text", 101), "ab")

    def test_dialogs_are_read_and_answered(self):
        with self.sb.ui_session() as ui:
            ui.send(("use-window", "Rig Target"))
            ui.send(("use-process", "rig_target.exe"))
            ui.send(("wait-window", "Rig Target", 30000))
            self.assertFalse(ui.send(("dialog-texts", 200), check=False).ok)

            ui.send(("click", 105))  # returns while the message box waits for the user
            texts = ui.values("dialog-texts")
            self.assertEqual(texts[0], "Rig Question")
            self.assertEqual(sorted(texts[1:]), sorted(["&Yes", "&No", "Question text"]))
            ui.send(("dialog-press", "No"))
            self.wait_event("answer no")

            ui.send(("click", 108))
            texts = ui.values("dialog-texts")
            self.assertEqual(texts[0], "Rig Task")
            for text in ["Main instruction", "Content text", "Do not show again", "Fine"]:
                self.assertIn(text, texts)
            self.assertEqual(ui.value("dialog-check-verification"), "1")
            ui.send(("dialog-press", "Fine"))
            self.wait_event("task 1 1")

    def test_screenshot_and_close(self):
        self.sb.ui(("wait-window", "Rig Target", 30000))
        png = self.sb.screenshot("Rig Target", "rig_target")
        size = subprocess.run(["identify", "-format", "%w %h %k", str(png)], capture_output=True,
                              text=True, check=True).stdout.split()
        self.assertEqual(size[:2], ["420", "320"])
        self.assertGreater(int(size[2]), 4)  # real controls, not a blank rectangle
        self.sb.screenshot("-", "desktop")

        self.sb.ui(("close", "Rig Target"), ("wait-gone", "Rig Target", 10000))
        self.assertEqual(self.target.wait(30), 7)
        self.assertIn("close", self.events())

    def test_shift_held_at_start_is_seen(self):
        self.sb.ui(("wait-window", "Rig Target", 30000), ("close", "Rig Target"),
                   ("wait-gone", "Rig Target", 10000))
        self.target.wait(30)
        self.assertEqual(self.events()[0], "shift up")
        held = self.sb.start(harness.RIG_TARGET, name="rig_target_shift", hold_shift_until="Rig Target")
        self.assertEqual(held.stdout().splitlines()[0], "shift down")

    def test_notepad_window(self):
        # Any program's window, not only our own: Wine's notepad.
        notepad = self.sb.start("notepad")
        with self.sb.ui_session() as ui:
            title = ui.value("wait-window", "* - Notepad", 30000)
            ui.send(("use-window", title))
            ui.send(("use-process", "notepad.exe"))
            edit = next(line.split()[0] for line in ui.values("list-controls") if " Edit " in line)
            ui.send(("type", edit, "typed by the rig"))
            self.assertEqual(ui.value("text", edit), "typed by the rig")
            ui.send(("close", title))
            self.assertIn("&No", ui.values("dialog-texts"))  # asks to save the typed text
            ui.send(("dialog-press", "No"))
            ui.send(("wait-gone", title, 10000))
        notepad.wait(30)


class ShiftAtStartTest(E2ETestCase):
    def test_shift_held_for_the_first_program_of_a_cold_sandbox(self):
        if not harness.RIG_TARGET.exists():
            self.skipTest(f"{harness.RIG_TARGET} is not built")
        sb = self.sandbox()
        held = sb.start(harness.RIG_TARGET, name="held", hold_shift_until="Rig Target")
        self.assertEqual(held.stdout().splitlines()[0], "shift down")
        sb.ui(("close", "Rig Target"), ("wait-gone", "Rig Target", 10000))
        held.wait(30)
        free = sb.start(harness.RIG_TARGET, name="free")
        sb.ui(("wait-window", "Rig Target", 30000))
        self.assertEqual(free.stdout().splitlines()[0], "shift up")


class ProgramStartTest(E2ETestCase):
    def test_program_shows_its_main_window(self):
        main_source = (harness.REPO / "src/app/win32/main.cpp").read_text()
        if "{ return 0; }" in main_source:
            self.skipTest("framewright.exe is still the empty skeleton")
        if not (harness.WIN64_BUILD / "framewright.exe").exists():
            self.skipTest("framewright.exe is not built")
        sb = self.sandbox()
        started = time.monotonic()
        sb.start_program()
        sb.ui(("wait-window", harness.MAIN_TITLE, 60000))
        elapsed = time.monotonic() - started
        (self.artifacts / "timing.txt").write_text(f"program start to main window: {elapsed:.1f} s\n")
        sb.screenshot(harness.MAIN_TITLE, "main_window")
        self.assertEqual(sb.ui_value("visible", ID.BenchButton), "1")


if __name__ == "__main__":
    unittest.main()
