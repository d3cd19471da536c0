#!/usr/bin/env python3
"""needle_angle.py FILE DEGREES: checks that the seconds needle of a centred clock at 10:10 (logo
off) points within half a degree of DEGREES, clockwise from twelve. The needle is the darkest thing
on arcs inside the hour discs in the dial's lower half: the darkness-weighted mean angle there."""
import math
import subprocess
import sys

path, expected = sys.argv[1], float(sys.argv[2])
size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True, text=True).stdout
width, height = map(int, size.split()[:2])
grey = subprocess.run(["convert", path, "-depth", "8", "gray:-"], check=True, capture_output=True).stdout
weight = total = 0.0
for radius in (f * min(width, height) for f in (0.12, 0.14, 0.16, 0.18)):
    for degrees in (90 + step / 10 for step in range(1800)):
        x = math.floor(width / 2 + radius * math.sin(math.radians(degrees)))
        y = math.floor(height / 2 - radius * math.cos(math.radians(degrees)))
        darkness = 255 - grey[y * width + x]
        if darkness > 128:
            weight, total = weight + darkness, total + darkness * degrees
found = total / weight if weight else float("nan")
print(f"{path}: needle at {found:.2f} degrees, expected {expected}")
if not abs(found - expected) <= 0.5:
    sys.exit(f"{path}: the needle points {found:.2f} degrees, not {expected}")
