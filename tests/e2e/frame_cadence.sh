#!/usr/bin/env bash
# How often frames are composed, stepping and gliding, observed through the saver's test build: it
# counts the frames it composes and the frames that redrew the dial, and answers a window message
# with each count (saver_poke probe). faketime sets the saver's local time; Wine's timers keep real
# time, so one timer message arrives each real second (thirty while the needle glides).
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"

frames() { e2e_poke probe frames; }
redraws() { e2e_poke probe redraws; }

# Starts the test build at a given local time and returns when the saver has composed a frame.
start_at() {
    e2e_park_pointer
    E2E_FAKETIME="$1" e2e_start_full_screen "$TEST_SCR" /s
    STARTED=$SECONDS
    e2e_poll 30 '[ "$(frames)" -ge 1 ]' || e2e_fail "no first frame"
}

# Sleeps until SECONDS after the saver was started.
sleep_until() { while [ $((SECONDS - STARTED)) -lt "$1" ]; do sleep 0.2; done; }

# Without seconds: the first frame, then nothing until the minute changes at 12:08:00 (the ticks
# start from the first frame's reading). The saver's clock starts when its process
# starts, a little before STARTED, so the checks below hold however slow the start is, up to 15 s.
e2e_set_setting 'Show seconds' REG_DWORD 0
e2e_set_setting 'Show logo' REG_DWORD 0
start_at '2026-03-14 12:07:40'
sleep_until 5
count=$(frames)
echo "seconds off, within the minute: $count frames"
[ "$count" -eq 1 ] || e2e_fail "expected 1 frame within the minute, got $count"
e2e_poll 40 '[ "$(frames)" -ge 2 ]' || e2e_fail "no frame at the change of minute"
sleep 4
count=$(frames)
echo "seconds off, after the change of minute: $count frames"
[ "$count" -eq 2 ] || e2e_fail "expected 2 frames after the change of minute, got $count"
e2e_end_with_key

# With seconds, normal or backward: one frame per timer message, once a second.
for mode in 1 2; do
    e2e_set_setting 'Show seconds' REG_DWORD "$mode"
    start_at '2026-03-14 12:07:40'
    sleep_until 3
    first=$(frames)
    sleep_until 9
    last=$(frames)
    echo "seconds mode $mode: $((last - first)) frames in 6 seconds"
    [ $((last - first)) -ge 4 ] && [ $((last - first)) -le 8 ] ||
        e2e_fail "seconds mode $mode composed $((last - first)) frames in 6 seconds"
    e2e_end_with_key
done

# A gliding needle: a frame for each of several needle positions a second (30 asked), on mains
# power as Wine reports it.
e2e_set_setting Glide REG_DWORD 1
start_at '2026-03-14 12:07:40'
sleep_until 3
first=$(frames)
sleep_until 5
last=$(frames)
echo "glide: $((last - first)) frames in 2 seconds"
[ $((last - first)) -ge 10 ] || e2e_fail "a gliding needle composed $((last - first)) frames in 2 seconds"
e2e_end_with_key
e2e_set_setting Glide REG_DWORD 0

# The date logo redraws the dial after a change of day; the text logo never does.
e2e_set_setting 'Show seconds' REG_DWORD 1
e2e_set_setting 'Show logo' REG_DWORD 1
start_at '2026-03-14 23:59:40'
sleep_until 3
before=$(redraws)
echo "date logo: dial drawn $before times before midnight"
# The first paint only.
[ "$before" -eq 1 ] || e2e_fail "the dial was drawn $before times before midnight, expected 1"
e2e_poll 40 '[ "$(redraws)" -ge 2 ]' || e2e_fail "the date logo did not redraw the dial at midnight"
sleep 3
after=$(redraws)
echo "date logo: dial drawn $after times after midnight"
[ "$after" -eq 2 ] || e2e_fail "the dial was drawn $after times after midnight, expected 2"
e2e_end_with_key

e2e_set_setting 'Show logo' REG_DWORD 2
start_at '2026-03-14 23:59:40'
# Midnight has passed for the saver 20 s after its process started, before STARTED + 22 s.
sleep_until 23
count=$(redraws)
composed=$(frames)
echo "text logo: dial drawn $count times in $composed frames across midnight"
[ "$composed" -ge 15 ] || e2e_fail "only $composed frames across midnight"
[ "$count" -eq 1 ] || e2e_fail "the text logo redrew the dial"
e2e_end_with_key
