#!/usr/bin/env python3
"""Checks of the screen ("-": a screenshot now; else an image file), exiting
with the reason when one fails.

crawl SECONDS | crawl A B: text inside the black margin and the taper of a
  1024x768 screen at the top left, higher SECONDS later (or in B than in A).
window NOW X Y W H [BEFORE|- [X2 Y2]]: the window's 100-pixel margin is black,
  text shows inside it (right of X2 or below Y2), nothing outside differs.
monitors PRIMARY OTHER...: the primary (WxH+X+Y) has text, no red, lit
  pixels only inside its display area; the others are black.
pointer: prints "blank" or "visible", whether the pointer has a visible pixel."""
import ctypes as c
import re, subprocess, sys, time

MARGIN = 100


def load(source):
    command = ["import", "-silent", "-window", "root"] if source == "-" else ["convert", source]
    ppm = subprocess.run(command + ["-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
    width, height = map(int, ppm.split(maxsplit=3)[1:3])
    return width, height, ppm[len(ppm) - 3 * width * height:]  # 8-bit samples end the file


def top_lit_row(source):
    width, height, rgb = load(source)
    if width < 1024 or height < 768:
        sys.exit("not a 1024x768 primary screen")
    lit = [(i % width, i // width) for i in range(width * 768)
           if i % width < 1024 and max(rgb[3 * i:3 * i + 3]) > 64] or sys.exit("no text on the display")
    for x, y in lit:
        d = 768 - MARGIN - y  # rows above the display's bottom edge
        inside = MARGIN <= x < 1024 - MARGIN and MARGIN <= y < 768 - MARGIN
        if not inside or not (d // 2 - 3 <= x - MARGIN < 824 - d // 2 + 3):
            sys.exit(f"lit pixel in the margin or outside the taper at {x},{y}")
    return min(y for _, y in lit)


def crawl(a, b=None):
    first = top_lit_row("-" if b is None else a)
    if b is None:
        time.sleep(float(a))
    second = top_lit_row(b or "-")
    if second >= first:
        sys.exit(f"the text did not rise: top row {first} then {second}")


def window(now, x, y, w, h, before="-", x2=0, y2=0):
    x, y, w, h, x2, y2 = map(int, (x, y, w, h, x2, y2))
    width, height, rgb = load(now)
    old = load(before)[2] if before != "-" else rgb
    row = lambda px, py, n, image=rgb: image[3 * (py * width + px):3 * (py * width + px + max(n, 0))]
    text = False  # a bright pixel where text is looked for
    for py in range(height):
        outside = [(0, x), (x + w, width - x - w)] if y <= py < y + h else [(0, width)]
        if any(row(a, py, n) != row(a, py, n, old) for a, n in outside):
            sys.exit(f"something drawn outside the window in row {py}")
        inside = y + MARGIN <= py < y + h - MARGIN
        margin = row(x, py, MARGIN) + row(x + w - MARGIN, py, MARGIN) if inside else row(x, py, w)
        if y <= py < y + h and max(margin, default=0):
            sys.exit(f"the margin is not black in row {py}")
        left = x + MARGIN if py >= y2 else max(x + MARGIN, x2)
        display = row(left, py, x + w - MARGIN - left) if inside else b""
        text = text or any(sum(display[i:i + 3]) > 384 for i in range(0, len(display), 3))
    text or sys.exit(f"no text inside the window right of {x2} or below {y2}")


def monitors(primary, *others):
    width, _, rgb = load("-")
    area = lambda m: tuple(map(int, m.replace("x", "+").split("+")))  # w, h, x, y
    row = lambda x, y, w: rgb[3 * (y * width + x):3 * (y * width + x + w)]
    w, h, x, y = area(primary)
    lit = 0
    for py in range(y, y + h):
        inside = y + MARGIN <= py < y + h - MARGIN
        margin = row(x, py, MARGIN) + row(x + w - MARGIN, py, MARGIN) if inside else row(x, py, w)
        display = row(x + MARGIN, py, w - 2 * MARGIN) if inside else b""
        if max(margin) > 64 or any(m.start() % 3 == 0 for m in re.finditer(b"\xff\0\0", display)):
            sys.exit(f"red, or a lit pixel outside the display area, on the primary in row {py}")
        lit += max(display, default=0) > 64
    lit or sys.exit("no text on the primary's display")
    for w, h, x, y in map(area, others):
        if any(max(row(x, py, w)) for py in range(y, y + h)):
            sys.exit(f"the monitor at {x},{y} is not black")


class CursorImage(c.Structure):
    _fields_ = [("x", c.c_short), ("y", c.c_short), ("width", c.c_ushort), ("height", c.c_ushort),
                ("xhot", c.c_ushort), ("yhot", c.c_ushort), ("serial", c.c_ulong),
                ("pixels", c.POINTER(c.c_ulong))]


def pointer():
    x11, xfixes = c.CDLL("libX11.so.6"), c.CDLL("libXfixes.so.3")
    x11.XOpenDisplay.restype = c.c_void_p
    xfixes.XFixesGetCursorImage.restype = c.POINTER(CursorImage)
    display = x11.XOpenDisplay(None) or sys.exit("no display")
    image = xfixes.XFixesGetCursorImage(c.c_void_p(display)).contents
    print("visible" if any(image.pixels[i] >> 24 for i in range(image.width * image.height)) else "blank")


{"crawl": crawl, "window": window, "monitors": monitors, "pointer": pointer}[sys.argv[1]](*sys.argv[2:])
