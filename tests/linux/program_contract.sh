#!/usr/bin/env bash
# The X11 program and the frame tool from outside: a bad option gets one line and exit 2, and
# every choice of tarnwick.xml is taken; the frame tool draws a centred clock and a half-size one in
# the top-left corner; the program's own window follows its size (down to a
# miniature) and a click ends it; SIGTERM ends it within a second.
source "$TARNWICK_SOURCE/tests/linux/linux_lib.sh"

# (A zone the system's database does not know is a bad value too.)
for program in "$TARNWICK_BIN" "$TARNWICK_BUILD/tarnwick-frame"; do
    for bad in "--seconds sometimes" "--zone Asia/Tokio"; do
        code=0
        "$program" $bad 2>"$WORK/complaint" || code=$?
        [ "$code" -eq 2 ] || linux_fail "$program: exit code $code for '$bad'"
        [ "$(wc -l <"$WORK/complaint")" -eq 1 ] && grep -q -- "${bad% *}" "$WORK/complaint" ||
            linux_fail "$program: complaint '$(cat "$WORK/complaint")'"
    done
done
# Every choice the settings description offers xscreensaver-settings is one the program takes.
python3 - "$TARNWICK_SOURCE/packaging/linux/tarnwick.xml" >"$WORK/choices" <<'PY'
import sys, xml.etree.ElementTree as tree
for element in tree.parse(sys.argv[1]).iter():
    arg = element.get("arg") or ""
    option = arg.split()[0] if arg else ""
    samples = {"--night": "22:00-07:00", "--zone": "Asia/Tokyo=Tokyo,Europe/London"}
    sample = element.get("default") or ("#102030" if option.endswith("color") else samples.get(option, "Sample"))
    words = element.get("arg-set") or arg.replace("%", sample)
    if words:
        print(words)
PY
while read -r -a words; do
    "$TARNWICK_BIN" "${words[@]}" --help >/dev/null || linux_fail "tarnwick refuses '${words[*]}' of tarnwick.xml"
done <"$WORK/choices"
[ "$(wc -l <"$WORK/choices")" -ge 10 ] || linux_fail "tarnwick.xml offers too few choices"
# The manual pages describe every option the programs' help lists (the help comes from the tables).
for pair in "$TARNWICK_BIN:tarnwick.6" "$TARNWICK_BUILD/tarnwick-wayland:tarnwick-wayland.1"; do
    program=${pair%:*} page=$TARNWICK_SOURCE/packaging/linux/${pair##*:}
    [ -x "$program" ] || continue
    for option in $("$program" --help | grep -oE '^  --[a-z-]+'); do
        grep -qF -- ".B ${option//-/\\-}" "$page" || linux_fail "${page##*/} does not describe $option"
    done
done
"$TARNWICK_BUILD/tarnwick-frame" --size 800x600 --time "2026-03-14 10:10:30" --out "$WORK/frame.png"
python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$WORK/frame.png" 800 600 >/dev/null ||
    linux_fail "tarnwick-frame drew no clock"
# A 50 % clock at the top left: half as wide as the centred clock above, its margin one unit.
"$TARNWICK_BUILD/tarnwick-frame" --size 800x600 --time "2026-03-14 10:10:30" --clock-size 50 --place top-left \
    --out "$WORK/corner.png"
python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$WORK/corner.png" 800 600 --top-left "$WORK/frame.png" 0.5 ||
    linux_fail "tarnwick-frame drew no half-size clock in the top-left corner"
# World clocks at their zones' times, in a local zone of UTC.
for hour in 02 12; do
    TZ=UTC "$TARNWICK_BUILD/tarnwick-frame" --size 1500x500 --time "2026-03-14 $hour:00:00" --zone Asia/Tokyo \
        --zone America/New_York=NY --out "$WORK/zones-$hour.png"
done
python3 "$TARNWICK_SOURCE/tests/e2e/world_clocks_check.py" "$WORK/zones-02.png" "$WORK/zones-12.png" 1500 500 ||
    linux_fail "tarnwick-frame drew the world clocks wrong"
# Half a second past 30 a gliding needle stands half-way to 31 (183 degrees); a stepping one on 30.
for glide in "183 --glide" "180"; do
    read -r degrees option <<<"$glide"
    "$TARNWICK_BUILD/tarnwick-frame" --size 800x600 --logo off --time "2026-03-14 10:10:30.500" $option --out "$WORK/needle.png"
    python3 "$TARNWICK_SOURCE/tests/e2e/needle_angle.py" "$WORK/needle.png" "$degrees" || linux_fail "tarnwick-frame $option"
done

linux_start_xvfb 1280x1024
env "${FAKED_TIME[@]}" "$TARNWICK_BIN" --seconds fullback &
program=$!
CLEANUP_PIDS+=("$program")
window=
for _ in $(seq 50); do
    window=$(xdotool search --sync --limit 1 --name '^Tarnwick$' 2>/dev/null) && break
    sleep 0.1
done
[ -n "$window" ] || linux_fail "the program opened no window"
xdotool windowsize --sync "$window" 1280 1024
sleep 1
linux_check_screen own-window 1280 1024
# A miniature, as xscreensaver-settings previews a mode: drawn enlarged, then shrunk.
xdotool windowsize --sync "$window" 240 180
sleep 1
import -window "$window" "$WORK/miniature.png"
python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$WORK/miniature.png" 240 180 >/dev/null ||
    linux_fail "the miniature shows no clock"
xdotool mousemove 120 90 click 1
linux_wait_gone "$program" 2 || linux_fail "a click did not end the program"
wait "$program" || linux_fail "the program ended with code $? after a click"

"$TARNWICK_BIN" --fullscreen &
program=$!
CLEANUP_PIDS+=("$program")
sleep 1.5
kill -TERM "$program"
start=$(date +%s%N)
linux_wait_gone "$program" 1 || linux_fail "SIGTERM did not end the program within a second"
wait "$program" || linux_fail "the program ended with code $? on SIGTERM"
echo "SIGTERM ended the program in $((($(date +%s%N) - start) / 1000000)) ms"
