"""The target of a Windows shortcut (.lnk file), for checking where the
installer's Start menu entries lead.

Only what a shortcut to a local file needs is read: the fixed header, the
optional item-id list (skipped) and the link information block, whose local
base path is the target's full path in the ANSI code page.
"""

from __future__ import annotations

import struct
from typing import Optional

_HEADER_SIZE = 0x4C
_HAS_ID_LIST = 0x1
_HAS_LINK_INFO = 0x2
_VOLUME_ID_AND_LOCAL_BASE_PATH = 0x1


def local_target(data: bytes) -> Optional[str]:
    """The full path a shortcut points to, or None when the shortcut holds no
    local path (or is no shortcut at all)."""
    if len(data) < _HEADER_SIZE or struct.unpack_from("<I", data, 0)[0] != _HEADER_SIZE:
        return None
    flags = struct.unpack_from("<I", data, 0x14)[0]
    offset = _HEADER_SIZE
    if flags & _HAS_ID_LIST:
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    if not flags & _HAS_LINK_INFO or offset + 20 > len(data):
        return None
    info_flags, _volume, base_path = struct.unpack_from("<III", data, offset + 8)
    if not info_flags & _VOLUME_ID_AND_LOCAL_BASE_PATH:
        return None
    start = offset + base_path
    end = data.find(b"\0", start)
    if end < 0:
        return None
    return data[start:end].decode("cp1252")
