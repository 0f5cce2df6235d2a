#!/usr/bin/env python3
"""Two screenshots (1024x768) the seconds given apart: text inside the black
margin and the taper, and higher in the later one."""
import subprocess, sys, time

WIDTH, HEIGHT, MARGIN = 1024, 768, 100
W1, H1 = WIDTH - 2 * MARGIN, HEIGHT - 2 * MARGIN


def top_lit_row():
    shot = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                          capture_output=True, check=True).stdout
    if shot.split(maxsplit=4)[:4] != [b"P6", b"1024", b"768", b"255"]:
        sys.exit(f"not an 8-bit {WIDTH}x{HEIGHT} screen")
    pixels = shot[-3 * WIDTH * HEIGHT:]
    lit = [(i % WIDTH, i // WIDTH) for i in range(WIDTH * HEIGHT)
           if max(pixels[3 * i:3 * i + 3]) > 64]
    if not lit:
        sys.exit("no text on the display")
    for x, y in lit:
        d = H1 - (y - MARGIN)  # rows above the display's bottom edge
        inside = MARGIN <= x < MARGIN + W1 and MARGIN <= y < MARGIN + H1
        if not inside or not d // 2 - 3 <= x - MARGIN < W1 - d // 2 + 3:
            sys.exit(f"lit pixel in the margin or outside the taper at {x},{y}")
    return min(y for _, y in lit)


first = top_lit_row()
time.sleep(float(sys.argv[1]))
second = top_lit_row()
if second >= first:
    sys.exit(f"the text did not rise: top row {first} then {second}")
print(f"top lit row {first} then {second}")
