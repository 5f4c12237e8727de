"""The 64-bit installer under Wine: a silent installation brings the program,
its manual and data, the empty settings key (32-bit registry view), the Start
menu shortcuts and the entry in the list of installed programs; a silent
removal takes exactly these away and leaves the user's reports and
screenshots where they are.

The installers are built (scripts/build-installer.sh) before the first test
when they are missing or out of date. These sandboxes start without the
program, so that the tests install it themselves."""

import hashlib
import re
import time

import harness
import shell_link
from file_trees import DIRECTORY
from harness import E2ETestCase, wait_until
from installation import INSTALL_DIR, SETUP, UNINSTALL_ENTRY, installed_files

REPO = harness.REPO
MAKER_DIR = "C:\\Program Files\\Brimvale"
START_MENU = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Framewright"
SETTINGS_KEY = harness.SETTINGS_KEY
MAKER_KEY = r"HKEY_LOCAL_MACHINE\Software\Wow6432Node\Brimvale"
SETTINGS_KEY_64_BIT_VIEW = r"HKEY_LOCAL_MACHINE\Software\Brimvale\Tallyrun"

SHORTCUTS = {
    "Framewright.lnk": INSTALL_DIR + "\\framewright.exe",
    "Help.lnk": INSTALL_DIR + "\\Help.pdf",
    "Uninstall.lnk": INSTALL_DIR + "\\Uninstall.exe",
}


def setUpModule():
    # Both: the timing notes the size of the 32-bit one too.
    harness.build_installer()


def program_version() -> str:
    cmake = (REPO / "CMakeLists.txt").read_text()
    return re.search(r'^set\(FW_FILE_VERSION "([^"]+)"\)', cmake, re.M).group(1)


def run_command_line(sb, name: str, command_line: str):
    """Runs a command line exactly as written, through a batch file: Wine
    quotes every argument that holds a blank, and the uninstaller takes
    _?= only unquoted, as the last thing on its command line."""
    batch = sb.prefix / "drive_c" / f"{name}.bat"
    batch.write_bytes(f"@{command_line}\r\n@exit %ERRORLEVEL%\r\n".encode("cp1252"))
    return sb.run("cmd", "/c", f"C:\\{name}.bat", timeout=180)


class InstallerTest(E2ETestCase):
    def install(self, sb):
        completed = sb.run(SETUP, "/S", timeout=180)
        self.assertEqual(completed.returncode, 0, completed.stderr)

    def install_tree(self, sb) -> dict:
        return sb.tree(INSTALL_DIR, ignore=["Uninstall.exe"])

    def assertInstalled(self, sb):
        self.assertEqual(self.install_tree(sb), installed_files())
        self.assertTrue(sb.unix_path(INSTALL_DIR + "\\Uninstall.exe").is_file())
        self.assertEqual(sb.registry(SETTINGS_KEY), {}, "settings key with no values, 32-bit view")
        self.assertIsNone(sb.registry(SETTINGS_KEY_64_BIT_VIEW), "no settings key in the 64-bit view")
        menu = sb.unix_path(START_MENU)
        targets = {link.name: shell_link.local_target(link.read_bytes()) for link in menu.iterdir()}
        self.assertEqual(targets, SHORTCUTS)

    def assertRemoved(self, sb):
        self.assertIsNone(sb.registry(SETTINGS_KEY))
        self.assertIsNone(sb.registry(MAKER_KEY), "the maker's key goes with its last program")
        self.assertIsNone(sb.registry(UNINSTALL_ENTRY))
        self.assertFalse(sb.unix_path(START_MENU).exists())

    def test_silent_install_and_silent_uninstall_in_place(self):
        sb = self.sandbox(no_settings_key=True, no_program=True)
        self.assertIsNone(sb.registry(SETTINGS_KEY))

        # A trivial program first, so that the installer and the comparison
        # below both find Wine already started.
        run_command_line(sb, "warm-up", "exit 0")
        started = time.monotonic()
        self.install(sb)
        install_seconds = time.monotonic() - started
        started = time.monotonic()
        run_command_line(sb, "baseline", "exit 0")
        baseline_seconds = time.monotonic() - started

        self.assertInstalled(sb)
        entry = {name: value.data for name, value in sb.registry(UNINSTALL_ENTRY).items()}
        uninstaller = f'"{INSTALL_DIR}\\Uninstall.exe"'
        self.assertEqual({name: entry.get(name) for name in
                          ["DisplayName", "DisplayVersion", "Publisher", "InstallLocation",
                           "UninstallString", "QuietUninstallString", "NoModify", "NoRepair"]},
                         {"DisplayName": "Brimvale Framewright", "DisplayVersion": program_version(),
                          "Publisher": "Brimvale", "InstallLocation": INSTALL_DIR,
                          "UninstallString": uninstaller, "QuietUninstallString": uninstaller + " /S",
                          "NoModify": 1, "NoRepair": 1})
        self.assertGreater(entry["EstimatedSize"], 0)

        started = time.monotonic()
        completed = run_command_line(sb, "uninstall", f"{uninstaller} /S _?={INSTALL_DIR}")
        uninstall_seconds = time.monotonic() - started
        self.assertEqual(completed.returncode, 0, completed.stdout + completed.stderr)
        # Working in place, the uninstaller cannot remove its own file.
        self.assertEqual(list(sb.tree(INSTALL_DIR)), ["Uninstall.exe"])
        self.assertRemoved(sb)

        (self.artifacts / "timing.txt").write_text(
            f"silent install: {install_seconds:.1f} s\n"
            f"silent uninstall in place (through cmd): {uninstall_seconds:.1f} s\n"
            f"trivial program through cmd, for comparison: {baseline_seconds:.1f} s\n"
            f"Framewright-Setup-x64.exe: {SETUP.stat().st_size} bytes\n"
            f"Framewright-Setup-x86.exe: {(SETUP.parent / 'Framewright-Setup-x86.exe').stat().st_size} bytes\n")

    def test_uninstall_from_programs_list_removes_everything_then_install_again(self):
        sb = self.sandbox(no_settings_key=True, no_program=True)
        self.install(sb)
        # The program makes its results folder at every start; empty, it is
        # nobody's and goes with the program.
        sb.unix_path(INSTALL_DIR + "\\Benchmark").mkdir()
        quiet = sb.registry(UNINSTALL_ENTRY)["QuietUninstallString"].data

        completed = run_command_line(sb, "uninstall", quiet)
        self.assertEqual(completed.returncode, 0, completed.stdout + completed.stderr)
        # The uninstaller hands over to a copy of itself, which also removes
        # the original and the folders.
        wait_until(lambda: not sb.unix_path(MAKER_DIR).exists(), 120, f"{MAKER_DIR} removed")
        self.assertRemoved(sb)

        self.install(sb)
        self.assertInstalled(sb)

    def test_uninstall_keeps_reports_and_screenshots_and_removes_the_options(self):
        sb = self.sandbox(no_settings_key=True, no_program=True)
        self.install(sb)
        user_files = {
            "Benchmark/result_143005__09_12_2008.htm": b"<html>report</html>\r\n",
            "Benchmark/result_143005__09_12_2008chart.jpg": b"\xff\xd8\xff\xe0 chart",
            "ScreenShots/frame850_143005__09_12_2008_1024\xd7768.jpg": b"\xff\xd8\xff\xe0 shot",
            "ScreenShots/frame850_143005__09_12_2008_1024\xd7768.txt": b"Resolution: 1024\xd7768\r\n",
        }
        for relative, content in user_files.items():
            path = sb.unix_path(INSTALL_DIR) / relative
            path.parent.mkdir(exist_ok=True)
            path.write_bytes(content)
        # Options as the program stores them.
        for name, value in {"Quality": "4", "Note": "stock clocks"}.items():
            completed = sb.run("reg", "add", SETTINGS_KEY, "/v", name, "/t", "REG_SZ", "/d", value, "/f")
            self.assertEqual(completed.returncode, 0, completed.stderr)
        self.assertEqual(sb.settings(), {"Quality": "4", "Note": "stock clocks"})

        completed = run_command_line(sb, "uninstall", f'"{INSTALL_DIR}\\Uninstall.exe" /S _?={INSTALL_DIR}')
        self.assertEqual(completed.returncode, 0, completed.stdout + completed.stderr)

        left = sb.tree(INSTALL_DIR, ignore=["Uninstall.exe"])
        expected = {relative: hashlib.sha256(content).hexdigest() for relative, content in user_files.items()}
        expected.update({"Benchmark": DIRECTORY, "ScreenShots": DIRECTORY})
        self.assertEqual(left, expected)
        self.assertRemoved(sb)

    def test_install_over_existing_settings_keeps_them(self):
        settings = {"Quality": "3", "ResultPath": "D:\\Bench\\", "Note": "Größe"}
        sb = self.sandbox(settings=settings, no_program=True)
        self.install(sb)
        self.assertEqual(sb.settings(), settings)
        self.assertEqual(self.install_tree(sb), installed_files())
