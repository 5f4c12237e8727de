#!/usr/bin/env python3
"""Time from starting framewright.exe under Wine to its main window being
shown and answering, minus the 5000 ms splash. Prints each run and the median,
and for comparison the same for the UI driver's rig target, a do-nothing
window program: what Wine itself takes to start a program and show a window.

Usage: startup_timing.py [runs]   (FW_WIN64_BUILD picks the build, as in the tests)"""

import statistics
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import harness  # noqa: E402

SPLASH_MS = 5000


def answers(driver) -> bool:
    shown = driver.send(("visible", harness.ID.BenchButton), check=False)
    return shown.ok and shown.value.strip() in ("1", "true", "yes")


def close(sb) -> None:
    sb.ui(("close", "Framewright"))
    harness.wait_until(lambda: not sb.programs[-1].running, 60, "the program's end")


def main() -> int:
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    artifacts = REPO / "artifacts" / "perf"
    artifacts.mkdir(parents=True, exist_ok=True)
    sb = harness.make_sandbox(REPO / "build" / "perf-sandbox", artifacts, name="perf")
    # Wine's own services stay up between starts, as Windows' do on a user's machine:
    # a first start warms them, and each start ends by closing the window. The UI
    # driver runs before the program starts, so its own start is not counted.
    driver = sb.ui_session(timeout=180)
    sb.start_program()
    driver.send(("wait-window", "Framewright", 120000))
    close(sb)
    times = []
    for _ in range(runs):
        started = time.monotonic()
        sb.start_program()
        driver.send(("wait-window", "Framewright", 120000))
        # The window exists during the splash; it is usable once it is shown and answers.
        harness.wait_until(lambda: answers(driver), 120, "a shown, answering main window", 0.01)
        elapsed_ms = (time.monotonic() - started) * 1000 - SPLASH_MS
        times.append(elapsed_ms)
        print(f"start to usable window, without the splash: {elapsed_ms:.0f} ms", flush=True)
        close(sb)
    print(f"median over {runs} starts: {statistics.median(times):.0f} ms")
    floor = []
    for _ in range(runs):
        started = time.monotonic()
        target = sb.start(harness.RIG_TARGET, name="rig_target")
        driver.send(("wait-window", "Rig Target", 120000))
        floor.append((time.monotonic() - started) * 1000)
        driver.send(("close", "Rig Target"))
        harness.wait_until(lambda: not target.running, 60, "the rig target's end")
    print(f"a do-nothing window program, start to window, median over {runs}: "
          f"{statistics.median(floor):.0f} ms")
    print(f"framewright beyond that: {statistics.median(times) - statistics.median(floor):.0f} ms")
    size = (Path(sb.program_exe)).stat().st_size
    print(f"framewright.exe (stripped, static runtime): {size / 1024 / 1024:.2f} MiB")
    driver.close()
    sb.remove()
    return 0


if __name__ == "__main__":
    sys.exit(main())
