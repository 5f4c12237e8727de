"""Reading Wine's registry files and regedit's exports.

Two dialects share one value syntax:

* the prefix's own files (system.reg, user.reg), written by the wineserver:
  key names relative to the file's root and escaped ("Software\\\\Wine"),
  followed by a time stamp; strings escape characters above 127 as \\x...,
  control characters as C or octal escapes;
* regedit's exports ("Windows Registry Editor Version 5.00", UTF-16): full
  key names with their root ("HKEY_LOCAL_MACHINE\\Software\\Wine"), not
  escaped; strings escape only backslash and quote (and line breaks).
"""

from __future__ import annotations

import re
from dataclasses import dataclass
from pathlib import Path
from typing import Dict, Iterator, List, Optional, Tuple

REG_SZ = 1
REG_EXPAND_SZ = 2
REG_BINARY = 3
REG_DWORD = 4
REG_MULTI_SZ = 7

_C_ESCAPES = {"a": "\a", "b": "\b", "t": "\t", "n": "\n", "v": "\v", "f": "\f", "r": "\r", "e": "\x1b"}
_HEX_DIGITS = "0123456789abcdefABCDEF"


@dataclass(frozen=True)
class RegValue:
    """One registry value: its type, its data (str for string types, int for
    REG_DWORD, list of str for REG_MULTI_SZ, bytes otherwise) and, for string
    types, whether the stored bytes ended with the terminating zero."""

    type: int
    data: object
    terminated: bool = True


def unescape(text: str) -> str:
    """Undoes the wineserver's string escapes (a superset of regedit's)."""
    out: List[str] = []
    i = 0
    while i < len(text):
        c = text[i]
        if c != "\\" or i + 1 == len(text):
            out.append(c)
            i += 1
            continue
        nxt = text[i + 1]
        if nxt == "x":
            j = i + 2
            while j < len(text) and j < i + 6 and text[j] in _HEX_DIGITS:
                j += 1
            if j == i + 2:
                out.append("x")
            else:
                out.append(chr(int(text[i + 2:j], 16)))
            i = j
        elif nxt in "01234567":
            j = i + 1
            while j < len(text) and j < i + 4 and text[j] in "01234567":
                j += 1
            out.append(chr(int(text[i + 1:j], 8)))
            i = j
        elif nxt in _C_ESCAPES:
            out.append(_C_ESCAPES[nxt])
            i += 2
        else:
            out.append(nxt)
            i += 2
    # Characters beyond the first plane come as two escaped UTF-16 halves.
    return "".join(out).encode("utf-16-le", "surrogatepass").decode("utf-16-le")


def _quoted(text: str, start: int) -> Tuple[str, int]:
    """The raw (still escaped) body of the quoted string starting at
    text[start] == '"', and the index after its closing quote."""
    i = start + 1
    while i < len(text):
        if text[i] == "\\":
            i += 2
            continue
        if text[i] == '"':
            return text[start + 1:i], i + 1
        i += 1
    raise ValueError(f"unterminated string: {text[start:]!r}")


def _string_data(raw: str) -> str:
    return unescape(raw)


def _decode_string_bytes(data: bytes) -> Tuple[str, bool]:
    terminated = len(data) >= 2 and data[-2:] == b"\0\0" and len(data) % 2 == 0
    text = data.decode("utf-16-le", errors="replace")
    if terminated:
        text = text[:-1]
    return text, terminated


def _multi(text: str) -> List[str]:
    parts = text.split("\0")
    while parts and parts[-1] == "":
        parts.pop()
    return parts


def parse_value_data(data: str) -> RegValue:
    """The part after "=" of one value line (continuations already joined)."""
    if data.startswith('"'):
        raw, _ = _quoted(data, 0)
        return RegValue(REG_SZ, _string_data(raw))
    m = re.match(r"str\(([0-9a-fA-F]+)\):", data)
    if m:
        kind = int(m.group(1), 16)
        raw, _ = _quoted(data, m.end())
        text = _string_data(raw)
        return RegValue(kind, _multi(text) if kind == REG_MULTI_SZ else text)
    if data.startswith("dword:"):
        return RegValue(REG_DWORD, int(data[6:].strip(), 16))
    m = re.match(r"hex(?:\(([0-9a-fA-F]+)\))?:", data)
    if m:
        kind = int(m.group(1), 16) if m.group(1) else REG_BINARY
        digits = re.sub(r"[\s,\\]", "", data[m.end():])
        raw = bytes.fromhex(digits)
        if kind in (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ):
            text, terminated = _decode_string_bytes(raw)
            return RegValue(kind, _multi(text) if kind == REG_MULTI_SZ else text, terminated)
        if kind == REG_DWORD and len(raw) == 4:
            return RegValue(kind, int.from_bytes(raw, "little"))
        return RegValue(kind, raw)
    raise ValueError(f"unknown value data: {data!r}")


def _logical_lines(text: str) -> Iterator[str]:
    """Lines with hex continuations ("...,\\" + indented next line) joined."""
    pending = ""
    for line in text.splitlines():
        if pending:
            line = pending + line.strip()
            pending = ""
        if re.match(r'^(@|").*=hex', line) and line.endswith("\\"):
            pending = line[:-1]
            continue
        yield line
    if pending:
        yield pending


def parse(text: str) -> Dict[str, Dict[str, RegValue]]:
    """All keys of a registry file: {key name: {value name: RegValue}}.

    Key names are given as the file writes them once unescaped: relative to
    the file's root for the prefix's files ("Software\\Wine"), with their root
    for regedit exports ("HKEY_CURRENT_USER\\Software\\Wine"). The default
    value is named "". Look-ups should use key() for case-insensitive names."""
    keys: Dict[str, Dict[str, RegValue]] = {}
    server_dialect = not text.lstrip("\ufeff").startswith("Windows Registry Editor")
    current: Optional[Dict[str, RegValue]] = None
    for line in _logical_lines(text):
        if line.startswith("["):
            end = line.rfind("]")
            name = line[1:end]
            if server_dialect:
                name = unescape(name)
            current = keys.setdefault(name, {})
            continue
        if current is None or not line or line[0] not in '@"':
            continue
        if line.startswith("@="):
            value_name, rest = "", line[2:]
        else:
            raw, after = _quoted(line, 0)
            value_name = unescape(raw)
            if after >= len(line) or line[after] != "=":
                continue
            rest = line[after + 1:]
        current[value_name] = parse_value_data(rest)
    return keys


def key(keys: Dict[str, Dict[str, RegValue]], name: str) -> Optional[Dict[str, RegValue]]:
    """The values of a key, its name compared without regard to case (as the
    registry compares it); None when the key is absent."""
    wanted = name.lower()
    for candidate, values in keys.items():
        if candidate.lower() == wanted:
            return values
    return None


def read_file(path) -> str:
    """A registry file's text, UTF-16 (with its byte order mark) or 8-bit."""
    data = Path(path).read_bytes()
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le")
    return data.decode("utf-8", errors="surrogateescape")
