#!/usr/bin/env bash
# The input rules of the full-screen run, driven with real X input (xdotool) on the display the
# saver covers: a key, a click and an 11-pixel move end it with code 0; a 10-pixel move and a
# slow 200-pixel drift in 5-pixel steps do not.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"

# Starts the saver with the pointer parked, and lets the first frame and Wine's own pointer
# bookkeeping settle.
start() {
    e2e_park_pointer
    e2e_start_full_screen "$SCR" /s
    sleep 1
}

expect_end() {
    local what=$1
    e2e_wait_exit 30 || e2e_fail "$what did not end the saver"
    [ "$SAVER_CODE" -eq 0 ] || e2e_fail "$what: exit code $SAVER_CODE"
    echo "$what ended the saver with code 0"
}

# The saver must still run SECONDS after the input.
expect_running() {
    local what=$1
    sleep 2
    e2e_running || e2e_fail "$what ended the saver"
    echo "$what left the saver running"
}

start
xdotool key a
expect_end "a key press"

start
xdotool click 1
expect_end "a left click"

start
xdotool click 3
expect_end "a right click"

start
xdotool click 2
expect_end "a middle click"

start
xdotool key alt
expect_end "the Alt key (a system key)"

start
xdotool mousemove_relative -- 11 0
expect_end "an 11-pixel move"

start
xdotool mousemove_relative -- 0 -11
expect_end "an 11-pixel move upwards"

start
xdotool mousemove_relative -- 10 10
expect_running "a 10-pixel move along each axis"
xdotool mousemove_relative -- -10 -10
expect_running "a 10-pixel move back"
# A slow drift: 40 steps of 5 pixels, each one a separate pointer event.
for _ in $(seq 40); do
    xdotool mousemove_relative -- 5 0
    sleep 0.05
done
expect_running "a slow 200-pixel drift"
e2e_end_with_key
echo "the key press after the drift ended the saver with code 0"
