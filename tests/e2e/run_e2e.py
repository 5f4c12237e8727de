#!/usr/bin/env python3
"""Runs the end-to-end tests (tests/e2e/test_*.py) and prints a summary.

    run_e2e.py                  every test
    run_e2e.py startup          tests whose id contains "startup"
    run_e2e.py -l               list the tests only
    run_e2e.py -v               show each test as it runs

Exit code 0 when nothing failed, 1 otherwise (skips do not fail).
"""

from __future__ import annotations

import argparse
import sys
import time
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))


class TimedResult(unittest.TextTestResult):
    """Keeps each test's outcome and duration for the summary."""

    def __init__(self, *args, **kwargs) -> None:
        super().__init__(*args, **kwargs)
        self.rows: list[tuple[str, str, str, float]] = []
        self._started = 0.0

    def startTest(self, test) -> None:
        self._started = time.monotonic()
        super().startTest(test)

    def _row(self, test, status: str, detail: str = "") -> None:
        self.rows.append((test.id(), status, detail, time.monotonic() - self._started))

    def addSuccess(self, test) -> None:
        super().addSuccess(test)
        self._row(test, "ok")

    def addFailure(self, test, err) -> None:
        super().addFailure(test, err)
        self._row(test, "FAIL")

    def addError(self, test, err) -> None:
        super().addError(test, err)
        self._row(test, "ERROR")

    def addSkip(self, test, reason) -> None:
        super().addSkip(test, reason)
        self._row(test, "skip", reason)

    def addExpectedFailure(self, test, err) -> None:
        super().addExpectedFailure(test, err)
        self._row(test, "xfail")

    def addUnexpectedSuccess(self, test) -> None:
        super().addUnexpectedSuccess(test)
        self._row(test, "XPASS")


def flatten(suite):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from flatten(item)
        else:
            yield item


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("patterns", nargs="*", help="run only tests whose id contains one of these")
    parser.add_argument("-l", "--list", action="store_true", help="list the tests and stop")
    parser.add_argument("-v", "--verbose", action="store_true")
    args = parser.parse_args()

    loader = unittest.TestLoader()
    if args.patterns:
        loader.testNamePatterns = [f"*{p}*" for p in args.patterns]
    suite = loader.discover(str(HERE), pattern="test_*.py", top_level_dir=str(HERE))
    tests = list(flatten(suite))
    # A module that cannot even be imported shows up as a failed test.
    if args.list:
        for test in tests:
            print(test.id())
        return 0
    if not tests:
        print("no tests match", " ".join(args.patterns))
        return 1

    runner = unittest.TextTestRunner(verbosity=2 if args.verbose else 1, resultclass=TimedResult,
                                     stream=sys.stderr)
    started = time.monotonic()
    result = runner.run(unittest.TestSuite(tests))
    total = time.monotonic() - started

    # Wine on a busy machine now and then misses a window or a key: a failed
    # test runs once more on its own, and the summary names it as flaky.
    failed_tests = [test for test, _ in result.failures + result.errors]
    failed_tests += list(result.unexpectedSuccesses)
    still_failing = []
    retried = []
    seen = set()
    for test in failed_tests:
        # A failed subtest is run again through the test that holds it.
        test = getattr(test, "test_case", test)
        if test.id() in seen:
            continue
        seen.add(test.id())
        again = runner.run(unittest.TestSuite([test]))
        if again.wasSuccessful():
            retried.append(test.id())
        else:
            still_failing.append(test.id())
            result.rows.extend(again.rows if hasattr(again, "rows") else [])

    print("\n== end-to-end summary")
    for test_id, status, detail, seconds in result.rows:
        print(f"  {seconds:6.1f} s  {status:<5}  {test_id}" + (f"  ({detail})" if detail else ""))
    for test_id in retried:
        print(f"  flaky: failed once, passed when run again: {test_id}")
    print(f"  {result.testsRun} run, {len(still_failing)} failed, {len(result.skipped)} skipped, "
          f"{len(retried)} passed only on a second run, {total:.1f} s")
    return 0 if not still_failing else 1


if __name__ == "__main__":
    sys.exit(main())
