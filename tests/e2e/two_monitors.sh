#!/usr/bin/env bash
# Two monitors: Xephyr with two Xinerama heads (1024 x 768, and 800 x 600 to its right), which Wine
# reads as two monitors without XRandR. A red window on the second turns black while the clock shows
# on the primary; an 11-pixel move over it and a key each end the saver with 0; the window is back.
# With "Every monitor" each monitor shows a clock centred on it, and a move there ends it too.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
shot="$TARNWICK_BUILD/e2e-two-monitors.png"
# Wine restarts on DISPLAY detached from this script's output, which CTest waits on.
wine_up() { { wineserver -k; wineserver -w; wineserver -p; wine cmd /c exit; } </dev/null >/dev/null 2>&1 || true; }
red() { [ "$(convert "$shot" -crop "$1" +repage -format '%[fx:minima.r==1 && maxima.g+maxima.b==0]' info:)" = 1 ]; }
black() { [ "$(convert "$shot" -crop "$1" +repage -format '%[max]' info:)" = 0 ]; }
window_shown() { import -window root "$shot" && red 200x100+1250+150; }
start() { xdotool mousemove 1400 300; sleep 0.3; E2E_FAKETIME='2026-03-14 10:15:30' e2e_start_full_screen "$SCR" /s; }

rm -f "$shot.display"
Xephyr -displayfd 3 -nolisten tcp +xinerama -screen 1024x768 -screen 800x600 3>"$shot.display" >/dev/null 2>&1 &
E2E_RESTORE+=("kill $!" "DISPLAY='${DISPLAY:-}' wine_up")
e2e_poll 30 "[ -s '$shot.display' ]" || e2e_fail "Xephyr did not start"
E2E_KEY='HKCU\Software\Wine\X11 Driver' e2e_set_setting UseXRandR REG_SZ N
export DISPLAY=":$(cat "$shot.display")"
wine_up
display -geometry 300x200+1200+100 -size 300x200 xc:red &
E2E_RESTORE+=("kill $!")
e2e_poll 30 window_shown || e2e_fail "the window on the second monitor did not show ($shot)"

start
e2e_poll 30 "import -window root '$shot' && black 800x600+1024+0 && convert '$shot' -crop 1024x768+0+0 +repage \
    '$shot.primary.png' && python3 '$TARNWICK_SOURCE/tests/e2e/picture_check.py' '$shot.primary.png' 1024 768" ||
    e2e_fail "the second monitor is not black beside the clock on the primary ($shot)"
[ "$(e2e_poke cursor)" = hidden ] || e2e_fail "the cursor shows over the second monitor"
xdotool mousemove_relative -- 11 0
e2e_wait_exit 30 && [ "$SAVER_CODE" -eq 0 ] || e2e_fail "an 11-pixel move over the second monitor did not end it with 0"
start
e2e_end_with_key
e2e_poll 10 window_shown || e2e_fail "the window on the second monitor is not back ($shot)"

# Every monitor: a clock of its own, centred on each, at each monitor's size.
e2e_set_setting Monitors REG_DWORD 1
start
both_clocks() {
    import -window root "$shot" &&
        convert "$shot" -crop 1024x768+0+0 +repage "$shot.primary.png" &&
        convert "$shot" -crop 800x600+1024+0 +repage "$shot.second.png" &&
        python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$shot.primary.png" 1024 768 &&
        python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$shot.second.png" 800 600
}
e2e_poll 30 both_clocks || e2e_fail "not a clock centred on each monitor with Monitors = 1 ($shot)"
xdotool mousemove_relative -- 11 0
e2e_wait_exit 30 && [ "$SAVER_CODE" -eq 0 ] || e2e_fail "an 11-pixel move over the second clock did not end it with 0"
