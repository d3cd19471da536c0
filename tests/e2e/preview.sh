#!/usr/bin/env bash
# The preview as the display control panel runs it: preview_host.exe makes a window with a
# 152 x 112 client area and starts the saver's test build with "/p HWND".
# Observed: the child's size from the host; the canvas size and the frame count from the test
# build (window messages); the picture through the test build's copy of what the preview
# painted (the same halftone stretch of the same frame onto a bitmap of the client's size, saved
# as BMP), because Wine 8 does not show another process's child window on the X display.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
e2e_probe_dir e2e-preview

report=$(e2e_program preview_host "$(winepath -w "$TEST_SCR" | tr -d '\r')") || {
    echo "$report"
    e2e_fail "the preview run did not complete"
}
echo "$report"

[ "$(e2e_value child-client)" = 152x112 ] || e2e_fail "the preview does not fill its 152 x 112 window"
[ "$(e2e_value canvas)" = 912x672 ] || e2e_fail "the preview canvas is $(e2e_value canvas), expected 912x672"
[ "$(e2e_value running-after-input)" = yes ] || e2e_fail "keys, clicks or moves ended the preview"
[ "$(e2e_value frames)" -ge 1 ] || e2e_fail "the preview composed no frame"
[ "$(e2e_value picture-saved)" = 1 ] || e2e_fail "the test build did not save the preview picture"
[ "$(e2e_value ended-with-host)" = yes ] || e2e_fail "the preview outlived its host window"
[ "$(e2e_value exit-code)" = 0 ] || e2e_fail "the preview ended with $(e2e_value exit-code)"

# The whole clock, shrunk: centred, white round it, not cut at the edges, the cap dark.
python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$probe_dir/preview.bmp" 152 112 0.75 ||
    e2e_fail "the preview picture is not the whole clock ($probe_dir/preview.bmp)"
