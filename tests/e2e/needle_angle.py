#!/usr/bin/env python3
"""Checks where the seconds needle of a centred clock points.

needle_angle.py FILE DEGREES
The needle is the darkest thing in the lower half of the dial at 10:10 with the logo off: samples
along arcs inside the hour discs, the darkness-weighted mean angle (clockwise from twelve) must lie
within half a degree of DEGREES (a second of the needle is six).
"""
import math
import subprocess
import sys


def main():
    path, expected = sys.argv[1], float(sys.argv[2])
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True, text=True)
    width, height = map(int, size.stdout.split()[:2])
    raw = subprocess.run(["convert", path, "-depth", "8", "gray:-"], check=True, capture_output=True).stdout
    cx, cy, side = width / 2, height / 2, min(width, height)
    weight = total = 0.0
    for fraction in (0.12, 0.14, 0.16, 0.18):
        radius = fraction * side
        for step in range(1800):  # 90 to 270 degrees, a tenth at a time
            degrees = 90 + step / 10
            x = math.floor(cx + radius * math.sin(math.radians(degrees)))
            y = math.floor(cy - radius * math.cos(math.radians(degrees)))
            darkness = 255 - raw[y * width + x]
            if darkness > 128:
                weight += darkness
                total += darkness * degrees
    if weight == 0:
        sys.exit(f"{path}: no needle in the lower half of the dial")
    found = total / weight
    print(f"{path}: needle at {found:.2f} degrees, expected {expected}")
    if abs(found - expected) > 0.5:
        sys.exit(f"{path}: the needle points {found:.2f} degrees, not {expected}")


main()
