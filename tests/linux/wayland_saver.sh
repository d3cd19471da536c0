#!/usr/bin/env bash
# tarnwick-wayland under a headless sway with two outputs (1024x768 and 800x600 beside it): the
# clock on the first output and the second black, a clock on each with --monitors all, on the
# named one with --output; an added output gets its clock, scale 2 a buffer of the output's own
# pixels; nothing is committed while the display is off and a fresh frame comes when it is back;
# a key, an 11-pixel pointer move and SIGTERM end it with 0, and the loss of the compositor ends
# it without a hang or a crash.
source "$TARNWICK_SOURCE/tests/linux/linux_lib.sh"
for tool in sway swaymsg grim wtype; do
    command -v "$tool" >/dev/null || linux_fail "$tool is missing (scripts/test installs it)"
done
[ -x "$TARNWICK_BUILD/tarnwick-wayland" ] || linux_fail "tarnwick-wayland was not built"
# Debian's sway refuses to run as root: under root everything runs as a user of its own.
# The programs started in the background are exec'd by setpriv and env, so $! is their own id.
user=$(id -un)
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    user=tarnwick-test
    id "$user" >/dev/null 2>&1 || useradd --no-create-home --shell /bin/sh "$user"
    as_user=(setpriv --reuid="$user" --regid="$user" --init-groups)
fi
runtime="$WORK/runtime"
install -d -o "$user" -m 700 "$runtime"
as_user+=(env XDG_RUNTIME_DIR="$runtime" HOME="$runtime")
install -m 755 "$TARNWICK_BUILD/tarnwick-wayland" "$TARNWICK_SOURCE/tests/linux/virtual_pointer.py" "$WORK/"
cat >"$WORK/sway.conf" <<'CONF'
output HEADLESS-1 resolution 1024x768 position 0 0
output HEADLESS-2 resolution 800x600 position 1024 0
CONF
chmod 644 "$WORK/sway.conf"

"${as_user[@]}" WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=2 WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$WORK/sway.conf" >"$WORK/sway.log" 2>&1 &
sway=$!
CLEANUP_PIDS+=("$sway")
for _ in $(seq 50); do
    socket=$(cd "$runtime" && ls wayland-? 2>/dev/null) && ipc=$(ls "$runtime"/sway-ipc.* 2>/dev/null) && break
    sleep 0.1
done
[ -n "${ipc:-}" ] || { cat "$WORK/sway.log"; linux_fail "sway did not start"; }
as_user+=(WAYLAND_DISPLAY="$socket" SWAYSOCK="$ipc")

faked_time=("${FAKED_TIME[@]}")
saver_env=()
start_saver() {
    "${as_user[@]}" "${faked_time[@]}" "${saver_env[@]}" "$WORK/tarnwick-wayland" "$@" 2>>"$WORK/saver.log" &
    saver=$!
    CLEANUP_PIDS+=("$saver")
    sleep 1.5
    kill -0 "$saver" 2>/dev/null || { cat "$WORK/saver.log"; linux_fail "tarnwick-wayland $* did not start"; }
}
# Waits up to SECONDS for the saver to end by WHAT with exit code 0.
expect_end() {
    local code=0
    linux_wait_gone "$saver" "$2" || linux_fail "$1 did not end tarnwick-wayland"
    wait "$saver" || code=$?
    [ "$code" -eq 0 ] || linux_fail "$1 ended tarnwick-wayland with code $code"
}
check_output() {
    local output=$1 size=$2 file="$WORK/$1-$3.png"
    "${as_user[@]}" grim -o "$output" - >"$file" || linux_fail "grim could not take $output"
    if [ "$3" = black ]; then
        [ "$(convert "$file" -format '%[fx:maxima]' info:)" = 0 ] && return
    elif python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$file" "${size%x*}" "${size#*x}" >/dev/null; then
        return
    fi
    cp "$file" "$TARNWICK_BUILD/"
    linux_fail "$output does not show $3 (see $TARNWICK_BUILD/$(basename "$file"))"
}

# Bad options are turned away before any display is opened.
for words in "--monitors some" "--output" "--seconds sometimes"; do
    code=0
    "${as_user[@]}" "$WORK/tarnwick-wayland" $words 2>"$WORK/complaint" || code=$?
    [ "$code" -eq 2 ] && [ "$(wc -l <"$WORK/complaint")" -eq 1 ] && grep -q -- "${words%% *}" "$WORK/complaint" ||
        linux_fail "'$words': code $code, complaint '$(cat "$WORK/complaint")'"
done

start_saver
check_output HEADLESS-1 1024x768 clock
check_output HEADLESS-2 800x600 black
# wtype's keyboard is new to the seat: it waits before the key so that the program binds it first.
"${as_user[@]}" wtype -s 500 a
expect_end "a key" 2

start_saver --monitors all --logo date
check_output HEADLESS-1 1024x768 clock
check_output HEADLESS-2 800x600 clock
# The seconds hand moves: the ticks go on after the first frame.
cp "$WORK/HEADLESS-2-clock.png" "$WORK/before.png"
sleep 1.1
check_output HEADLESS-2 800x600 clock
cmp -s "$WORK/HEADLESS-2-clock.png" "$WORK/before.png" && linux_fail "the seconds hand stands still"
kill -TERM "$saver"
expect_end SIGTERM 1

# The pointer enters the clock's surface at its middle; the first move there only sets the anchor,
# moves of 10 pixels are allowed, 11 end it.
"${as_user[@]}" swaymsg seat seat0 cursor set 1424 300 >/dev/null
start_saver --output HEADLESS-2
check_output HEADLESS-1 1024x768 black
check_output HEADLESS-2 800x600 clock
mkfifo "$WORK/pointer"
"${as_user[@]}" python3 "$WORK/virtual_pointer.py" <"$WORK/pointer" &
CLEANUP_PIDS+=($!)
exec 4>"$WORK/pointer"
sleep 0.5
for move in "1 0" "10 0" "0 -10"; do
    echo "$move" >&4
    sleep 0.5
    kill -0 "$saver" 2>/dev/null || linux_fail "a pointer move by $move ended tarnwick-wayland"
done
echo "-11 0" >&4
expect_end "an 11-pixel pointer move" 2
exec 4>&-

# The protocol log (WAYLAND_DEBUG) shows each commit and buffer of a clock on every output.
: >"$WORK/saver.log"
saver_env=(WAYLAND_DEBUG=1)
commits() { grep -c 'wl_surface@[0-9]*\.commit()' "$WORK/saver.log" || true; }
start_saver --monitors all
"${as_user[@]}" swaymsg create_output >/dev/null
sleep 1
check_output HEADLESS-3 1920x1080 clock
"${as_user[@]}" swaymsg output HEADLESS-1 scale 2 >/dev/null
sleep 1
grep -q 'set_buffer_scale(2)' "$WORK/saver.log" &&
    grep -q 'create_buffer(new id wl_buffer@[0-9]*, 0, 1024, 768, 4096, 1)' "$WORK/saver.log" ||
    linux_fail "scale 2 did not bring a 1024x768 buffer at buffer scale 2"
check_output HEADLESS-1 1024x768 clock
# wlroots 0.15 cannot power off a headless output (sway keeps dpms on): a stopped sway then stands
# in for a compositor that shows nothing, whose frames never come back.
cp "$WORK/HEADLESS-1-clock.png" "$WORK/before.png"
"${as_user[@]}" swaymsg output '*' dpms off >/dev/null
"${as_user[@]}" swaymsg -t get_outputs | grep -q '"dpms": true' && kill -STOP "$sway"
sleep 1.2
before=$(commits)
sleep 3
[ "$(commits)" -eq "$before" ] || linux_fail "$(($(commits) - before)) commits while the display was off"
kill -CONT "$sway"
"${as_user[@]}" swaymsg output '*' dpms on >/dev/null
sleep 1.5
[ "$(commits)" -gt "$before" ] || linux_fail "no frame within 1.5 seconds of the display coming back"
check_output HEADLESS-1 1024x768 clock
cmp -s "$WORK/HEADLESS-1-clock.png" "$WORK/before.png" && linux_fail "the frame after the display came back is stale"
kill -TERM "$saver"
expect_end SIGTERM 1
saver_env=()

start_saver --monitors all
kill -KILL "$sway"
code=0
linux_wait_gone "$saver" 5 || linux_fail "tarnwick-wayland hangs after the compositor went away"
wait "$saver" || code=$?
[ "$code" -lt 128 ] || linux_fail "tarnwick-wayland died of signal $((code - 128)) when the compositor went away"
echo "clock on the chosen outputs, added ones and at scale 2; nothing drawn while off; key, pointer and SIGTERM end it; a lost compositor ends it with code $code"
