"""Pixels of screenshots, for tests that check what a window really shows.

    picture = pictures.read(sb.screenshot(TITLE, "news"))
    picture.share(pictures.Box(10, 30, 200, 120), pictures.is_colour((0, 0, 0)))
"""

from __future__ import annotations

import subprocess
from dataclasses import dataclass
from pathlib import Path
from typing import Callable, Tuple

Colour = Tuple[int, int, int]


@dataclass(frozen=True)
class Box:
    """Pixels left <= x < right, top <= y < bottom."""
    left: int
    top: int
    right: int
    bottom: int


@dataclass(frozen=True)
class Picture:
    width: int
    height: int
    rgb: bytes  # rows top to bottom, three bytes a pixel

    def pixel(self, x: int, y: int) -> Colour:
        at = (y * self.width + x) * 3
        return self.rgb[at], self.rgb[at + 1], self.rgb[at + 2]

    def count(self, box: Box, test: Callable[[Colour], bool]) -> int:
        """How many pixels of the box (cut to the picture) pass the test."""
        return sum(1 for x, y in self._points(box) if test(self.pixel(x, y)))

    def share(self, box: Box, test: Callable[[Colour], bool]) -> float:
        """The part of the box's pixels that pass the test (0 for an empty box)."""
        points = list(self._points(box))
        if not points:
            return 0.0
        return sum(1 for x, y in points if test(self.pixel(x, y))) / len(points)

    def _points(self, box: Box):
        for y in range(max(box.top, 0), min(box.bottom, self.height)):
            for x in range(max(box.left, 0), min(box.right, self.width)):
                yield x, y


def is_colour(colour: Colour) -> Callable[[Colour], bool]:
    return lambda pixel: pixel == colour


def read(path: Path) -> Picture:
    """Any picture ImageMagick reads, as 8-bit RGB."""
    size = subprocess.run(["identify", "-format", "%w %h", str(path)], capture_output=True,
                          text=True, check=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    rgb = subprocess.run(["convert", str(path), "-depth", "8", "rgb:-"], capture_output=True,
                         check=True).stdout
    if len(rgb) != width * height * 3:
        raise ValueError(f"{path}: {len(rgb)} bytes for {width}x{height} pixels")
    return Picture(width, height, rgb)
