#!/usr/bin/env python3
"""hosted-check.py NOW.ppm X Y W H [BEFORE.ppm|- [X2 Y2]]: the window's 100-pixel
margin is black, text shows inside it (right of X2 or below Y2), nothing
outside the window differs from BEFORE.ppm."""
import sys


def load(path):
    with open(path, "rb") as f:
        data = f.read()
    width, height = map(int, data.split(maxsplit=3)[1:3])
    return width, data[len(data) - 3 * width * height:]  # 8-bit samples end the file


def main(now, x, y, w, h, before="-", x2=0, y2=0):
    x, y, w, h, x2, y2 = map(int, (x, y, w, h, x2, y2))
    width, pixels = load(now)
    rgb = lambda px, py: pixels[3 * (py * width + px):3 * (py * width + px) + 3]
    text = 0  # bright pixels where text is looked for
    for py in range(y, y + h):
        for px in range(x, x + w):
            in_display = x + 100 <= px < x + w - 100 and y + 100 <= py < y + h - 100
            if any(rgb(px, py)) and not in_display:
                sys.exit(f"the margin is not black at {px},{py}")
            text += sum(rgb(px, py)) > 384 and (px >= x2 or py >= y2)
    if not text:
        sys.exit(f"no text inside the window right of {x2} or below {y2}")
    if before != "-":
        _, old = load(before)
        for i in range(0, len(pixels), 3):
            px, py = i // 3 % width, i // 3 // width
            if pixels[i:i + 3] != old[i:i + 3] and not (x <= px < x + w and y <= py < y + h):
                sys.exit(f"something drawn outside the window at {px},{py}")


main(*sys.argv[1:])
