"""The small services around the benchmark under Wine: the news window fed
from this machine, the outcomes of a manual update check, the help file and a
second start of the program."""

import http.server
import os
import socket
import subprocess
import sys
import threading
import time
import unittest
from pathlib import Path
from unittest import mock

import harness
import pictures
from harness import ID, E2ETestCase

NEWS_TITLE = "Quernmark NEWS"
NEWS_TEXT_ID = 1
NEWS_PAGE = (b"<!DOCTYPE html><html><head><title>Brimvale &amp; News</title>"
             b"<style>p { color: red }</style><script>document.write('hidden')</script></head>"
             b"<body><h1>Framewright 1.1</h1><p>Faster   runs &lt;and&gt; a new chart.</p>"
             b"<p><a href=\"https://www.brimvale.example/dl\">Download</a></p></body></html>")
UPDATER_TITLE = "Quernmark Updater"
UPDATE_SERVER = Path(__file__).with_name("update_server.py")


class NewsHandler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = NEWS_PAGE if self.path == "/benchmarks/news.html" else b""
        self.send_response(200 if body else 404)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, fmt, *args):
        pass


def free_port() -> int:
    """A port on which nothing listens (it was free a moment ago)."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class UpdateServer:
    def __init__(self, mode: str, *options: str):
        self.process = subprocess.Popen([sys.executable, str(UPDATE_SERVER), mode, *options],
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.port = int(self.process.stdout.readline())

    def url(self) -> str:
        return f"http://127.0.0.1:{self.port}/framewright.inf"

    def stop(self) -> None:
        self.process.kill()
        self.process.wait(timeout=30)
        self.process.stdout.close()
        self.process.stderr.close()


def news_picture_faults(picture: pictures.Picture) -> list:
    """What is wrong with a screenshot of the news window showing NEWS_PAGE
    as text: its own black margins, silver text on black in the first
    lines, a black text area below them, the link in a black strip at the
    bottom."""
    # The client area starts below the caption; the text control sits 8
    # pixels inside it, the link strip 8 pixels above its bottom.
    left, top = 3, 22
    black = pictures.is_colour((0, 0, 0))
    silver = pictures.is_colour((192, 192, 192))
    faults = []
    margin = pictures.Box(left, top + 8, left + 6, picture.height - 40)
    if picture.share(margin, black) < 0.95:
        faults.append("the left margin is not black (another window shows through)")
    lines = pictures.Box(left + 8, top + 8, left + 260, top + 110)
    if picture.count(lines, silver) < 30:
        faults.append("no silver text in the first lines")
    if picture.count(lines, black) < 500:
        faults.append("the first lines are not silver on black")
    # Below the few lines of text the text area is empty: black, not white.
    empty = pictures.Box(left + 8, top + 200, left + 400, picture.height - 60)
    if picture.share(empty, black) < 0.95:
        faults.append("the empty text area is not black")
    strip = pictures.Box(left + 8, picture.height - 30, picture.width - 8, picture.height - 6)
    if picture.count(strip, lambda p: p[2] > p[0] + 60) < 5:
        faults.append("no link in the strip at the bottom")
    if picture.share(strip, black) < 0.8:
        faults.append("the link strip is not black")
    return faults


def news_text(sb: harness.Sandbox) -> str:
    return sb.ui(("use-window", NEWS_TITLE), ("text", NEWS_TEXT_ID))[-1].value


def start_with(sb: harness.Sandbox, **environment: str) -> harness.Program:
    with mock.patch.dict(os.environ, environment):
        program = sb.start_program()
    sb.ui(("wait-window", harness.MAIN_TITLE, 150000), timeout=200)
    return program


class NewsWindowTest(E2ETestCase):
    def test_news_page_shows_as_readable_text(self):
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), NewsHandler)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        self.addCleanup(server.server_close)
        self.addCleanup(server.shutdown)
        sb = self.sandbox()
        start_with(sb, FRAMEWRIGHT_NEWS_URL=f"http://127.0.0.1:{server.server_port}/benchmarks/news.html")
        sb.ui(("wait-window", NEWS_TITLE, 60000), timeout=90)

        def page_text():
            text = news_text(sb)
            return text if "Framewright 1.1" in text else None
        text = harness.wait_until(page_text, 60, "the news text")
        self.assertEqual(text.split("\r\n\r\n")[:4],
                         ["Brimvale & News", "Framewright 1.1", "Faster runs <and> a new chart.", "Download"])
        for absent in ("<p>", "color", "hidden", "&lt;"):
            self.assertNotIn(absent, text)
        # Under Wine the HTML engine is switched off: no dialog of Wine's own.
        sb.ui(("wait-gone", "Wine Gecko Installer", 0))

        # The window must really show it, in front of the main window.
        faults = []

        def painted():
            faults[:] = news_picture_faults(pictures.read(sb.screenshot(NEWS_TITLE, "news")))
            return not faults
        if harness.wait_until_or_none(painted, 30, interval=0.5) is None:
            self.fail("the news window's picture (news.png): " + "; ".join(faults))

    def test_unreachable_news_page_says_so(self):
        sb = self.sandbox()
        start_with(sb, FRAMEWRIGHT_NEWS_URL=f"http://127.0.0.1:{free_port()}/benchmarks/news.html")
        sb.ui(("wait-window", NEWS_TITLE, 60000), timeout=90)

        def failed():
            text = news_text(sb)
            return text if text.startswith("The news could not be loaded.") else None
        harness.wait_until(failed, 60, "the failure sentence")


class UpdateCheckTest(E2ETestCase):
    CASES = [
        # name, server mode (None: nothing listens), tick the box, instruction, "AutoUpdate"
        ("same-unticked", "same", False, "No update available.", "1"),
        ("same-ticked", "same", True, "No update available.", "0"),
        ("nothing-listens", None, False, "No internet connection.", "1"),
        ("wrong-hash", "mismatch", False, "Benchmark update aborted.", "1"),
    ]

    def test_manual_check_outcomes_set_auto_update(self):
        for name, mode, tick, instruction, stored in self.CASES:
            with self.subTest(case=name):
                sb = self.sandbox(name)
                marker = sb.dir / "installer-ran.txt"
                if mode is None:
                    url = f"http://127.0.0.1:{free_port()}/framewright.inf"
                else:
                    server = UpdateServer(mode, "--marker", sb.windows_path(marker))
                    self.addCleanup(server.stop)
                    url = server.url()
                start_with(sb, FRAMEWRIGHT_UPDATE_URL=url,
                           FRAMEWRIGHT_NEWS_URL=f"http://127.0.0.1:{free_port()}/news.html")
                sb.ui(("click", ID.RzShapeButton1))
                texts = sb.ui_values("dialog-texts", 60000)
                if mode == "mismatch":
                    # The updater's own question comes first.
                    self.assertIn("&Yes", texts)
                    sb.ui(("dialog-press", "Yes"))
                    texts = sb.ui_values("dialog-texts", 60000)
                self.assertEqual(texts[0], UPDATER_TITLE)
                self.assertIn(instruction, texts)
                self.assertIn("Disable automatic update (not recommended)", texts)
                if tick:
                    self.assertEqual(sb.ui_value("dialog-check-verification"), "1")
                sb.ui(("dialog-press", "OK"))
                harness.wait_until(lambda: sb.settings(live=True).get("AutoUpdate") == stored, 60,
                                   f"AutoUpdate {stored}")
                self.assertFalse(marker.exists())
                sb.ui(("close", harness.MAIN_TITLE))
                sb.stop_all()


class HelpAndInstanceTest(E2ETestCase):
    def test_missing_help_file_warns(self):
        sb = self.sandbox()
        (sb.program_dir / "Help.pdf").unlink(missing_ok=True)
        start_with(sb, FRAMEWRIGHT_NEWS_URL=f"http://127.0.0.1:{free_port()}/news.html")
        sb.ui(("click", ID.RzShapeButton4))
        texts = sb.ui_values("dialog-texts", 60000)
        self.assertEqual(texts[0], "Benchmark Warning")
        self.assertIn("Corrupt Help file, please reinstall Brimvale Framewright!", texts)
        sb.ui(("dialog-press", "OK"))

    def test_present_help_file_shows_no_warning(self):
        sb = self.sandbox()
        (sb.program_dir / "Help.pdf").write_bytes(b"%PDF-1.4\n%%EOF\n")
        start_with(sb, FRAMEWRIGHT_NEWS_URL=f"http://127.0.0.1:{free_port()}/news.html")
        sb.ui(("click", ID.RzShapeButton4))
        # Whatever viewer Wine finds (or none), the program asks nothing.
        self.assertFalse(sb.ui(("dialog-texts", 3000), check=False)[0].ok)

    def test_second_start_ends_at_once_and_keeps_the_first(self):
        sb = self.sandbox()
        first = start_with(sb, FRAMEWRIGHT_NEWS_URL=f"http://127.0.0.1:{free_port()}/news.html")
        second = sb.start_program()
        self.assertEqual(second.wait(timeout=120), 0)
        self.assertTrue(first.running)
        sb.ui(("wait-window", harness.MAIN_TITLE, 10000))


class ResponsivenessTest(E2ETestCase):
    def test_window_answers_while_a_slow_check_runs(self):
        sb = self.sandbox()
        server = UpdateServer("slow", "--delay", "8")
        self.addCleanup(server.stop)
        start_with(sb, FRAMEWRIGHT_UPDATE_URL=server.url(),
                   FRAMEWRIGHT_NEWS_URL=f"http://127.0.0.1:{free_port()}/news.html")
        gaps = []
        with sb.ui_session() as ui:
            ui.send(("click", ID.RzShapeButton1))
            # Round trips of a window-text read until the check's answer shows.
            while not ui.send(("dialog-texts", 50), check=False).ok:
                started = time.monotonic()
                ui.send(("text", ID.RzShapeButton1))
                gaps.append(time.monotonic() - started)
            ui.send(("dialog-press", "OK"))
        (self.artifacts / "responsiveness.txt").write_text(
            f"reads: {len(gaps)}, largest round trip: {max(gaps) * 1000:.0f} ms\n")
        self.assertGreater(len(gaps), 10)
        self.assertLess(max(gaps), 1.0)
