#!/usr/bin/env bash
# Preview windows at the edges of the canvas scaling: a client area with a side of 0 draws
# nothing and does not crash; one whose shorter side is above 768 keeps its own size (never an
# empty canvas); both end with code 0 when the host window goes. Observed as in preview.sh.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
e2e_probe_dir e2e-preview-sizes
scr=$(winepath -w "$TEST_SCR" | tr -d '\r')

run() {
    report=$(e2e_program preview_host "$scr" "$1" "$2") || {
        echo "$report"
        e2e_fail "the $1 x $2 preview run did not complete"
    }
    echo "$report"
}

run 152 0
[ "$(e2e_value canvas)" = 0x0 ] || e2e_fail "a preview of height 0 got the canvas $(e2e_value canvas)"
[ "$(e2e_value frames)" = 0 ] || e2e_fail "a preview of height 0 composed frames"
[ "$(e2e_value ended-with-host)" = yes ] && [ "$(e2e_value exit-code)" = 0 ] || e2e_fail "the empty preview did not end with code 0"

run 1000 800
[ "$(e2e_value canvas)" = 1000x800 ] || e2e_fail "a 1000 x 800 preview got the canvas $(e2e_value canvas)"
[ "$(e2e_value frames)" -ge 1 ] || e2e_fail "the large preview composed no frame"
[ "$(e2e_value ended-with-host)" = yes ] && [ "$(e2e_value exit-code)" = 0 ] || e2e_fail "the large preview did not end with code 0"
python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$probe_dir/preview.bmp" 1000 800 0.75 ||
    e2e_fail "the large preview does not show the whole clock"
