#!/usr/bin/env python3
"""The main job, shown end to end: a sandbox with a stand-in Crysis, the real
Framewright window, and a benchmark over two resolutions with two runs each.

On a machine with a display ($DISPLAY) the window appears there; otherwise a
private Xvfb screen is used and a screenshot of the window is saved."""

import os
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import harness  # noqa: E402
from harness import ID  # noqa: E402

SETTINGS = {
    "1024": "1", "1280": "1", "Quality": "4", "AFLevel": "3", "AALevel": "2", "Renderer": "1",
    "RunNumber": "2", "Demo": "1", "Note": "Framewright demonstration",
}


def say(text: str) -> None:
    print(f"demo: {text}", flush=True)


def main() -> int:
    if os.environ.get("DISPLAY") and os.environ.get("FW_DEMO_XVFB") != "1":
        harness._display.name = os.environ["DISPLAY"]  # the user's own screen
        say(f"using your display {os.environ['DISPLAY']}")
    artifacts = REPO / "artifacts" / "demo"
    artifacts.mkdir(parents=True, exist_ok=True)
    started = time.monotonic()
    sb = harness.make_sandbox(REPO / "build" / "demo-sandbox", artifacts, settings=SETTINGS, name="demo")
    say(f"sandbox with a stand-in Crysis made in {time.monotonic() - started:.1f} s: {sb.dir}")
    setup = harness.INSTALLER_DIR / "Framewright-Setup-x64.exe"
    say(f"game installed at {sb.game_dir_win}; Framewright installed by {setup} /S at {sb.program_dir_win}")

    # What the stand-in game itself writes (its records and Game.log) is not ours to put back.
    game_own = ["bin64/gamesim-*", "bin32/gamesim-*", "game.log"]
    before = sb.tree(sb.game_dir, ignore=game_own, fold_case=True)
    user_before = sb.tree(sb.user_game_dir, fold_case=True)

    sb.start_program()
    sb.ui(("wait-window", "Framewright", 60000))
    say("Framewright started (after its 5-second splash); answering the start panel: VGA card")
    sb.ui(("click", ID.VGAButton))
    say("selected: 1024 x 768 and 1280 x 1024, Very High, 2 runs each, DirectX 9, 4x AA, 8x AF")
    sb.ui(("click", ID.BenchButton))
    say("benchmark running: the stand-in game is started once per resolution")

    results = sb.program_dir / "Benchmark"
    report = harness.wait_until(lambda: next(iter(sorted(results.glob("result_*.htm"))), None),
                                timeout=300, what="the report")
    harness.wait_for_file(report)
    chart = next(iter(results.glob("result_*chart.jpg")), None)
    message = sb.ui_value("text", ID.MessageLabel)
    say(f"message: {message}")
    commands = (sb.game_dir / "Bin64" / "gamesim-commands.log").read_text(errors="replace").splitlines()
    for line in commands:
        say(f"game started as: {line}")
    shot = sb.screenshot("Framewright", "window")
    say(f"window screenshot: {shot}")

    sb.ui(("close", "Framewright"))
    sb.stop_all()
    after = sb.tree(sb.game_dir, ignore=game_own, fold_case=True)
    same = after == before and sb.tree(sb.user_game_dir, fold_case=True) == user_before
    say("game files put back: " + ("yes, identical to before the run" if same else "NO - they differ"))
    say(f"chart: {chart}")
    print(f"report: {report}")
    return 0 if same and chart else 1


if __name__ == "__main__":
    sys.exit(main())
