#!/usr/bin/env python3
"""Timing of whole benchmark runs under Wine: how long the program takes from
the end of one game process to the start of the next (less the 2000 ms pause
it makes before reading the demo log), and how much processor time the
program itself uses while a game runs.

The stand-in game is told to run for a fixed time (duration_ms); the game
and program processes are watched from the Linux side through /proc.

    FW_WIN64_BUILD=build/win64 tools/perf/run_timing.py [--runs 3] [--game-ms 20000]
"""

import argparse
import os
import statistics
import sys
import threading
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import harness  # noqa: E402
import run_support as rs  # noqa: E402
from harness import ID  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")
PAUSE_MS = 2000


def cpu_seconds(pid: int) -> float:
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


class Watcher(threading.Thread):
    """Notes each game process's start and end, and the program's processor
    time at those moments."""

    def __init__(self, sandbox_dir: Path) -> None:
        super().__init__(daemon=True)
        self.sandbox_dir = str(sandbox_dir)
        self.events = []  # (monotonic time, "start"/"end", program cpu seconds)
        self.stop = False

    def program_cpu(self):
        pids = harness.wine_process_ids("framewright.exe")
        return sum(cpu_seconds(p) for p in pids) if pids else None

    def run(self) -> None:
        running = False
        while not self.stop:
            now = bool(harness.wine_process_ids("crysis.exe"))
            if now != running:
                self.events.append((time.monotonic(), "start" if now else "end", self.program_cpu()))
                running = now
            time.sleep(0.01)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=3, help="benchmark runs (each over three resolutions)")
    parser.add_argument("--game-ms", type=int, default=20000, help="how long each stand-in game runs")
    args = parser.parse_args()

    artifacts = REPO / "artifacts" / "perf-run-timing"
    artifacts.mkdir(parents=True, exist_ok=True)
    settings = {"800": "1", "1024": "1", "1280": "1", "RunNumber": "1", "Demo": "1", "Quality": "2",
                "Note": ""}
    sb = harness.make_sandbox(REPO / "build" / "perf-run-timing", artifacts, settings=settings,
                              gamesim_faults={"duration_ms": args.game_ms}, name="perf")
    watcher = Watcher(sb.dir)
    clicks = []  # a gap across a click lies between two runs, not within one
    try:
        rs.start_and_choose(sb, ID.VGAButton)
        watcher.start()
        for run in range(args.runs):
            clicks.append(time.monotonic())
            sb.ui(("click", ID.BenchButton))
            harness.wait_until(lambda: not sb.ui_value("enabled", ID.BenchButton) in ("1", "true", "True"), 60,
                               "the run to start", interval=0.2)
            try:
                ended = rs.wait_for_message(sb, timeout=args.game_ms / 1000 * 3 + 900)
            except AssertionError as error:  # still report what was measured
                print(f"run {run + 1}: {error}", flush=True)
                break
            print(f"run {run + 1}: {ended}", flush=True)
        watcher.stop = True
        watcher.join()
    finally:
        sb.remove()

    gaps, cpu = [], []
    events = watcher.events
    for (t0, kind0, c0), (t1, kind1, c1) in zip(events, events[1:]):
        if kind0 == "end" and kind1 == "start" and not any(t0 < c < t1 for c in clicks):
            gaps.append((t1 - t0) * 1000 - PAUSE_MS)
        # A program process that ended between the two looks (Wine's own
        # helpers) makes the sum fall: such a pair says nothing.
        if kind0 == "start" and kind1 == "end" and c0 is not None and c1 is not None and c1 >= c0:
            cpu.append(((c1 - c0) * 1000, (t1 - t0) * 1000))
    print(f"game end -> next game start, less the {PAUSE_MS} ms pause: "
          + ", ".join(f"{g:.0f}" for g in gaps) + f" ms; median {statistics.median(gaps):.0f} ms" if gaps else
          "no gaps seen")
    if cpu:
        print("program processor time while a game ran: "
              + ", ".join(f"{c:.0f} ms in {w:.0f} ms" for c, w in cpu)
              + f"; median {statistics.median(c for c, _ in cpu):.0f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
