#!/usr/bin/env bash
# Preview windows at the edges of the canvas scaling: a client area with a side of 0 draws
# nothing and does not crash; one whose shorter side is above 768 keeps its own size (never an
# empty canvas); both end with code 0 when the host window goes. Observed as in preview.sh.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
probe_dir="$TARNWICK_BUILD/e2e-preview-sizes"
rm -rf "$probe_dir"
mkdir -p "$probe_dir"
export TARNWICK_PROBE_DIR
TARNWICK_PROBE_DIR=$(winepath -w "$probe_dir" 2>/dev/null | tr -d '\r')
scr=$(winepath -w "$TEST_SCR" | tr -d '\r')

run() {
    report=$(e2e_program preview_host "$scr" "$1" "$2") || {
        echo "$report"
        e2e_fail "the $1 x $2 preview run did not complete"
    }
    echo "$report"
}
value() { awk -v name="$1" '$1 == name { print $2 }' <<<"$report"; }

run 152 0
[ "$(value canvas)" = 0x0 ] || e2e_fail "a preview of height 0 got the canvas $(value canvas)"
[ "$(value frames)" = 0 ] || e2e_fail "a preview of height 0 composed frames"
[ "$(value ended-with-host)" = yes ] && [ "$(value exit-code)" = 0 ] || e2e_fail "the empty preview did not end with code 0"

run 1000 800
[ "$(value canvas)" = 1000x800 ] || e2e_fail "a 1000 x 800 preview got the canvas $(value canvas)"
[ "$(value frames)" -ge 1 ] || e2e_fail "the large preview composed no frame"
[ "$(value ended-with-host)" = yes ] && [ "$(value exit-code)" = 0 ] || e2e_fail "the large preview did not end with code 0"
python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$probe_dir/preview.bmp" 1000 800 0.75 ||
    e2e_fail "the large preview does not show the whole clock"
