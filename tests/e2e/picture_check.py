#!/usr/bin/env python3
"""Checks a picture of the clock: white all round, the clock centred and complete.

picture_check.py FILE WIDTH HEIGHT [MIN_DIAMETER_FRACTION]
picture_check.py FILE WIDTH HEIGHT --top-left REFERENCE SCALE
Reads the picture through ImageMagick. Judges only what Wine draws reliably (no anti-aliasing):
the bounding box of the non-white pixels, the white corners and the dark centre cap. The second
form checks a smaller clock instead: SCALE times as wide as the centred clock of REFERENCE (a
picture of the same size), standing in the top-left corner with a margin of one clock unit.
"""
import subprocess
import sys


# The box of the non-white pixels (left, top, right, bottom) and the pixel reader.
def clock_box(path, width, height):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True, text=True)
    got_width, got_height = map(int, size.stdout.split()[:2])
    if (got_width, got_height) != (width, height):
        sys.exit(f"picture is {got_width}x{got_height}, expected {width}x{height}")
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout

    def pixel(x, y):
        i = (y * width + x) * 3
        return raw[i], raw[i + 1], raw[i + 2]

    def white(p):
        return min(p) >= 235

    for x, y in [(0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)]:
        if not white(pixel(x, y)):
            sys.exit(f"corner {x},{y} is {pixel(x, y)}, not white")
    left, top, right, bottom = width, height, -1, -1
    for y in range(height):
        for x in range(width):
            if not white(pixel(x, y)):
                left, right = min(left, x), max(right, x)
                top, bottom = min(top, y), max(bottom, y)
    if right < 0:
        sys.exit("the picture is all white")
    return (left, top, right, bottom), pixel


def check_top_left(box, pixel, reference, scale):
    left, top, right, bottom = box
    side, expected = right - left + 1, scale * (reference[2] - reference[0] + 1)
    # The clock's radius R (side / 1.9: the bezel's edge is at 0.95 R) lies one unit, R / 256 + 1,
    # from the edges.
    margin = side / 1.9 * (1 / 20 + 1 / 256) + 1
    print(f"clock box {left},{top} {side}x{bottom - top + 1}, expected {expected:.0f} wide, {margin:.0f} in")
    square = abs(side - expected) <= 2 + 0.01 * expected and abs(bottom - top + 1 - side) <= 2
    if not square or max(abs(left - margin), abs(top - margin)) > 3:
        sys.exit("the clock is not of that size in the top-left corner")
    if max(pixel((left + right) // 2, (top + bottom) // 2)) > 80:
        sys.exit("the hands do not meet at the clock's centre")
    print("picture ok")


def main():
    path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    box, pixel = clock_box(path, width, height)
    if len(sys.argv) > 4 and sys.argv[4] == "--top-left":
        return check_top_left(box, pixel, clock_box(sys.argv[5], width, height)[0], float(sys.argv[6]))
    min_fraction = float(sys.argv[4]) if len(sys.argv) > 4 else 0.6
    left, top, right, bottom = box
    box_width, box_height = right - left + 1, bottom - top + 1
    centre_x, centre_y = (left + right) / 2, (top + bottom) / 2
    print(f"clock box {left},{top} {box_width}x{box_height}, centre {centre_x:.1f},{centre_y:.1f}")
    tolerance = max(2, 0.02 * height)
    if abs(centre_x - width / 2) > tolerance or abs(centre_y - height / 2) > tolerance:
        sys.exit("the clock is not centred")
    if min(box_width, box_height) < min_fraction * min(width, height):
        sys.exit("the clock is too small")
    if left == 0 or top == 0 or right == width - 1 or bottom == height - 1:
        sys.exit("the clock touches the edge: not shown whole")
    # The centre cap is black whatever the time.
    cx, cy = width // 2, height // 2
    if max(pixel(cx, cy)) > 80:
        sys.exit(f"the centre {pixel(cx, cy)} is not dark")
    print("picture ok")


main()
