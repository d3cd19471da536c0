#!/usr/bin/env bash
# tarnwick-frame.exe draws a gliding needle between the seconds: at 30.5 s half-way to 31
# (183 degrees), and on 30 (180 degrees) without --glide. Wine draws without anti-aliasing: a large
# picture keeps the needle's pixel edges well within the half degree the check allows.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
picture="$TARNWICK_BUILD/e2e-needle.png"
for glide in "183 --glide" "180"; do
    read -r degrees option <<<"$glide"
    rm -f "$picture"
    timeout 60 wine "$TARNWICK_BUILD/tarnwick-frame.exe" --size 1600x1200 --logo off --time "2026-03-14 10:10:30.500" \
        $option --out "Z:${picture//\//\\}"
    python3 "$TARNWICK_SOURCE/tests/e2e/needle_angle.py" "$picture" "$degrees" || e2e_fail "tarnwick-frame.exe $option"
done
