#!/usr/bin/env python3
"""Checks a screenshot (binary PPM) of a saver drawing into a window:
hosted-check.py NOW.ppm X Y W H [--before BEFORE.ppm] [--beyond X2 Y2]
- the 100-pixel margin inside the window X, Y, W x H is black;
- text (bright pixels) shows inside the margin, and right of X2 or below
  Y2 (screen pixels) when --beyond is given;
- with --before, nothing outside the window differs from BEFORE.ppm."""
import argparse
import sys

MARGIN = 100


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        _, width, height = data.split(maxsplit=3)[:3]
        self.width, self.height = int(width), int(height)
        self.data = data[len(data) - 3 * self.width * self.height:]  # 8-bit samples end the file

    def rgb(self, x, y):
        i = 3 * (y * self.width + x)
        return self.data[i:i + 3]


def margin_and_text(image, a):
    x, y, w, h = a.x, a.y, a.w, a.h
    text = 0
    for py in range(y, y + h):
        for px in range(x, x + w):
            pixel = image.rgb(px, py)
            in_display = x + MARGIN <= px < x + w - MARGIN and y + MARGIN <= py < y + h - MARGIN
            if any(pixel) and not in_display:
                return f"the margin is not black at {px},{py}"
            beyond = a.beyond is None or px >= a.beyond[0] or py >= a.beyond[1]
            text += sum(pixel) > 384 and beyond
    return None if text else f"no text inside the window (beyond {a.beyond})"


def outside_unchanged(image, before, a):
    row_bytes = 3 * image.width
    for py in range(image.height):
        if image.data[py * row_bytes:(py + 1) * row_bytes] == before.data[py * row_bytes:(py + 1) * row_bytes]:
            continue
        for px in range(image.width):
            inside = a.x <= px < a.x + a.w and a.y <= py < a.y + a.h
            if not inside and image.rgb(px, py) != before.rgb(px, py):
                return f"something drawn outside the window at {px},{py}"
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("now")
    for name in "xywh":
        parser.add_argument(name, type=int)
    parser.add_argument("--before")
    parser.add_argument("--beyond", type=int, nargs=2)
    a = parser.parse_args()
    image = Image(a.now)
    errors = [margin_and_text(image, a)]
    if a.before:
        errors.append(outside_unchanged(image, Image(a.before), a))
    errors = [e for e in errors if e]
    for error in errors:
        print(error, file=sys.stderr)
    return 1 if errors else 0


sys.exit(main())
