#!/usr/bin/env bash
# A screenshot of the real full-screen saver (import on the X display): the clock centred on a
# white screen and complete. The cursor state comes from GetCursorInfo in a second Wine process,
# as any other program on the desktop would see it. Then the dark face, moved by the drift.
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

# The dark face with the drift: a black ground, a light cap at the centre, little light in all.
e2e_set_setting Face REG_DWORD 1
e2e_set_setting Drift REG_DWORD 1
E2E_FAKETIME='2026-03-14 10:15:30' e2e_start_full_screen "$SCR" /s
dark() {
    import -window root "$shot" &&
        [ "$(convert "$shot" -colorspace gray -format '%[fx:p{0,0}.r==0 && mean<0.06 && p{w/2,h/2}.r>0.5]' info:)" = 1 ]
}
e2e_poll 30 dark || e2e_fail "the dark face does not show: $(convert "$shot" -colorspace gray -format '%[fx:mean]' info:) ($shot)"
e2e_end_with_key
