"""Shared pieces of the start-up and option-page tests: starting the program
and waiting until its main window answers, answering the start panel,
showing pages, reading many controls at once, and the texts the window is
expected to show."""

from __future__ import annotations

import os
import socket
from typing import Callable, Dict, List, Optional, Sequence, Tuple
from unittest import mock

import harness
from harness import ID, MAIN_TITLE

# A cold Wine prefix, the five-second splash and a busy CI machine together
# may take minutes; the waits end as soon as the window is there.
START_TIMEOUT_MS = 240_000
SESSION_TIMEOUT = START_TIMEOUT_MS / 1000 + 60
# The window does not answer queries until its thread first waits for input
# after the splash, which blocked it for five seconds.
ANSWER_TIMEOUT = 120

WARNING_TITLE = "Benchmark Warning"
REINSTALL = "Please reinstall the Brimvale Framewright!"
NOT_INSTALLED = "The Brimvale Framewright is not installed."
INSTALL_CRYSIS = "Please install Crysis!"
NO_FULL_VERSION = "The full version of Crysis is not installed."
UNSUPPORTED_VERSION = "Please install the official v1.2 or 1.2.1 patch! NOT READY TO BENCH!"
UNKNOWN_VERSION = "Unknow"
PROGRAM_VERSION = "1.0.0.0"
RUN_HINT = "Run a benchmark"
NEWS_TITLE = "Quernmark NEWS"
UPDATER_TITLE = "Quernmark Updater"

# The eight fixed resolution rows in position order: settings value, mode.
ROWS: List[Tuple[str, str]] = [
    ("800", "800 x 600"), ("1024", "1024 x 768"), ("1280", "1280 x 1024"), ("1600", "1600 x 1200"),
    ("2048", "2048 x 1536"), ("hdw1", "1280 x 768"), ("hdw2", "1920 x 1080"), ("hdw3", "1920 x 1200"),
]
ROW_NAMES = [name for name, _ in ROWS]
# A Wine virtual desktop of 1920 x 1200 offers every row's mode but these two.
MISSING_ON_DESKTOP = {"2048", "hdw1"}

QUALITY_ITEMS = ["Low", "Medium", "High", "Very High with tweaks"]
DEMO_ITEMS = ["Crytek Built-in", "Kelvo Core", "Custom:"]
CPU_DEMO_ITEMS = ["Crytek Ice", "Crytek Island"]
RENDERERS = ["DirectX 9", "DirectX 10"]


def results_default(sb: harness.Sandbox) -> str:
    return sb.program_dir_win + "Benchmark\\"


def bin64(sb: harness.Sandbox) -> str:
    return sb.game_dir_win + "Bin64\\"


def free_port() -> int:
    """A port on which nothing listens (it was free a moment ago)."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start_program(sb: harness.Sandbox, hold_shift: bool = False) -> harness.Program:
    """Starts the program; with hold_shift the Shift key is down from before
    the start until the main window shows. The update check and the news
    page go to this machine, where nothing answers, so that no test depends
    on the Internet."""
    quiet = {"FRAMEWRIGHT_UPDATE_URL": f"http://127.0.0.1:{free_port()}/framewright.inf",
             "FRAMEWRIGHT_NEWS_URL": f"http://127.0.0.1:{free_port()}/benchmarks/news.html"}
    with mock.patch.dict(os.environ, quiet):
        if not hold_shift:
            return sb.start_program()
        return sb.start(sb.program_exe, cwd=sb.program_dir, name="framewright",
                        hold_shift_until=MAIN_TITLE, wait_timeout_ms=START_TIMEOUT_MS)


class Window:
    """The program's windows through one running UI driver. Use as a context
    manager; every method is one or a few driver commands."""

    def __init__(self, sb: harness.Sandbox) -> None:
        self.sb = sb
        self.ui = sb.ui_session(timeout=SESSION_TIMEOUT)

    def __enter__(self) -> "Window":
        return self

    def __exit__(self, *exc) -> None:
        self.ui.close()

    # -- waiting

    def wait_shown(self) -> None:
        """Waits for the main window and until it answers. The news window,
        which the program opens beside it when the machine counts as online
        and which stays on top of it, is closed."""
        self.ui.send(("wait-window", MAIN_TITLE, START_TIMEOUT_MS))
        harness.wait_until(lambda: self.ui.send(("text", ID.Label17), check=False).ok, ANSWER_TIMEOUT,
                           "the main window answering")
        # Shown before the window takes its first input, so it is there by now or never.
        if self.ui.send(("wait-window", NEWS_TITLE, 0), check=False).ok:
            self.ui.send(("close", NEWS_TITLE))
            self.ui.send(("wait-gone", NEWS_TITLE, 30000))

    def question_before_window(self) -> Optional[List[str]]:
        """Waits until either the main window shows or the program opens a
        dialog first; the dialog's texts, or None when the window came."""
        def either():
            if self.ui.send(("wait-window", MAIN_TITLE, 0), check=False).ok:
                return ["window"]
            asked = self.ui.send(("dialog-texts", 0), check=False)
            return ["dialog", *asked.values] if asked.ok else None

        first = harness.wait_until(either, START_TIMEOUT_MS / 1000, "the main window or a dialog", interval=0.5)
        return first[1:] if first[0] == "dialog" else None

    def dialog(self) -> List[str]:
        """The texts of the program's open dialog, waiting for one to show:
        its title first, then the texts of its visible parts."""
        def texts():
            asked = self.ui.send(("dialog-texts", START_TIMEOUT_MS), check=False)
            if asked.ok:
                return asked.values
            # A dialog shows before its own loop runs; right after the splash
            # its thread does not answer for a moment.
            if "does not answer" in (asked.error or ""):
                return None
            raise harness.UiError(f"dialog-texts: {asked.error}")

        return harness.wait_until(texts, START_TIMEOUT_MS / 1000 + ANSWER_TIMEOUT, "a dialog that answers")

    def press(self, button: str) -> None:
        self.ui.send(("dialog-press", button))

    def has_dialog(self) -> bool:
        return self.ui.send(("dialog-texts", 0), check=False).ok

    # -- reading

    def text(self, control: int) -> str:
        return self.ui.value("text", control)

    def checked(self, control: int) -> bool:
        return self.ui.value("checked", control) == "1"

    def enabled(self, control: int) -> bool:
        return self.ui.value("enabled", control) == "1"

    def visible(self, control: int) -> bool:
        return self.ui.value("visible", control) == "1"

    def hint(self, control: int) -> str:
        return self.ui.value("tooltip", control)

    def combo(self, control: int) -> Tuple[List[str], int]:
        """The items of a drop-down list and the selected index (-1: none)."""
        return self.ui.values("combo-items", control), int(self.ui.value("combo-index", control))

    def chosen(self, first_item: int, count: int) -> Optional[int]:
        """The marked item of a radio group, None when none is marked."""
        marked = [i for i in range(count) if self.checked(first_item + i)]
        assert len(marked) <= 1, f"several items of one radio group marked: {marked}"
        return marked[0] if marked else None

    def rows(self) -> Dict[str, Tuple[bool, bool]]:
        """{settings value: (ticked, enabled)} of the eight resolution rows."""
        return {name: (self.checked(ID.ResRow0 + i), self.enabled(ID.ResRow0 + i))
                for i, name in enumerate(ROW_NAMES)}

    # -- using

    def click(self, control: int) -> None:
        self.ui.send(("click", control))

    def type(self, control: int, text: str) -> None:
        self.ui.send(("type", control, text))

    def key(self, control: int, key: str, times: int = 1) -> None:
        for _ in range(times):
            self.ui.send(("key", control, key))

    def clear(self, control: int) -> None:
        """Empties a field as a user does: to its end, then Backspace."""
        length = len(self.text(control))
        self.type(control, "")
        self.key(control, "BACK", length)

    def leave(self, control: int) -> None:
        """The pointer moves over the control and out of it again."""
        self.ui.send(("hover-leave", control))

    def leave_until(self, control: int, done: Callable[[], bool], what: str) -> None:
        """Moves the pointer over a group and out again until `done`. A group
        asks where the pointer is when told that it left, and under Wine the
        pointer's place may still lag behind the move out for a moment: the
        user then simply moves over the group and out once more."""
        def left() -> bool:
            self.leave(control)
            return done()

        harness.wait_until(left, 60, what, interval=0.5)

    def choose_vga(self) -> None:
        self.click(ID.VGAButton)

    def choose_cpu(self) -> None:
        self.click(ID.CPUButton)

    def page(self, item: int) -> None:
        """Shows a page with its group bar item (RzGroup1Items0 ...)."""
        self.click(item)

    def use(self, title: str) -> None:
        self.ui.send(("use-window", title))

    def screenshot(self, name: str, title: str = MAIN_TITLE) -> None:
        self.sb.screenshot(title, name)


def start_many(test: harness.E2ETestCase, cases: Sequence[Tuple[str, dict]],
               prepare: Optional[Callable[[str, harness.Sandbox], None]] = None) -> Dict[str, harness.Sandbox]:
    """Makes one sandbox per case (name, sandbox options), lets `prepare`
    change its files, and starts the program in all of them before waiting
    for any, so that their start-ups run side by side. Tests that use this
    only read the windows: they neither move the pointer nor press keys, so
    the programs do not disturb each other."""
    sandboxes = {name: test.sandbox(name.replace(" ", "-"), **options) for name, options in cases}
    for name, sb in sandboxes.items():
        if prepare is not None:
            prepare(name, sb)
        start_program(sb)
    return sandboxes
