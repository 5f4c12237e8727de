"""Benchmark runs that go wrong, and the game files that must come back:
faults of the game, a missing game, the random executable name, and the
program killed in the middle of a run."""

import os
import re
import signal
import subprocess

import harness
import run_support as rs
from harness import ID, E2ETestCase

ONE_RUN = {"1024": "1", "RunNumber": "1", "Demo": "1", "Quality": "4", "AFLevel": "3", "AALevel": "2",
           "Renderer": "1"}
DX10_MESSAGE = "Maybe your VGA card isn't DirectX 10-capable. Benchmark aborted!"


class GameFaultTest(E2ETestCase):
    CASES = [
        # name, sandbox options, settings beyond ONE_RUN, message, report expected
        ("nolog", {"gamesim_faults": {"fault": "nolog"}}, {}, rs.ABORTED, False),
        ("shortlog", {"gamesim_faults": {"fault": "shortlog"}}, {}, rs.ABORTED, False),
        ("comma", {"gamesim_faults": {"fault": "comma"}}, {}, rs.SUCCESS, True),
        ("runaway-vista", {"winver": "vista", "gamesim_faults": {"fault": "runaway"}}, {"Renderer": "2"},
         DX10_MESSAGE, False),
        ("runaway-xp", {"winver": "winxp64", "gamesim_faults": {"fault": "runaway"}}, {"Renderer": "2"},
         rs.ABORTED, False),
        ("handover", {"gamesim_faults": {"fault": "handover"}}, {}, rs.SUCCESS, True),
    ]

    def test_game_faults_end_the_run_with_their_message_and_files_back(self):
        for name, options, settings, wanted, reported in self.CASES:
            with self.subTest(case=name):
                sb = self.sandbox(name, settings={**ONE_RUN, **settings}, **options)
                before = rs.Trees(sb)
                rs.start_and_choose(sb, ID.VGAButton)
                sb.ui(("click", ID.BenchButton))
                self.assertEqual(rs.wait_for_message(sb), wanted)
                # One start by the program (a hand-over copy records its own as Crysis64.exe).
                self.assertEqual(len([c for c in rs.commands(sb) if b"\\Crysis.exe\"" in c]), 1)
                reports = rs.report_files(sb)
                self.assertEqual(len(reports), 1 if reported else 0)
                if reported:
                    lines = rs.read_report(reports[0])
                    results = [m.groups() for m in map(rs.RESULT_PATTERN.fullmatch, lines) if m]
                    self.assertEqual(len(results), 1, lines)
                    minimum, average, maximum = map(int, results[0][1:])
                    self.assertTrue(0 < minimum <= average <= maximum, results)
                self.assertEqual(sb.settings(live=True).get("NoErrorWarning"), "0")
                rs.close(sb)
                sb.stop_all()
                rs.assert_trees_back(self, sb, before)

    def test_missing_game_is_a_program_error(self):
        sb = self.sandbox(settings=ONE_RUN)
        (sb.game_dir / "Bin64" / "Crysis.exe").unlink()
        before = rs.Trees(sb)
        rs.start_and_choose(sb, ID.VGAButton)
        sb.ui(("click", ID.BenchButton))
        self.assertEqual(rs.wait_for_message(sb), "Program error, benchmark aborted!")
        self.assertEqual(rs.commands(sb), [])
        self.assertEqual(rs.report_files(sb), [])
        # The Exit button puts the game files back.
        sb.ui(("click", ID.SpeedButton1))
        harness.wait_until(lambda: not sb.programs[0].running, 120, "the program to end")
        sb.stop_all()
        rs.assert_trees_back(self, sb, before)


class RandomExecutableTest(E2ETestCase):
    def test_random_name_during_the_run_and_crysis_exe_after(self):
        for name, faults, wanted in [("ok", {"duration_ms": 8000}, rs.SUCCESS),
                                     ("abort", {"duration_ms": 8000, "fault": "nolog"}, rs.ABORTED)]:
            with self.subTest(case=name):
                sb = self.sandbox(name, settings={**ONE_RUN, "Re": "1"}, gamesim_faults=faults)
                before = rs.Trees(sb)
                bin64 = sb.game_dir / "Bin64"
                rs.start_and_choose(sb, ID.VGAButton)
                sb.ui(("click", ID.BenchButton))

                def random_exe():
                    names = sorted(p.name for p in bin64.iterdir() if p.suffix.lower() == ".exe")
                    return names if "Crysis.exe" not in names and names else None
                names = harness.wait_until(random_exe, 180, "a randomly named game", interval=0.2)
                self.assertEqual(len(names), 1, names)
                self.assertRegex(names[0], r"^[a-z0-9]{6}\.exe$")
                self.assertEqual(rs.wait_for_message(sb), wanted)
                self.assertEqual(len(rs.commands(sb)), 1)
                self.assertIn(names[0].encode(), rs.commands(sb)[0])
                self.assertTrue((bin64 / "Crysis.exe").is_file())
                self.assertFalse((bin64 / names[0]).exists())
                lines = rs.read_report(rs.report_files(sb)[0]) if rs.report_files(sb) else []
                if wanted == rs.SUCCESS:
                    self.assertIn("<b>Random .exe:</b> Enabled</FONT><br>", lines)
                rs.close(sb)
                sb.stop_all()
                rs.assert_trees_back(self, sb, before)


class KilledRunTest(E2ETestCase):
    def test_program_killed_while_the_game_runs_is_repaired_at_next_start(self):
        sb = self.sandbox(settings={**ONE_RUN, "ScreenShot": "1", "Frame": "850"},
                          gamesim_faults={"duration_ms": 30000})
        before = rs.Trees(sb)
        program = rs.start_and_choose(sb, ID.VGAButton)
        sb.ui(("click", ID.BenchButton))
        harness.wait_until(lambda: rs.commands(sb), 180, "the game to start", interval=0.2)
        self.assertEqual(sb.settings(live=True).get("NoErrorWarning"), "1")
        self.assertTrue((sb.program_dir / "RunInProgress.dat").exists())
        # Kill the program's Windows process; the game goes on by itself.
        for pid in harness.wine_process_ids("framewright.exe"):
            os.kill(pid, signal.SIGKILL)
        program.kill()
        harness.wait_until(lambda: not harness.wine_process_ids("framewright.exe"), 60, "the program to be gone")
        # Wait for the game to end too, so that nothing writes any more.
        harness.wait_until(lambda: not [p for p in harness.wine_process_ids("crysis.exe")], 120, "the game to end")

        rs.start_and_choose(sb, ID.VGAButton)
        harness.wait_until(lambda: sb.settings(live=True).get("NoErrorWarning") == "0", 120,
                           "NoErrorWarning back to 0")
        rs.close(sb)
        sb.stop_all()
        rs.assert_trees_back(self, sb, before)
        self.assertEqual(sb.settings().get("NoErrorWarning"), "0")
        self.assertFalse((sb.program_dir / "RunInProgress.dat").exists())
