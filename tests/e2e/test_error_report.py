"""An error that escapes a handler of the real window: the program shows its
own error dialog, writes error.log beside itself and goes on working. The
fault probe is the program built with a Debug-page "Chart" button that throws."""

import shutil
import unittest

import harness
import window_support as ws
from harness import ID, E2ETestCase


class UnexpectedErrorTest(E2ETestCase):
    def test_error_in_a_click_is_reported_logged_and_survived(self):
        if not harness.FAULT_PROBE.exists():
            raise unittest.SkipTest("the fault probe is not built")
        sb = self.sandbox()
        shutil.copyfile(harness.FAULT_PROBE, sb.program_exe)
        error_log = sb.program_dir / "error.log"
        error_log.unlink(missing_ok=True)

        program = ws.start_program(sb, hold_shift=True)
        with ws.Window(sb) as w:
            w.wait_shown()
            w.choose_vga()
            w.page(ID.RzGroup1Items4)
            for attempt in (1, 2):
                with self.subTest(attempt=attempt):
                    w.click(ID.Button2)
                    texts = w.dialog()
                    w.screenshot(f"error_dialog_{attempt}")
                    self.assertEqual(texts[0], "Framewright")
                    message = "\n".join(texts)
                    self.assertIn("unexpected error", message)
                    self.assertIn("raised an error on purpose", message)
                    self.assertIn("The program goes on", message)
                    self.assertIn("error.log", message)
                    w.press("OK")
                    harness.wait_until(lambda: not w.has_dialog(), 30, "the error dialog gone")
                    # The window still answers and its controls still work.
                    self.assertTrue(program.running)
                    self.assertEqual(w.text(ID.Button1), "Save To C")
            w.page(ID.RzGroup1Items1)
            self.assertTrue(w.visible(ID.BenchButton))
            w.ui.send(("close", harness.MAIN_TITLE))
        self.assertEqual(program.wait(120), 0)

        lines = error_log.read_text(encoding="cp1252").splitlines()
        self.assertEqual(len(lines), 2, lines)
        for line in lines:
            self.assertRegex(line, r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d  .+: Fault probe: the Chart "
                                   r"button raised an error on purpose\.$")


if __name__ == "__main__":
    unittest.main()
