#!/usr/bin/env python3
"""Writes a sandbox's registry content, read from stdin as NUL-separated
groups of five fields: root (HKLM or HKCU), key path, value name, kind and
value. The kinds: "sz" and "dword" set a value, "key" makes the key without
a value, "delete" removes the key with every key below it (name and value
are then empty).

    sandbox_registry.py prefix PREFIX   changes the prefix's own system.reg /
                                        user.reg (no wineserver running)
    sandbox_registry.py regedit         prints a .reg file for "regedit /S"
                                        (UTF-16 with a byte order mark)

The first is what sandboxes use: starting Wine for regedit costs several
seconds (its services boot first), editing the files costs nothing, and the
wineserver reads them as it reads its own writing. A key the file already
holds (the installer's settings key, Wine's own DllOverrides) keeps its one
section: values are replaced or added there, so the file reads as the
wineserver itself would have saved it.
"""

import os
import sys
import time
from pathlib import Path

ROOTS = {"HKLM": ("HKEY_LOCAL_MACHINE", "system.reg"), "HKCU": ("HKEY_CURRENT_USER", "user.reg")}
KINDS = ("sz", "dword", "key", "delete")


def read_entries(data: bytes):
    fields = data.decode("utf-8").split("\0")
    if fields and fields[-1] == "":
        fields.pop()
    if len(fields) % 5:
        raise SystemExit("sandbox_registry: fields come in groups of five")
    entries = [tuple(fields[i:i + 5]) for i in range(0, len(fields), 5)]
    for root, _, _, kind, _ in entries:
        if root not in ROOTS:
            raise SystemExit(f"sandbox_registry: unknown root {root}")
        if kind not in KINDS:
            raise SystemExit(f"sandbox_registry: unknown kind {kind}")
    return entries


def blocks(entries):
    """Runs of entries on the same key and action, in their order:
    [(root, key, "delete" or "set", [(name, kind, value)])]."""
    out = []
    for root, key, name, kind, value in entries:
        action = "delete" if kind == "delete" else "set"
        if not out or out[-1][:3] != (root, key, action):
            out.append((root, key, action, []))
        if kind in ("sz", "dword"):
            out[-1][3].append((name, kind, value))
    return out


def server_escape(text: str, specials: str) -> str:
    """The wineserver's own escaping: backslash before the specials, \\x and
    four hex digits for everything outside printable ASCII."""
    out = []
    for unit in text:
        code = ord(unit)
        if code > 0xFFFF:
            high, low = divmod(code - 0x10000, 0x400)
            out.append(f"\\x{0xD800 + high:04x}\\x{0xDC00 + low:04x}")
        elif code < 32 or code > 126:
            out.append(f"\\x{code:04x}")
        elif unit == "\\" or unit in specials:
            out.append("\\" + unit)
        else:
            out.append(unit)
    return "".join(out)


def server_value(kind: str, value: str) -> str:
    if kind == "sz":
        return '"' + server_escape(value, '"') + '"'
    return f"dword:{int(value, 0):08x}"


class ServerFile:
    """A prefix's registry file (40000 lines), changed key by key where the
    key's section lies. A key's line is the only one that starts with a
    bracket ("[name] stamp"), and the file holds only ASCII (the wineserver
    escapes the rest), so an ASCII lower-case copy finds names as the
    registry compares them."""

    def __init__(self, data: bytes) -> None:
        self.data = data
        self.low = data.lower()

    def _span(self, name: bytes, after: bytes):
        """Start and end of the first section whose line begins with
        "[" + name + after, or None."""
        start = self.low.find(b"\n[" + name.lower() + after)
        if start < 0:
            return None
        end = self.low.find(b"\n[", start + 1)
        return start + 1, (len(self.data) if end < 0 else end + 1)

    def _replace(self, start: int, end: int, new: bytes) -> None:
        self.data = self.data[:start] + new + self.data[end:]
        self.low = self.low[:start] + new.lower() + self.low[end:]

    def delete(self, key: str) -> None:
        name = server_escape(key, "[]").encode("ascii")
        # The key, and every key below it (an escaped backslash follows the name).
        for after in (b"] ", b"\\\\"):
            while (span := self._span(name, after)) is not None:
                self._replace(*span, b"")

    def set(self, key: str, values, stamp: int) -> None:
        name = server_escape(key, "[]")
        span = self._span(name.encode("ascii"), b"] ")
        if span is None:
            # A new section at the end, after a blank line.
            tail = len(self.data) - len(self.data.rstrip(b"\n"))
            self._replace(len(self.data), len(self.data), b"\n" * max(0, 2 - tail))
            span = (len(self.data), len(self.data))
            lines = [f"[{name}] {stamp}\n", "\n"]
        else:
            lines = self.data[span[0]:span[1]].decode("ascii").splitlines(keepends=True)
        for value_name, kind, value in values:
            head = "@=" if value_name == "" else f'"{server_escape(value_name, chr(34))}"='
            _remove_value(lines, head)
            # Before the blank lines that end the section.
            at = len(lines)
            while at > 1 and lines[at - 1].strip() == "":
                at -= 1
            lines.insert(at, f"{head}{server_value(kind, value)}\n")
        self._replace(*span, "".join(lines).encode("ascii"))


def _remove_value(lines, head: str) -> None:
    """Takes a value (and the continuation lines of its hex data) out of a
    section's lines; value names compare without regard to case."""
    wanted = head.lower()
    i = 1
    while i < len(lines):
        if lines[i].lower().startswith(wanted):
            end = i + 1
            while lines[end - 1].rstrip("\r\n").endswith("\\") and end < len(lines):
                end += 1
            del lines[i:end]
            return
        i += 1


def write_prefix(prefix: Path, entries) -> None:
    stamp = int(time.time())
    files = {}
    for root, key, action, values in blocks(entries):
        name = ROOTS[root][1]
        if name not in files:
            files[name] = ServerFile((prefix / name).read_bytes())
        if action == "delete":
            files[name].delete(key)
        else:
            files[name].set(key, values, stamp)
    for name, content in files.items():
        path = prefix / name
        new = path.with_name(name + ".new")
        new.write_bytes(content.data)
        os.chmod(new, path.stat().st_mode & 0o7777)
        os.replace(new, path)


def regedit_text(entries) -> str:
    def quoted(text: str) -> str:
        return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'

    lines = ["Windows Registry Editor Version 5.00", ""]
    for root, key, action, values in blocks(entries):
        if action == "delete":
            lines += [f"[-{ROOTS[root][0]}\\{key}]", ""]
            continue
        lines.append(f"[{ROOTS[root][0]}\\{key}]")
        for name, kind, value in values:
            data = quoted(value) if kind == "sz" else f"dword:{int(value, 0):08x}"
            lines.append(f"{'@' if name == '' else quoted(name)}={data}")
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


def main() -> None:
    if len(sys.argv) < 2 or sys.argv[1] not in ("prefix", "regedit"):
        raise SystemExit(__doc__)
    entries = read_entries(sys.stdin.buffer.read())
    if sys.argv[1] == "prefix":
        write_prefix(Path(sys.argv[2]), entries)
    else:
        sys.stdout.buffer.write(b"\xff\xfe" + regedit_text(entries).encode("utf-16-le"))


if __name__ == "__main__":
    main()
