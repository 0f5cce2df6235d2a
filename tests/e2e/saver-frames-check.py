#!/usr/bin/env python3
"""Checks two screenshots of the running crawl (binary PPM, 1024x768, 8 bits):
the margin is black, text is on the display, every lit pixel lies inside the
taper, and the later shot shows the text higher."""
import sys

WIDTH, HEIGHT, MARGIN = 1024, 768, 100
W1, H1 = WIDTH - 2 * MARGIN, HEIGHT - 2 * MARGIN
LIT = 64


def read_ppm(path):
    data = open(path, "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        sys.exit(f"{path}: not an 8-bit binary PPM: {fields}")
    if (int(fields[1]), int(fields[2])) != (WIDTH, HEIGHT):
        sys.exit(f"{path}: screen is {fields[1]}x{fields[2]}")
    return data[pos + 1:]


def lit_pixels(pixels):
    for y in range(HEIGHT):
        row = pixels[3 * WIDTH * y:3 * WIDTH * (y + 1)]
        for x in range(WIDTH):
            if max(row[3 * x:3 * x + 3]) > LIT:
                yield x, y


def top_lit_row(path):
    lit = list(lit_pixels(read_ppm(path)))
    if not lit:
        sys.exit(f"{path}: no text on the display")
    for x, y in lit:
        if not (MARGIN <= x < MARGIN + W1 and MARGIN <= y < MARGIN + H1):
            sys.exit(f"{path}: lit pixel in the margin at {x},{y}")
        d = H1 - (y - MARGIN)  # rows above the display's bottom edge
        if not d // 2 - 3 <= x - MARGIN < W1 - d // 2 + 3:
            sys.exit(f"{path}: lit pixel outside the taper at {x},{y}")
    return min(y for _, y in lit)


first, second = top_lit_row(sys.argv[1]), top_lit_row(sys.argv[2])
if second >= first:
    sys.exit(f"the text did not rise: top row {first} then {second}")
print(f"top lit row {first} then {second}")
