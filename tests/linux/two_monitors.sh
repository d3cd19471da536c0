#!/usr/bin/env bash
# Two monitors, 1024 x 768 and 800 x 600 to its right. On Xephyr's two Xinerama heads (its RandR
# sees the first head alone): --fullscreen shows the clock centred on the first and black on the
# second, --monitors all a clock centred on each. On an Xvfb with RandR 1.5 monitors whose primary
# is the right one: --root draws the clock there alone, and a lent window on the left monitor
# stays black unless every monitor has a clock.
source "$TARNWICK_SOURCE/tests/linux/linux_lib.sh"
shot="$WORK/screen.png"

clock() {
    local size=${1%%+*}
    convert "$shot" -crop "$1" +repage "$WORK/part.png" &&
        python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$WORK/part.png" "${size%x*}" "${size#*x}" >/dev/null 2>&1
}
black() { [ "$(convert "$shot" -crop "$1" +repage -format '%[max]' info:)" = 0 ]; }
# Runs tarnwick with the given words until a screenshot of $seen meets the check (up to 10 s);
# then ends it.
shows() {
    local check=$1 pid tries=20 code=0
    shift
    env "${FAKED_TIME[@]}" "$TARNWICK_BIN" "$@" &
    pid=$!
    CLEANUP_PIDS+=("$pid")
    until import -window "${seen:-root}" "$shot" && eval "$check"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || { code=1; cp "$shot" "$TARNWICK_BUILD/two-monitors.png"; break; }
        sleep 0.5
    done
    kill "$pid"
    wait "$pid" || true
    return "$code"
}

linux_start_xvfb 1920x1080
outer=$DISPLAY
mkfifo "$WORK/nested"
Xephyr -displayfd 3 -nolisten tcp +xinerama -screen 1024x768 -screen 800x600 3>"$WORK/nested" >/dev/null 2>&1 &
CLEANUP_PIDS+=($!)
read -r number <"$WORK/nested"
export DISPLAY=":$number"
echo "Xephyr: $(xrandr --listmonitors | head -1) by RandR, so the program reads Xinerama's heads"
shows 'clock 1024x768+0+0 && black 800x600+1024+0' --fullscreen ||
    linux_fail "not the clock on the first head and black on the second (see two-monitors.png)"
shows 'clock 1024x768+0+0 && clock 800x600+1024+0' --fullscreen --monitors all ||
    linux_fail "not a clock centred on each head with --monitors all (see two-monitors.png)"

# Xephyr stays connected: without a client the Xvfb would reset and forget the monitors.
export DISPLAY=$outer
xrandr --setmonitor Left 1024/270x768/200+0+0 none
xrandr --setmonitor '*Right' 800/210x600/160+1024+0 screen
shows 'clock 800x600+1024+0 && black 1024x768+0+0' --root ||
    linux_fail "--root: not the clock on the primary RandR monitor alone (see two-monitors.png)"
display -geometry 400x300+100+100 -size 400x300 xc:red &
CLEANUP_PIDS+=($!)
window=$(xdotool search --sync --limit 1 --onlyvisible --class display)
seen=$window shows 'black 400x300+0+0' --window-id "$window" ||
    linux_fail "a window lent on the left (not primary) monitor is not black (see two-monitors.png)"
seen=$window shows 'clock 400x300+0+0' --window-id "$window" --monitors all ||
    linux_fail "a window lent on the left (not primary) monitor shows no clock with --monitors all (see two-monitors.png)"
