"""Shared pieces of the benchmark-run end-to-end tests: starting a run
through the real window, waiting for its end, the trees that must come back
unchanged, and the expected texts of the report."""

from __future__ import annotations

import os
import re
import subprocess
from pathlib import Path
from typing import Dict, List, Optional

import harness
from harness import ID

# What the stand-in game itself writes is not the program's to put back: its
# records, its Game.log, and the Crysis64.exe it makes for the hand-over.
GAME_OWN = ["bin64/gamesim-*", "bin32/gamesim-*", "game.log", "bin64/crysis64.exe"]
RUN_TIMEOUT = 600
ABORTED = "Benchmark aborted!"
SUCCESS = "The benchmarking is successful."
X = "\u00d7"  # the multiplication sign, byte D7 in the program's texts


class Trees:
    """The game installation and the user's game folder at one moment."""

    def __init__(self, sb: harness.Sandbox) -> None:
        self.game = sb.tree(sb.game_dir, ignore=GAME_OWN, fold_case=True)
        self.user = sb.tree(sb.user_game_dir, fold_case=True)


def assert_trees_back(test: harness.E2ETestCase, sb: harness.Sandbox, before: Trees) -> None:
    after = Trees(sb)
    test.assertTreesEqual(before.game, after.game, "game installation")
    test.assertTreesEqual(before.user, after.user, "user's game folder")


def start_and_choose(sb: harness.Sandbox, button: int, hold_shift: bool = False) -> harness.Program:
    if hold_shift:
        # The Shift key is held until the main window shows (after the splash).
        program = sb.start(sb.program_exe, cwd=sb.program_dir, name="framewright",
                           hold_shift_until=harness.MAIN_TITLE, wait_timeout_ms=110000)
    else:
        program = sb.start_program()
        sb.ui(("wait-window", harness.MAIN_TITLE, 150000), timeout=200)
    sb.ui(("click", button))
    return program


def answered(sb: harness.Sandbox, *words, timeout: float = 180):
    """One driver value, asked again while the window is too busy to answer."""
    def ask():
        try:
            return [sb.ui_value(*words)]
        except harness.UiError:
            return None
    return harness.wait_until(ask, timeout, f"the window to answer {words}", interval=1.0)[0]


def message(sb: harness.Sandbox) -> str:
    return sb.ui_value("text", ID.MessageLabel)


def wait_for_message(sb: harness.Sandbox, wanted: Optional[str] = None, timeout: float = RUN_TIMEOUT) -> str:
    """Waits until the run has ended: the message label shows a text (the one
    wanted, when given) and the run button is enabled again."""
    def ended():
        # The window does not answer while the program pauses before reading
        # a demo log or polls for a handed-over game: that is "not yet".
        try:
            text = message(sb)
            enabled = sb.ui_value("enabled", ID.BenchButton)
        except harness.UiError:
            return None
        if not text or (wanted is not None and text != wanted):
            return None
        return text if enabled in ("1", "true", "True") else None
    return harness.wait_until(ended, timeout, f"message {wanted!r}", interval=1.0)


def commands(sb: harness.Sandbox) -> List[bytes]:
    path = sb.game_dir / "Bin64" / "gamesim-commands.log"
    return path.read_bytes().splitlines() if path.exists() else []


def report_files(sb: harness.Sandbox) -> List[Path]:
    return sorted((sb.program_dir / "Benchmark").glob("result_*.htm"))


def result_line(i: int, minimum: str, average: str, maximum: str) -> str:
    nb = "&nbsp;"
    return (f'<span class="style5"><b>Result({i}):</b>{nb * 3}Minimum= {minimum} FPS{nb * 5}Average= {average} FPS'
            f"{nb * 5}Max= {maximum} FPS</b></span><br>")


RESULT_PATTERN = re.compile(
    r'<span class="style5"><b>Result\((\d+)\):</b>(?:&nbsp;){3}Minimum= (\d+) FPS(?:&nbsp;){5}'
    r"Average= (\d+) FPS(?:&nbsp;){5}Max= (\d+) FPS</b></span><br>")


def header_lines(system: Dict[str, str], version: str, started: str, note: str, kind: str, demo: str,
                 vga: Optional[Dict[str, str]], custom_config: bool = False, random_exe: bool = False) -> List[str]:
    lines = [
        '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd">',
        "<html>", "<head>", "<title>Framewright - www.brimvale.example</title>", '<style type="text/css">',
        "<!--", ".style4 {", "\tcolor: #0066FF;", "\tfont-weight: bold;", "}", ".style5 {color: #990000}",
        ".style6 {color: #0066FF}", ".style7 {", "font-size: 36px;", "font-weight: bold;)", "}", "-->", "</style>",
        '<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1"></head>', "<body>",
        '<p align="center" class="style7">Framewright<br>',
        f"   <FONT size=2>v{version}</FONT></p><br>",
        f"   <FONT size=2>The benchmark started at {started}</FONT><br>",
        '<p align="left"><span class="style4">System Information<br></span>',
        f"   <FONT size=2><b>Operating system:</b> {system['os']}</FONT><br>",
        f"   <FONT size=2><b>System memory:</b> {system['memory']}</FONT><br>",
        f"   <FONT size=2><b>CPU:</b> {system['cpu']}</FONT><br>",
        f"   <FONT size=2><b>CPU speed:</b> {system['speed']} MHz</FONT><br>",
        f"   <FONT size=2><b>Graphics card:</b> {system['graphics']}</FONT><br>",
    ]
    if note:
        lines.append(f'<FONT size=2><span class="style6">Comment:</span> {note}</FONT><br>')
    lines += [f'<span class="style4">{kind} information</span><br>', f"<FONT size=2><b>Demo:</b> {demo}<br>"]
    if vga is not None:
        lines += [f"<b>Quality:</b> {vga['quality']}<br>", f"<b>Renderer mode:</b> {vga['renderer']}<br>",
                  f"<b>Antialising mode:</b> {vga['aa']}<br>", f"<b>Filtering mode:</b> {vga['af']}<br>",
                  f"<b>MultiGPU support:</b> {vga.get('multigpu', 'Disabled')}<br>",
                  f"<b>Boost renderer:</b> {vga.get('boost', 'Disabled')}<br>"]
    lines += [f"<b>Use Custom Config File:</b> {'Yes' if custom_config else 'No'}<br>",
              f"<b>Random .exe:</b> {'Enabled' if random_exe else 'Disabled'}</FONT><br>", "<hr>"]
    return lines


FOOTER = ["<P></P>", "<CENTER>Copyright (C) 2008-2026 Brimvale</CENTER><BR></BODY></HTML>"]

SYSTEM_PATTERNS = {
    "os": r"   <FONT size=2><b>Operating system:</b> (.*)</FONT><br>",
    "memory": r"   <FONT size=2><b>System memory:</b> (\d+ MB)</FONT><br>",
    "cpu": r"   <FONT size=2><b>CPU:</b> (.*)</FONT><br>",
    "speed": r"   <FONT size=2><b>CPU speed:</b> (\d+) MHz</FONT><br>",
    "graphics": r"   <FONT size=2><b>Graphics card:</b> (.* - \d+ MB)</FONT><br>",
}


def render_report(report: Path, picture: Path) -> Path:
    """The report as a browser shows it (chart included), kept as a picture
    for people to look at; wkhtmltoimage comes with scripts/setup.sh."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=str(picture.parent))
    subprocess.run(["wkhtmltoimage", "--quiet", "--width", "900", "--enable-local-file-access",
                    str(report), str(picture)], env=env, check=True, timeout=120,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not picture.is_file() or picture.stat().st_size == 0:
        raise AssertionError(f"no picture of the report {report}")
    return picture


def read_report(path: Path) -> List[str]:
    data = path.read_bytes()
    assert data.endswith(b"\r\n") and b"\n" not in data.replace(b"\r\n", b""), "lines must end in CR LF"
    assert not data.startswith(b"\xef\xbb\xbf"), "no byte-order mark"
    return data.decode("cp1252").split("\r\n")[:-1]


def machine_values(lines: List[str]) -> Dict[str, str]:
    """The header's machine-dependent values, taken from the report itself
    (each must have its line's exact shape)."""
    values = {}
    for name, pattern in SYSTEM_PATTERNS.items():
        found = [m.group(1) for m in (re.fullmatch(pattern, line) for line in lines) if m]
        assert len(found) == 1, f"{name}: {found}"
        values[name] = found[0]
    started = [m.group(1) for m in (re.fullmatch(r"   <FONT size=2>The benchmark started at (.+)</FONT><br>", line)
                                    for line in lines) if m]
    assert len(started) == 1, started
    values["started"] = started[0]
    return values


def close(sb: harness.Sandbox) -> None:
    """Closes the main window (a window too busy to answer is ended with the
    sandbox's programs)."""
    try:
        sb.ui(("close", harness.MAIN_TITLE))
    except harness.UiError:
        pass
