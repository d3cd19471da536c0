#!/usr/bin/env bash
# What the settings dialog stores is what the next full-screen run shows: red markers and a red
# "HELLO" logo instead of the default grey ones.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/dialog_lib.sh"
shot="$TARNWICK_BUILD/e2e-configured-clock.png"

# Pixels of the screen close to pure red.
red_pixels() {
    import -window root "$shot" &&
        convert "$shot" -fuzz 15% -fill black +opaque red -fill white -opaque red -format '%[fx:int(mean*w*h)]' info:
}

full_screen_red() {
    e2e_park_pointer
    e2e_start_full_screen "$SCR" /s
    # The first frame is painted before the window shows; give the screen a moment to settle.
    sleep 3
    red=$(red_pixels)
    e2e_end_with_key
}

full_screen_red
echo "red pixels with the defaults: $red"
[ "$red" -lt 50 ] || e2e_fail "the default clock already shows red ($shot)"

dialog_drive colour-custom:1 swatch:$RED click:1023 click:1035 clear type:HELLO ok
dialog_expect_all_stored $RED 0 2 "Palatino Linotype" HELLO
full_screen_red
echo "red pixels after configuring: $red"
# Sixty-odd markers and five outlined letters: far more than a stray pixel or two.
[ "$red" -gt 2000 ] || e2e_fail "the configured clock does not show red markers ($shot)"
echo PASS
