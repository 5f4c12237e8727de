"""A whole VGA benchmark through the real window: three resolutions, three
runs each, a note and screenshots; the game's command lines, the report's
bytes, the chart, the kept screenshots, the game files put back and the
Debug trace."""

import re
import subprocess

import harness
import run_support as rs
from harness import ID, E2ETestCase

NOTE = 'Fish & "chips" <today>'
SETTINGS = {
    "800": "1", "1024": "1", "hdw2": "1", "Quality": "4", "AFLevel": "3", "AALevel": "2", "Renderer": "1",
    "RunNumber": "3", "Demo": "1", "Note": NOTE, "ScreenShot": "1", "Frame": "850",
}
SIZES = [("800", "800", "600"), ("1024", "1024", "768"), ("hdtv2", "1920", "1080")]
HEADINGS = {
    "800": "<BR><B><FONT size=5>Resolution: 800\u00d7600</FONT></B><BR>",
    "1024": "<BR><B><FONT size=5>Resolution: 1024\u00d7768</FONT></B><BR>",
    "hdtv2": "<BR><B><FONT size=5>Resolution: 1920\u00d71080 (HD WideScreen)</FONT></B><BR>",
}
SERIES_COLOURS = [(255, 106, 106), (252, 185, 124), (103, 165, 1)]


def jpeg_pixels(path):
    """Every pixel's colour as (r, g, b) (ImageMagick's text dump)."""
    text = subprocess.run(["convert", str(path), "-depth", "8", "txt:-"], capture_output=True, text=True,
                          check=True).stdout
    return {tuple(int(v) for v in m.groups())
            for m in re.finditer(r"^\d+,\d+: \((\d+),(\d+),(\d+)", text, re.M)}


def near(colour, pixels, tolerance=24):
    return any(all(abs(a - b) <= tolerance for a, b in zip(colour, p)) for p in pixels)


class VgaRunTest(E2ETestCase):
    def test_three_resolutions_three_runs_with_note_and_screenshots(self):
        sb = self.sandbox(settings=SETTINGS)
        before = rs.Trees(sb)
        rs.start_and_choose(sb, ID.VGAButton, hold_shift=True)
        version = sb.ui_value("text", ID.Label17)
        sb.ui(("click", ID.BenchButton))
        self.assertEqual(rs.wait_for_message(sb), rs.SUCCESS)

        # The game's command lines, byte for byte.
        exe = '"' + sb.game_dir_win + 'Bin64\\Crysis.exe"'
        expected_commands = [
            (f"{exe} -DEVMODE +map island +demo benchmark_gpu +r_Width {w} +r_Height {h} +r_Fullscreen 1"
             f" +demo_num_runs 3 +demo_quit 1 +s_SoundEnable 0 +s_MusicEnable 0 -DX9"
             f" +demo_screenshot_frame 850 +demo_time_of_day = 16 r_Texture_Anisotropic_Level = 8"
             f" +r_FSAA = 1 +r_FSAA_samples = 4 +r_FSAA_quality = 0").encode("cp1252")
            for _, w, h in SIZES]
        self.assertEqual(rs.commands(sb), expected_commands)

        # The report: every fixed byte exact, the machine's facts in their lines' shapes.
        reports = rs.report_files(sb)
        self.assertEqual(len(reports), 1, reports)
        timestamp = re.fullmatch(r"result_(\d{6}__\d{2}_\d{2}_\d{4})\.htm", reports[0].name).group(1)
        lines = rs.read_report(harness.wait_for_file(reports[0]))
        system = rs.machine_values(lines)
        results = [m.groups() for m in map(rs.RESULT_PATTERN.fullmatch, lines) if m]
        self.assertEqual([r[0] for r in results], ["1", "2"] * 3)
        for _, minimum, average, maximum in results:
            self.assertLessEqual(int(minimum), int(average))
            self.assertLessEqual(int(average), int(maximum))
        expected = rs.header_lines(system, version, system["started"], "Fish &amp; &quot;chips&quot; &lt;today&gt;",
                                   "VGA benchmark", "Crytek Built-in",
                                   {"quality": "Very High (with tweaks)", "renderer": "DirectX 9",
                                    "aa": "4\u00d7", "af": "Anisotropic 8\u00d7"})
        for index, (tag, _, _) in enumerate(SIZES):
            expected.append(HEADINGS[tag])
            for i, minimum, average, maximum in results[2 * index:2 * index + 2]:
                expected.append(rs.result_line(int(i), minimum, average, maximum))
        expected.append(f'<p align="center"><img src="result_{timestamp}chart.jpg"><br>')
        expected += rs.FOOTER
        self.assertEqual(lines, expected)

        # The chart: a baseline JPEG of 456 x 343 with the three series' colours.
        chart = sb.program_dir / "Benchmark" / f"result_{timestamp}chart.jpg"
        data = chart.read_bytes()
        (self.artifacts / chart.name).write_bytes(data)
        self.assertTrue(data.startswith(b"\xff\xd8"))
        self.assertIn(b"\xff\xc0", data)
        self.assertNotIn(b"\xff\xc2", data)
        size = subprocess.run(["identify", "-format", "%w %h", str(chart)], capture_output=True, text=True).stdout
        self.assertEqual(size, "456 343")
        pixels = jpeg_pixels(chart)
        for colour in SERIES_COLOURS:
            with self.subTest(colour=colour):
                self.assertTrue(near(colour, pixels), f"no pixel near {colour}")

        rs.render_report(reports[0], self.artifacts / "report.png")

        # The screenshots and their descriptions in the program's folder.
        shots = sb.program_dir / "ScreenShots"
        names = sorted(p.name for p in shots.iterdir())
        stems = [f"frame850_{timestamp}_{w}\u00d7{h}" for _, w, h in SIZES]
        self.assertEqual(names, sorted([s + ".jpg" for s in stems] + [s + ".txt" for s in stems]))
        for stem, (tag, w, h) in zip(stems, SIZES):
            description = (shots / f"{stem}.txt").read_bytes()
            self.assertEqual(description, (
                f"Resolution: {w}\u00d7{h}\r\nFrame: 850\r\nRenderer: DirectX 9\r\nDemo: benchmark_gpu.tmd\r\n"
                f"Quality: Very High (with tweaks)\r\nRenderer mode: DirectX 9\r\nAntialising: 4\u00d7\r\n"
                f"Filtering: Anisotropic 8\u00d7\r\nMultiGPU support: Disabled\r\nBoost renderer: Disabled\r\n"
                f"Use Custom Config File: No\r\nNote: {NOTE}\r\n").encode("cp1252"))
            self.assertTrue((shots / f"{stem}.jpg").read_bytes().startswith(b"\xff\xd8"))

        # The Debug trace, saved to C:\log.txt.
        memo = rs.answered(sb, "text", ID.DebugMemo)
        (self.artifacts / "memo.txt").write_text(memo, encoding="utf-8")
        self.assertEqual(rs.answered(sb, "visible", ID.RzGroup1Items4), "1", "the Debug item after a start with Shift")
        sb.ui(("click", ID.RzGroup1Items4), ("click", ID.Button1))
        log = harness.wait_for_file(sb.prefix / "drive_c" / "log.txt")
        (self.artifacts / "log.txt").write_bytes(log.read_bytes())
        trace = log.read_bytes().split(b"\r\n")
        memo_lines = memo.encode("cp1252").replace(b"\r\n", b"\n").split(b"\n")
        self.assertEqual([t for t in trace if t], [m for m in memo_lines if m])
        stars = b"*" * 29
        banner = [i for i, t in enumerate(trace) if t.startswith(b"Framewright v")]
        self.assertEqual(len(banner), 1)
        self.assertEqual([trace[banner[0] - 1], trace[banner[0] + 1]], [stars, stars])
        self.assertTrue(trace[banner[0] + 2].startswith(b"CVarGroupsPath: "))
        for command in expected_commands:
            at = trace.index(command)
            self.assertEqual(trace[at - 4:at], [b"", stars, b"Start options", stars])
        for number, (tag, _, _) in enumerate(SIZES, 1):
            block = [b"", stars, b"Terminate Process Information", stars, b"Resolution: " + tag.encode(),
                     b"Total resolution: 3", f"Current Resolution: {number}".encode()]
            self.assertIn(block, [trace[i:i + 7] for i in range(len(trace))])
        self.assertEqual(trace.count(b"Result Information"), 3)
        for title, count in [("TempStringlist tartalma az eredm\u00e9nyek homogeniz\u00e1l\u00e1sa ut\u00e1n", 58),
                             ("TempStringlist tartalma az els\u00f5 eredm\u00e9ny kiv\u00e1g\u00e1sa ut\u00e1n", 58),
                             ("TempStringlist tartalma t\u00f6rl\u00e9s ut\u00e1n", 35),
                             ("Min eredm\u00e9ny hozz\u00e1ad\u00e1sa a charthoz", 34),
                             ("Average eredm\u00e9ny hozz\u00e1ad\u00e1sa a charthoz", 38),
                             ("Max eredm\u00e9ny hozz\u00e1ad\u00e1sa a charthoz", 35)]:
            with self.subTest(title=title):
                encoded = title.encode("cp1252")
                self.assertIn(encoded, trace)
                at = trace.index(encoded)
                self.assertEqual(trace[at - 2:at + 2], [b"", b"*" * count, encoded, b"*" * count])
        # The trace's scores are the report's.
        averages = [m.group(1).decode() for m in (re.fullmatch(rb"ScoreHTML \(Av\): (\d+) FPS  ScoreChart: \1", t)
                                                  for t in trace) if m]
        self.assertEqual(averages, [r[2] for r in results])

        self.assertEqual(sb.settings(live=True).get("NoErrorWarning"), "0")
        sb.screenshot(harness.MAIN_TITLE, "window-after-run")
        rs.close(sb)
        sb.stop_all()
        rs.assert_trees_back(self, sb, before)
