#!/usr/bin/env python3
"""Writes a sandbox's registry content, read from stdin as NUL-separated
groups of five fields: root (HKLM or HKCU), key path, value name, kind
("sz", "dword", or "key" for a key without values) and value.

    sandbox_registry.py prefix PREFIX   adds the keys to the prefix's own
                                        system.reg / user.reg (Wine not running)
    sandbox_registry.py regedit         prints a .reg file for "regedit /S"
                                        (UTF-16 with a byte order mark)

The first is what sandboxes use: starting Wine for regedit costs several
seconds (its services boot first), adding text to the files costs nothing,
and the wineserver reads them as it reads its own writing.
"""

import sys
import time
from pathlib import Path

ROOTS = {"HKLM": ("HKEY_LOCAL_MACHINE", "system.reg"), "HKCU": ("HKEY_CURRENT_USER", "user.reg")}


def read_entries(data: bytes):
    fields = data.decode("utf-8").split("\0")
    if fields and fields[-1] == "":
        fields.pop()
    if len(fields) % 5:
        raise SystemExit("sandbox_registry: fields come in groups of five")
    return [tuple(fields[i:i + 5]) for i in range(0, len(fields), 5)]


def grouped(entries):
    """{(root, key): [(name, kind, value)]} in the order keys first appear."""
    keys = {}
    for root, key, name, kind, value in entries:
        if root not in ROOTS:
            raise SystemExit(f"sandbox_registry: unknown root {root}")
        values = keys.setdefault((root, key), [])
        if kind != "key":
            values.append((name, kind, value))
    return keys


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
    if kind == "dword":
        return f"dword:{int(value, 0):08x}"
    raise SystemExit(f"sandbox_registry: unknown kind {kind}")


def write_prefix(prefix: Path, keys) -> None:
    stamp = int(time.time())
    additions = {name: [] for _, name in ROOTS.values()}
    for (root, key), values in keys.items():
        lines = [f"\n[{server_escape(key, '[]')}] {stamp}\n"]
        for name, kind, value in values:
            lines.append(f'"{server_escape(name, chr(34))}"={server_value(kind, value)}\n')
        additions[ROOTS[root][1]].append("".join(lines))
    for file_name, sections in additions.items():
        if sections:
            with open(prefix / file_name, "a", encoding="ascii") as registry:
                registry.write("".join(sections))


def regedit_text(keys) -> str:
    def quoted(text: str) -> str:
        return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'

    lines = ["Windows Registry Editor Version 5.00", ""]
    for (root, key), values in keys.items():
        lines.append(f"[{ROOTS[root][0]}\\{key}]")
        for name, kind, value in values:
            data = quoted(value) if kind == "sz" else f"dword:{int(value, 0):08x}"
            lines.append(f"{quoted(name)}={data}")
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


def main() -> None:
    if len(sys.argv) < 2 or sys.argv[1] not in ("prefix", "regedit"):
        raise SystemExit(__doc__)
    keys = grouped(read_entries(sys.stdin.buffer.read()))
    if sys.argv[1] == "prefix":
        write_prefix(Path(sys.argv[2]), keys)
    else:
        sys.stdout.buffer.write(b"\xff\xfe" + regedit_text(keys).encode("utf-16-le"))


if __name__ == "__main__":
    main()
