"""Talking to uidriver.exe: building its input and reading its answers.

The driver prints every value as a line "= value" (line breaks, tabs and
backslashes escaped) and ends every command with "ok" or "error: message".
"""

from __future__ import annotations

import queue
import subprocess
import threading
import time
from dataclasses import dataclass, field
from typing import Iterable, List, Optional, Sequence, Union

Command = Union[str, Sequence[object]]


class UiError(AssertionError):
    """A driver command failed (the program did not behave as the test
    expected), with the driver's message."""


@dataclass
class CommandResult:
    words: List[str]
    values: List[str] = field(default_factory=list)
    error: Optional[str] = None

    @property
    def ok(self) -> bool:
        return self.error is None

    @property
    def value(self) -> str:
        """The single value of a command that prints one."""
        if len(self.values) != 1:
            raise UiError(f"{' '.join(self.words)}: expected one value, got {self.values!r}")
        return self.values[0]


def command_words(command: Command) -> List[str]:
    """A command as its words: a sequence is taken as it is (numbers become
    text), a string is split at blanks (use a sequence for texts with blanks)."""
    if isinstance(command, str):
        return command.split()
    return [str(word) for word in command]


def argument_list(commands: Iterable[Command]) -> List[str]:
    """The driver's arguments for several commands: words, with ";" between."""
    arguments: List[str] = []
    for command in commands:
        if arguments:
            arguments.append(";")
        arguments.extend(command_words(command))
    return arguments


def script_line(command: Command) -> str:
    """One stdin line for the driver: every word quoted."""

    def quote(word: str) -> str:
        return '"' + word.replace("\\", "\\\\").replace('"', '\\"') + '"'

    return " ".join(quote(w) for w in command_words(command))


def unescape_value(text: str) -> str:
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def parse_output(commands: Sequence[Command], output: str) -> List[CommandResult]:
    """Results in command order; commands after the first failure (which the
    driver did not run) are left out."""
    results: List[CommandResult] = []
    pending: List[str] = []
    for line in output.splitlines():
        if line.startswith("= "):
            pending.append(unescape_value(line[2:]))
        elif line == "=":
            pending.append("")
        elif line == "ok" or line.startswith("error: "):
            index = len(results)
            words = command_words(commands[index]) if index < len(commands) else []
            error = unescape_value(line[len("error: "):]) if line != "ok" else None
            results.append(CommandResult(words, pending, error))
            pending = []
    return results


class UiSession:
    """A driver kept running for a series of commands (each Wine start costs
    a second); commands go in as stdin lines, answers are read back with a
    time limit. Use as a context manager."""

    def __init__(self, argv: Sequence[str], env: dict, timeout: float = 60.0):
        self._timeout = timeout
        self._process = subprocess.Popen(
            list(argv), stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
            env=env, text=True, encoding="utf-8", bufsize=1)
        self._lines: "queue.Queue[Optional[str]]" = queue.Queue()
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self) -> None:
        assert self._process.stdout is not None
        for line in self._process.stdout:
            self._lines.put(line.rstrip("\n"))
        self._lines.put(None)

    def send(self, command: Command, check: bool = True, timeout: Optional[float] = None) -> CommandResult:
        assert self._process.stdin is not None
        self._process.stdin.write(script_line(command) + "\n")
        self._process.stdin.flush()
        collected: List[str] = []
        deadline = time.monotonic() + (timeout or self._timeout)
        while True:
            try:
                line = self._lines.get(timeout=0.2)
            except queue.Empty:
                # The pipe may outlive the driver (a wineserver it started
                # holds it), so its end is seen by the process, not the pipe.
                if self._process.poll() is not None and self._lines.empty():
                    raise UiError(f"uidriver ended during {command_words(command)}") from None
                if time.monotonic() > deadline:
                    raise UiError(f"uidriver gave no answer to {command_words(command)}") from None
                continue
            if line is None:
                raise UiError(f"uidriver ended during {command_words(command)}")
            collected.append(line)
            if line == "ok" or line.startswith("error: "):
                break
        result = parse_output([command], "\n".join(collected))[0]
        if check and not result.ok:
            raise UiError(f"{' '.join(result.words)}: {result.error}")
        return result

    def value(self, *words: object) -> str:
        return self.send(list(words)).value

    def values(self, *words: object) -> List[str]:
        return self.send(list(words)).values

    def close(self) -> None:
        if self._process.poll() is None:
            assert self._process.stdin is not None
            self._process.stdin.close()
            try:
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()

    def __enter__(self) -> "UiSession":
        return self

    def __exit__(self, *exc) -> None:
        self.close()
