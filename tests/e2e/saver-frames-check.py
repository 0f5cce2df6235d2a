#!/usr/bin/env python3
"""Checks two screenshots of the running crawl (binary PPM, 1024x768):
the margin is black, text is on the display, the later shot shows it higher,
and every lit pixel lies inside the taper."""
import sys

WIDTH, HEIGHT, MARGIN = 1024, 768, 100
W1, H1 = WIDTH - 2 * MARGIN, HEIGHT - 2 * MARGIN


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
    assert fields[0] == b"P6" and int(fields[3]) == 255, fields
    width, height = int(fields[1]), int(fields[2])
    assert (width, height) == (WIDTH, HEIGHT), (width, height)
    return data[pos + 1:]


def lit_pixels(pixels):
    for y in range(HEIGHT):
        row = pixels[3 * WIDTH * y:3 * WIDTH * (y + 1)]
        for x in range(WIDTH):
            if max(row[3 * x:3 * x + 3]) > 64:
                yield x, y


def check(path):
    lit = list(lit_pixels(read_ppm(path)))
    assert lit, f"{path}: no text on the display"
    for x, y in lit:
        assert MARGIN <= x < MARGIN + W1 and MARGIN <= y < MARGIN + H1, \
            f"{path}: lit pixel in the margin at {x},{y}"
        d = H1 - (y - MARGIN)  # rows above the display's bottom edge
        left, right = d // 2 - 3, W1 - d // 2 + 3
        assert left <= x - MARGIN < right, f"{path}: lit pixel outside the taper at {x},{y}"
    return min(y for _, y in lit)


first, second = check(sys.argv[1]), check(sys.argv[2])
assert second < first, f"the text did not rise: top row {first} then {second}"
print(f"top lit row {first} then {second}")
