"""Fingerprints of folder trees, for "the game's files are as they were"."""

from __future__ import annotations

import fnmatch
import hashlib
import os
from dataclasses import dataclass, field
from pathlib import Path
from typing import Dict, Iterable, List

DIRECTORY = "<dir>"


def hash_tree(root, ignore: Iterable[str] = (), fold_case: bool = False) -> Dict[str, str]:
    """{relative path: SHA-256 of the content, or DIRECTORY} for everything
    below root, paths with "/" separators. `ignore` holds glob patterns
    matched against the relative path (a matched folder is skipped whole),
    compared without regard to case, as Windows names are. With fold_case the
    paths are lower-cased, for steps that may rename "game.cfg" back as
    "Game.cfg" on a file system that keeps the case it is given."""
    root = Path(root)
    patterns = [p.lower() for p in ignore]
    tree: Dict[str, str] = {}
    if not root.exists():
        return tree

    def ignored(relative: str) -> bool:
        return any(fnmatch.fnmatchcase(relative.lower(), p) for p in patterns)

    for directory, subdirs, files in os.walk(root):
        base = Path(directory).relative_to(root)
        kept = []
        for name in sorted(subdirs):
            relative = (base / name).as_posix()
            if ignored(relative):
                continue
            kept.append(name)
            tree[relative.lower() if fold_case else relative] = DIRECTORY
        subdirs[:] = kept
        for name in sorted(files):
            relative = (base / name).as_posix()
            if ignored(relative):
                continue
            digest = hashlib.sha256((Path(directory) / name).read_bytes()).hexdigest()
            tree[relative.lower() if fold_case else relative] = digest
    return tree


@dataclass
class TreeDiff:
    added: List[str] = field(default_factory=list)
    removed: List[str] = field(default_factory=list)
    changed: List[str] = field(default_factory=list)

    def __bool__(self) -> bool:
        return bool(self.added or self.removed or self.changed)

    def __str__(self) -> str:
        if not self:
            return "no differences"
        parts = []
        for label, paths in (("added", self.added), ("removed", self.removed), ("changed", self.changed)):
            if paths:
                parts.append(f"{label}: " + ", ".join(paths))
        return "; ".join(parts)


def diff_trees(before: Dict[str, str], after: Dict[str, str]) -> TreeDiff:
    return TreeDiff(
        added=sorted(set(after) - set(before)),
        removed=sorted(set(before) - set(after)),
        changed=sorted(p for p in set(before) & set(after) if before[p] != after[p]),
    )
