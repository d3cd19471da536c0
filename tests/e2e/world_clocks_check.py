#!/usr/bin/env python3
"""Checks a frame of three clocks in a row, drawn at 02:00:00 UTC in UTC: the local clock, Tokyo
(11:00) and New York on summer time (22:00 the day before). Each hour hand points where its
zone's hour says, and the New York caption is wider than in a frame of the same day (its "-1").

world_clocks_check.py ROW.png SAME_DAY_ROW.png WIDTH HEIGHT
"""
import math
import subprocess
import sys


def reader(path, width, height):
    raw = subprocess.run(["convert", path, "-depth", "8", "gray:-"], check=True, capture_output=True).stdout
    if len(raw) != width * height:
        sys.exit(f"{path} is not {width}x{height}")
    return lambda x, y: raw[y * width + x]


# The darkest direction (degrees clockwise from twelve) on a circle round the centre, away from
# twelve and six, where the minute hand and the needle with its tail stand at the full hour.
def hour_hand(pixel, cx, cy, r):
    best = min((pixel(int(cx + r * math.sin(math.radians(a))), int(cy - r * math.cos(math.radians(a)))), a)
               for a in range(20, 341) if abs(a - 180) > 15)
    return best[1]


# Columns of the cell holding ink in the caption strip under the dial.
def caption_width(pixel, left, cell, top, bottom):
    return sum(1 for x in range(left, left + cell) if any(pixel(x, y) < 128 for y in range(top, bottom)))


def main():
    row, same_day, width, height = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    cell = width // 3
    half = min(cell // 2, (height - height // 8) // 2)
    centre_y = (height - height // 8) // 2
    pixel = reader(row, width, height)
    for i, (name, hour) in enumerate([("local", 2), ("Tokyo", 11), ("New York", 10)]):
        angle = hour_hand(pixel, i * cell + cell // 2, centre_y, half * 0.3)
        if abs(angle - hour * 30) > 8:
            sys.exit(f"{name}: hour hand at {angle} degrees, expected {hour * 30}")
    strip = (centre_y + half, min(height, centre_y + half + half // 3))
    late, same = caption_width(pixel, 2 * cell, cell, *strip), caption_width(reader(same_day, width, height), 2 * cell, cell, *strip)
    if not 0 < same < late:
        sys.exit(f"New York caption {late} columns at 02:00, {same} the same day: no day mark")
    print("world clocks: hands and day mark as expected")


main()
