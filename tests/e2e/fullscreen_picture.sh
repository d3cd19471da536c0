#!/usr/bin/env bash
# A screenshot of the real full-screen saver (import on the X display): the clock centred on a
# white screen and complete. The cursor state comes from GetCursorInfo in a second Wine process,
# as any other program on the desktop would see it.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
shot="$TARNWICK_BUILD/e2e-fullscreen.png"
screen=$(xdpyinfo | awk '/dimensions:/ { print $2 }')

e2e_park_pointer
# A quarter past ten: no banner (minute 7 only), hands apart from the centre line.
E2E_FAKETIME='2026-03-14 10:15:30' e2e_start_full_screen "$SCR" /s
cursor=$(e2e_poke cursor)
echo "cursor over the saver: $cursor"
[ "$cursor" = hidden ] || e2e_fail "the cursor is shown over the saver"

# The first frame is painted before the window is shown; wait until the picture is there.
e2e_poll 30 "import -window root '$shot' && python3 '$TARNWICK_SOURCE/tests/e2e/picture_check.py' '$shot' ${screen/x/ } 0.6" ||
    e2e_fail "the screenshot does not show the clock centred on white ($shot)"
echo "screenshot: $shot"
e2e_end_with_key
