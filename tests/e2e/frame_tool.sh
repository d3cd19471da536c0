#!/usr/bin/env bash
# tarnwick-frame.exe draws the saver's picture: the centred clock, a 50 % clock at the top left,
# half as wide and one clock unit from the corner, and world clocks at their zones' times.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
check="$TARNWICK_SOURCE/tests/e2e/picture_check.py"

frame() {
    local name=$1; shift
    timeout 60 wine "$TARNWICK_BUILD/tarnwick-frame.exe" --size 800x600 --time "2026-03-14 10:10:30" "$@" \
        --out "$(winepath -w "$TARNWICK_BUILD/$name.png" | tr -d '\r')" || e2e_fail "tarnwick-frame.exe $*"
}
frame e2e-frame-full
frame e2e-frame-corner --clock-size 50 --place top-left
python3 "$check" "$TARNWICK_BUILD/e2e-frame-full.png" 800 600 || e2e_fail "no centred clock (e2e-frame-full.png)"
python3 "$check" "$TARNWICK_BUILD/e2e-frame-corner.png" 800 600 --top-left "$TARNWICK_BUILD/e2e-frame-full.png" 0.5 ||
    e2e_fail "no half-size clock in the top-left corner (e2e-frame-corner.png)"

# Wine takes its local zone from TZ: the local clock shows UTC.
for hour in 02 12; do
    TZ=UTC timeout 60 wine "$TARNWICK_BUILD/tarnwick-frame.exe" --size 1500x500 --time "2026-03-14 $hour:00:00" \
        --zone "Tokyo Standard Time" --zone "Eastern Standard Time=NY" \
        --out "$(winepath -w "$TARNWICK_BUILD/e2e-frame-zones-$hour.png" | tr -d '\r')" || e2e_fail "tarnwick-frame.exe --zone"
done
python3 "$TARNWICK_SOURCE/tests/e2e/world_clocks_check.py" "$TARNWICK_BUILD/e2e-frame-zones-02.png" \
    "$TARNWICK_BUILD/e2e-frame-zones-12.png" 1500 500 || e2e_fail "world clocks (e2e-frame-zones-02.png)"
