"""The end-to-end test library: Xvfb, Wine sandboxes, the program, the UI
driver, the registry and file trees of a sandbox, and artefacts.

    class StartupTest(harness.E2ETestCase):
        def test_missing_settings_key(self):
            sb = self.sandbox(no_settings_key=True)
            app = sb.start_program()
            texts = sb.ui_values("dialog-texts", 30000)
            ...

Every test gets artifacts/e2e/<test id>/ (program output, screenshots as
PNG); its sandboxes live in build/e2e-sandboxes/ and are removed when the
test passes (FW_E2E_KEEP=1 keeps them always).

The program comes into a sandbox through its installer, which is built
from FW_WIN64_BUILD before a sandbox when it is missing or carries another
build.

Environment: FW_WIN64_BUILD (build/win64), FW_INSTALLER_DIR (build/installer,
or FW_WIN64_BUILD/installer for another build, as build-installer.sh puts it),
FW_E2E_SANDBOXES (build/e2e-sandboxes), FW_E2E_ARTIFACTS (artifacts/e2e),
FW_E2E_KEEP.
"""

from __future__ import annotations

import atexit
import os
import re
import shlex
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path
from typing import Callable, Dict, Iterable, List, Optional, Sequence

import file_trees
import regfile
from file_trees import TreeDiff, diff_trees, hash_tree  # noqa: F401  (re-exported)
from regfile import RegValue  # noqa: F401  (re-exported)
from uidriver_client import Command, CommandResult, UiError, UiSession, argument_list, parse_output

REPO = Path(__file__).resolve().parents[2]
WIN64_BUILD = Path(os.environ.get("FW_WIN64_BUILD", REPO / "build" / "win64"))
INSTALLER_DIR = Path(os.environ.get("FW_INSTALLER_DIR") or (
    REPO / "build" / "installer" if WIN64_BUILD.resolve() == (REPO / "build" / "win64").resolve()
    else WIN64_BUILD / "installer"))
BUILD_INSTALLER = REPO / "scripts" / "build-installer.sh"
SANDBOX_ROOT = Path(os.environ.get("FW_E2E_SANDBOXES", REPO / "build" / "e2e-sandboxes"))
ARTIFACTS = Path(os.environ.get("FW_E2E_ARTIFACTS", REPO / "artifacts" / "e2e"))
MAKE_SANDBOX = REPO / "tools" / "sandbox" / "make-sandbox.sh"
RUN_IN_SANDBOX = REPO / "tools" / "sandbox" / "run-in-sandbox.sh"
UIDRIVER = WIN64_BUILD / "tests" / "e2e" / "uidriver" / "uidriver.exe"
RIG_TARGET = WIN64_BUILD / "tests" / "e2e" / "uidriver" / "rig_target.exe"
GAMESIM = WIN64_BUILD / "tools" / "gamesim" / "gamesim.exe"
FAULT_PROBE = WIN64_BUILD / "tests" / "e2e" / "fault_probe" / "framewright.exe"
CONTROL_IDS_HEADER = REPO / "src" / "app" / "win32" / "control_ids.h"

SETTINGS_KEY = r"HKEY_LOCAL_MACHINE\Software\Wow6432Node\Brimvale\Tallyrun"
GAME_KEY = r"HKEY_LOCAL_MACHINE\Software\Wow6432Node\Crytek\Crysis"
MAIN_TITLE = "Framewright"
DEFAULT_DESKTOP = "1920x1200"
_ROOTS = {"HKEY_LOCAL_MACHINE": "system.reg", "HKEY_CURRENT_USER": "user.reg"}


# ---------------------------------------------------------------- waiting

def wait_until(condition: Callable[[], object], timeout: float, what: str = "condition",
               interval: float = 0.05):
    """Polls until the condition is true (returns its value); raises
    AssertionError naming `what` when the time is up."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError(f"{what}: not reached within {timeout} s")
        time.sleep(interval)


def wait_until_or_none(condition: Callable[[], object], timeout: float, interval: float = 0.05):
    """As wait_until, but None when the time is up."""
    try:
        return wait_until(condition, timeout, interval=interval)
    except AssertionError:
        return None


def wait_for_file(path, timeout: float = 30.0, stable: bool = True) -> Path:
    """Waits for a file to exist (and, with `stable`, to stop growing)."""
    path = Path(path)
    wait_until(path.exists, timeout, f"file {path}")
    if stable:
        last = [-1]

        def settled() -> bool:
            size = path.stat().st_size
            done = size == last[0]
            last[0] = size
            return done

        wait_until(settled, timeout, f"file {path} to settle", interval=0.2)
    return path


def wine_process_ids(name: str):
    """Process ids (Unix) of Wine processes whose command line names the program."""
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/cmdline", "rb") as f:
                    words = f.read().split(b"\0")
            except OSError:
                continue
            if words and any(w.lower().endswith(name.lower().encode()) for w in words[:2]):
                found.append(int(entry))
    return found


# ---------------------------------------------------------------- display

class _Display:
    """One Xvfb for the whole test run, started on first use."""

    def __init__(self) -> None:
        self.name: Optional[str] = None
        self._process: Optional[subprocess.Popen] = None

    def get(self) -> str:
        if self.name is None:
            self._start()
        assert self.name is not None
        return self.name

    def _start(self) -> None:
        # Xvfb picks a free display number itself and tells it through a pipe,
        # so parallel runs of other people on the machine never collide.
        read_end, write_end = os.pipe()
        self._process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1920x1200x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.name = f":{number}"
        atexit.register(self.stop)

    def stop(self) -> None:
        if self._process is not None and self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._process.kill()
        self._process = None
        self.name = None


_display = _Display()


def display() -> str:
    """The test run's X display (":N"), started on first use."""
    return _display.get()


# ---------------------------------------------------------------- control ids

class ControlIds:
    """The program's control ids by name, read from control_ids.h:
    ID.BenchButton or ID["kBenchButton"] -> 1008."""

    def __init__(self, header: Path = CONTROL_IDS_HEADER) -> None:
        self._ids: Dict[str, int] = {}
        if header.exists():
            pattern = re.compile(r"constexpr\s+int\s+k(\w+)\s*=\s*(0x[0-9a-fA-F]+|\d+)\s*;")
            for name, number in pattern.findall(header.read_text()):
                self._ids[name] = int(number, 0)

    def __getitem__(self, name: str) -> int:
        name = name[1:] if name.startswith("k") and name[1:] in self._ids else name
        if name not in self._ids:
            raise KeyError(f"no control id {name} in {CONTROL_IDS_HEADER}")
        return self._ids[name]

    def __getattr__(self, name: str) -> int:
        if name.startswith("_"):
            raise AttributeError(name)
        try:
            return self[name]
        except KeyError as error:
            raise AttributeError(str(error)) from None

    def names(self) -> List[str]:
        return sorted(self._ids)


ID = ControlIds()


# ---------------------------------------------------------------- programs

class Program:
    """A Windows program running in a sandbox in the background; its stdout
    and stderr go to files in the test's artefacts."""

    def __init__(self, argv: Sequence[str], env: dict, cwd: Optional[Path], log_stem: Path) -> None:
        log_stem.parent.mkdir(parents=True, exist_ok=True)
        self.stdout_path = log_stem.parent / f"{log_stem.name}.stdout.txt"
        self.stderr_path = log_stem.parent / f"{log_stem.name}.stderr.txt"
        self._stdout = open(self.stdout_path, "wb")
        self._stderr = open(self.stderr_path, "wb")
        self.process = subprocess.Popen(list(argv), env=env, cwd=cwd, stdin=subprocess.DEVNULL,
                                        stdout=self._stdout, stderr=self._stderr)

    @property
    def running(self) -> bool:
        return self.process.poll() is None

    def wait(self, timeout: float = 60.0) -> int:
        """The exit code; AssertionError when it still runs after the timeout."""
        try:
            code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"program still running after {timeout} s") from None
        self._close_logs()
        return code

    def kill(self) -> None:
        if self.running:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        self._close_logs()

    def stdout(self) -> str:
        if not self._stdout.closed:
            self._stdout.flush()
        return self.stdout_path.read_text(encoding="utf-8", errors="replace")

    def _close_logs(self) -> None:
        for f in (self._stdout, self._stderr):
            if not f.closed:
                f.close()


# ---------------------------------------------------------------- sandboxes

def _read_env_file(path: Path) -> Dict[str, str]:
    env: Dict[str, str] = {}
    for line in path.read_text().splitlines():
        if not line or line.startswith("#"):
            continue
        words = shlex.split(line)
        if words and "=" in words[0]:
            name, _, value = words[0].partition("=")
            env[name] = value
    return env


class Sandbox:
    """A Wine prefix made by make-sandbox.sh, with the stand-in game, the
    settings key and (normally) the program installed by its installer."""

    def __init__(self, directory: Path, artifacts: Path, name: Optional[str] = None) -> None:
        self.dir = Path(directory)
        self.name = name or self.dir.name
        self.artifacts = Path(artifacts)
        self.env_file = _read_env_file(self.dir / "sandbox.env")
        self.prefix = Path(self.env_file["WINEPREFIX"])
        self.program_dir = Path(self.env_file["FW_PROGRAM_DIR"])
        self.program_dir_win = self.env_file["FW_PROGRAM_DIR_WIN"]
        self.program_exe = Path(self.env_file["FW_PROGRAM_EXE"])
        self.game_dir = Path(self.env_file["FW_GAME_DIR"])
        self.game_dir_win = self.env_file["FW_GAME_DIR_WIN"]
        self.user_game_dir = Path(self.env_file["FW_USER_GAME_DIR"])
        self.user_game_dir_win = self.env_file["FW_USER_GAME_DIR_WIN"]
        self.documents_dir = Path(self.env_file["FW_DOCUMENTS_DIR"])
        self.desktop = self.env_file.get("FW_DESKTOP", "")
        self.program_installed = self.env_file.get("FW_PROGRAM_INSTALLED") == "1"
        self.gamesim_installed = self.env_file.get("FW_GAMESIM_INSTALLED") == "1"
        self.programs: List[Program] = []
        self._count = 0

    # -- paths

    def unix_path(self, windows_path: str) -> Path:
        """Where a Windows path of the sandbox lies (drive C: or Z:)."""
        drive, _, rest = windows_path.partition(":")
        parts = [p for p in rest.replace("\\", "/").split("/") if p]
        if drive.upper() == "C":
            return self.prefix.joinpath("drive_c", *parts)
        if drive.upper() == "Z":
            return Path("/").joinpath(*parts)
        raise ValueError(f"no such drive in a sandbox: {windows_path}")

    def windows_path(self, unix_path) -> str:
        """The Windows path of a Unix path (inside drive C:, else on Z:)."""
        path = Path(unix_path).resolve()
        drive_c = (self.prefix / "drive_c").resolve()
        if path == drive_c or drive_c in path.parents:
            return "C:\\" + "\\".join(path.relative_to(drive_c).parts)
        return "Z:" + str(path).replace("/", "\\")

    # -- running

    def wine_env(self) -> dict:
        env = dict(os.environ)
        env["DISPLAY"] = display()
        env["LC_ALL"] = "C.UTF-8"
        return env

    def _argv(self, program, args: Iterable[object]) -> List[str]:
        return [str(RUN_IN_SANDBOX), str(self.dir), str(program)] + [str(a) for a in args]

    def run(self, program, *args: object, timeout: float = 120.0, cwd=None,
            check: bool = False) -> subprocess.CompletedProcess:
        """Runs a program to its end; stdout/stderr come back as text.

        The output goes through files, not pipes: a Wine program that finds no
        wineserver running starts it (and Wine's services), and those inherit
        its output handles and keep a pipe open long after the program ended."""
        argv = self._argv(program, args)
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            completed = subprocess.run(argv, env=self.wine_env(), cwd=cwd, stdin=subprocess.DEVNULL,
                                       stdout=out, stderr=err, timeout=timeout)
            out.seek(0)
            err.seek(0)
            result = subprocess.CompletedProcess(
                argv, completed.returncode, out.read().decode("utf-8", errors="replace"),
                err.read().decode("utf-8", errors="replace"))
        if check:
            result.check_returncode()
        return result

    def start(self, program, *args: object, cwd=None, name: Optional[str] = None,
              hold_shift_until: Optional[str] = None, wait_timeout_ms: int = 30000) -> Program:
        """Starts a program in the background. With hold_shift_until (a window
        title) the Shift key is held on the display from before the start
        until that window is shown: a program may read it at its very start."""
        self._count += 1
        stem = self.artifacts / f"{self.name}-{name or Path(str(program)).stem}-{self._count}"
        argv = self._argv(program, args)
        if hold_shift_until is None:
            started = Program(argv, self.wine_env(), cwd, stem)
            self.programs.append(started)
            return started
        env = self.wine_env()
        # Wine learns of a key through its own windows: a driver session keeps
        # the sandbox's desktop alive while the key goes down, and confirms
        # that Wine sees it before the program starts.
        with self.ui_session(timeout=wait_timeout_ms / 1000 + 30) as ui:
            ui.send(("wait-gone", "no window has this title", 0))
            self._press_shift(ui, env)
            try:
                started = Program(argv, env, cwd, stem)
                self.programs.append(started)
                ui.send(("wait-window", hold_shift_until, wait_timeout_ms))
            finally:
                subprocess.run(["xdotool", "keyup", "shift"], env=env, check=True)
        return started

    @staticmethod
    def _press_shift(ui: UiSession, env: dict) -> None:
        for _ in range(10):
            subprocess.run(["xdotool", "keydown", "shift"], env=env, check=True)
            if wait_until_or_none(lambda: ui.value("key-state", "SHIFT") == "down", 2.0):
                return
            subprocess.run(["xdotool", "keyup", "shift"], env=env, check=True)
            # The keyboard focus may have been left on a window that is gone.
            subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Wine desktop$", "windowfocus"],
                           env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        raise AssertionError("Wine does not see the Shift key held on the display")

    def start_program(self, *args: object, hold_shift: bool = False) -> Program:
        """Starts framewright.exe from its folder, optionally with Shift held
        until its main window shows."""
        if not self.program_installed:
            raise unittest.SkipTest("framewright.exe is not built")
        return self.start(self.program_exe, *args, cwd=self.program_dir, name="framewright",
                          hold_shift_until=MAIN_TITLE if hold_shift else None)

    def run_game(self, *args: object, bits: int = 64, timeout: float = 120.0) -> subprocess.CompletedProcess:
        """Runs the installed game (the stand-in) with a game command line, in
        its executable folder as the program starts it."""
        if not self.gamesim_installed:
            raise unittest.SkipTest("the stand-in game is not built")
        folder = self.game_dir / f"Bin{bits}"
        return self.run(folder / "Crysis.exe", *args, cwd=folder, timeout=timeout)

    def stop_all(self) -> None:
        """Ends every program of the sandbox (the wineserver saves the
        registry on the way out)."""
        for program in self.programs:
            program.kill()
        self._wineserver("-k")
        self._wineserver("-w", timeout=30)

    def _wineserver(self, *args: str, timeout: float = 30.0) -> bool:
        env = dict(os.environ, WINEPREFIX=str(self.prefix))
        try:
            subprocess.run(["wineserver", *args], env=env, timeout=timeout,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            return True
        except subprocess.TimeoutExpired:
            return False

    # -- the UI driver

    def _require_driver(self) -> None:
        if not UIDRIVER.exists():
            raise unittest.SkipTest(f"{UIDRIVER} is not built")

    def ui(self, *commands: Command, check: bool = True, timeout: float = 120.0) -> List[CommandResult]:
        """Runs driver commands in one driver start; each command is a
        sequence of words (or a string split at blanks). With check, the first
        failing command raises UiError."""
        self._require_driver()
        try:
            completed = self.run(UIDRIVER, *argument_list(commands), timeout=timeout)
        except subprocess.TimeoutExpired:
            raise UiError(f"uidriver did not finish {argument_list(commands)} within {timeout} s") from None
        results = parse_output(commands, completed.stdout)
        if check:
            for result in results:
                if not result.ok:
                    raise UiError(f"{' '.join(result.words)}: {result.error}")
            if len(results) < len(commands) or completed.returncode != 0:
                raise UiError(f"uidriver ended with {completed.returncode}: "
                              f"{completed.stdout!r} {completed.stderr!r}")
        return results

    def ui_value(self, *words: object) -> str:
        """The one value of a single driver command: sb.ui_value("text", ID.Label11)."""
        return self.ui(list(words))[0].value

    def ui_values(self, *words: object) -> List[str]:
        return self.ui(list(words))[0].values

    def ui_session(self, timeout: float = 60.0) -> UiSession:
        """A driver that stays running for many commands."""
        self._require_driver()
        return UiSession(self._argv(UIDRIVER, []), self.wine_env(), timeout)

    def screenshot(self, title: str, name: str) -> Path:
        """A picture of the window (title "-": the whole screen) as
        <artefacts>/<name>.png."""
        self.artifacts.mkdir(parents=True, exist_ok=True)
        bmp = self.artifacts / f"{name}.bmp"
        png = self.artifacts / f"{name}.png"
        self.ui(("screenshot", title, str(bmp)))
        subprocess.run(["convert", str(bmp), str(png)], check=True)
        bmp.unlink()
        return png

    # -- registry

    def registry(self, key: str, live: Optional[bool] = None) -> Optional[Dict[str, RegValue]]:
        """The values of a key ("HKEY_LOCAL_MACHINE\\Software\\..."), None when
        the key does not exist. While a program of the sandbox runs (or with
        live=True) the running wineserver is asked through regedit's export;
        otherwise the prefix's own file is read once the wineserver has ended
        and saved it."""
        return self.registry_tree(key, live).get(key.lower())

    def registry_tree(self, key: str, live: Optional[bool] = None) -> Dict[str, Dict[str, RegValue]]:
        """The key and every key below it, {lower-case full key name: values};
        empty when the key does not exist. Read as registry() reads."""
        if live is None:
            live = any(p.running for p in self.programs)
        root, _, relative = key.partition("\\")
        root = root.upper()
        if not live and self._wineserver("-w", timeout=30):
            keys = regfile.parse(regfile.read_file(self.prefix / _ROOTS[root]))
            keys = {f"{root}\\{name}": values for name, values in keys.items()}
        else:
            with tempfile.TemporaryDirectory(dir=self.dir) as scratch:
                export = Path(scratch) / "export.reg"
                self.run("regedit", "/E", self.windows_path(export), key, timeout=60)
                keys = regfile.parse(regfile.read_file(export)) if export.exists() else {}
        wanted = f"{root}\\{relative}".lower()
        return {name.lower(): values for name, values in keys.items()
                if name.lower() == wanted or name.lower().startswith(wanted + "\\")}

    def settings(self, live: Optional[bool] = None) -> Optional[Dict[str, object]]:
        """The program's settings: {name: text} for string values (other
        types stay RegValue, so a comparison with text fails); None when the
        settings key does not exist."""
        values = self.registry(SETTINGS_KEY, live)
        if values is None:
            return None
        return {name: v.data if v.type == regfile.REG_SZ else v for name, v in values.items()}

    # -- files

    def tree(self, root, ignore: Iterable[str] = (), fold_case: bool = False) -> Dict[str, str]:
        """hash_tree of a folder of the sandbox (a Unix path or a Windows one)."""
        path = self.unix_path(root) if isinstance(root, str) and ":" in root else Path(root)
        return hash_tree(path, ignore, fold_case)

    def remove(self) -> None:
        self.stop_all()
        shutil.rmtree(self.dir, ignore_errors=True)


_installer_built_for = None


def build_environment() -> dict:
    """The environment that names the program build and its installer to
    make-sandbox.sh and build-installer.sh."""
    return dict(os.environ, FW_WIN64_BUILD=str(WIN64_BUILD), FW_INSTALLER_DIR=str(INSTALLER_DIR))


def build_installer(*targets: str) -> None:
    """Builds the installers (all without targets) from the program builds;
    nothing is done when they are up to date."""
    completed = subprocess.run([str(BUILD_INSTALLER), *targets], env=build_environment(),
                               capture_output=True, text=True)
    if completed.returncode != 0:
        raise RuntimeError(f"build-installer.sh failed:\n{completed.stdout}\n{completed.stderr}")


def ensure_installer() -> None:
    """The 64-bit installer carries this build's framewright.exe: it is
    checked again whenever the program file changed (a rebuild while the
    tests run), since make-sandbox.sh refuses an installer of another build."""
    global _installer_built_for
    program = WIN64_BUILD / "framewright.exe"
    if not program.exists():
        return
    stat = program.stat()
    if _installer_built_for != (stat.st_mtime_ns, stat.st_size):
        build_installer("x64")
        _installer_built_for = (stat.st_mtime_ns, stat.st_size)


def make_sandbox(directory, artifacts, *, winver: Optional[str] = None, no_settings_key: bool = False,
                 settings: Optional[Dict[str, str]] = None, no_game: bool = False,
                 no_installdir: bool = False, game_version: Optional[str] = None,
                 bin32_only: bool = False, bin64_only: bool = False,
                 desktop: Optional[str] = DEFAULT_DESKTOP,
                 gamesim_faults: Optional[Dict[str, object]] = None,
                 no_program: bool = False, regedit: bool = False, name: Optional[str] = None) -> Sandbox:
    """Makes a sandbox with make-sandbox.sh (an existing directory is
    replaced); the program is installed by its installer unless no_program.
    Settings are written in the given order."""
    options: List[str] = ["--replace"]
    if winver:
        options += ["--winver", winver]
    if no_settings_key:
        options.append("--no-settings-key")
    for setting, value in (settings or {}).items():
        options += ["--settings", f"{setting}={value}"]
    if no_game:
        options.append("--no-game")
    if no_installdir:
        options.append("--no-installdir")
    if game_version is not None:
        options += ["--game-version", game_version]
    if bin32_only:
        options.append("--bin32-only")
    if bin64_only:
        options.append("--bin64-only")
    if desktop:
        options += ["--desktop", desktop]
    for fault, value in (gamesim_faults or {}).items():
        options += ["--gamesim-fault", f"{fault}={value}"]
    if no_program:
        options.append("--no-program")
    if regedit:
        options.append("--regedit")
    if not no_program:
        ensure_installer()
    completed = subprocess.run([str(MAKE_SANDBOX), str(directory), *options], env=build_environment(),
                               capture_output=True, text=True)
    if completed.returncode != 0:
        raise RuntimeError(f"make-sandbox failed: {completed.stderr}")
    return Sandbox(Path(directory), Path(artifacts), name)


# ---------------------------------------------------------------- test case

def _safe_name(text: str) -> str:
    return re.sub(r"[^\w.-]", "_", text)


def artifacts_dir(test_id: str) -> Path:
    """artifacts/e2e/<test>/ for a unittest id ("test_x.Class.test_y")."""
    return ARTIFACTS / _safe_name(test_id)


class E2ETestCase(unittest.TestCase):
    """A test with its own artefacts folder and sandboxes. Programs are
    stopped after each test; sandboxes are removed when it passed."""

    maxDiff = None

    def setUp(self) -> None:
        self.artifacts = artifacts_dir(self.id())
        shutil.rmtree(self.artifacts, ignore_errors=True)
        self.artifacts.mkdir(parents=True, exist_ok=True)
        self._sandboxes: List[Sandbox] = []

    def sandbox(self, name: str = "sb", **options) -> Sandbox:
        """A fresh sandbox for this test; options as make_sandbox's."""
        directory = SANDBOX_ROOT / f"{_safe_name(self.id())}-{name}"
        made = make_sandbox(directory, self.artifacts, name=name, **options)
        self._sandboxes.append(made)
        return made

    def run(self, result=None):
        # Whether this test failed is only known after unittest's own run.
        if result is None:
            return super().run(result)
        problems_before = len(result.failures) + len(result.errors)
        outcome = super().run(result)
        failed = len(result.failures) + len(result.errors) > problems_before
        for sandbox in getattr(self, "_sandboxes", []):
            sandbox.stop_all()
            if failed or os.environ.get("FW_E2E_KEEP") == "1":
                print(f"\n  sandbox kept: {sandbox.dir}")
            else:
                shutil.rmtree(sandbox.dir, ignore_errors=True)
        return outcome

    def assertTreesEqual(self, before: Dict[str, str], after: Dict[str, str], msg: str = "") -> None:
        difference = file_trees.diff_trees(before, after)
        if difference:
            self.fail(f"{msg + ': ' if msg else ''}{difference}")
