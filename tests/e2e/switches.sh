#!/usr/bin/env bash
# The real tarnwick.scr run with the switches the system's screen-saver machinery uses.
# Observed from outside: exit codes, the saver window found by its class, a key to end it.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"

# A switch that needs a window handle and has none: code 1 at once. Nothing is shown: a dialog
# or a saver window would keep the process running past the time limit, and no saver window
# may exist afterwards.
for arguments in "/c" "/c:0" "/p:1234" "/p1234" "/a" "-C" "/p 0"; do
    # shellcheck disable=SC2086
    timeout 30 wine "$SCR" $arguments && code=0 || code=$?
    echo "$arguments -> $code"
    [ "$code" -eq 1 ] || e2e_fail "$arguments ended with $code, expected 1"
done
e2e_poke wait-gone 1 || e2e_fail "a saver window was left by a switch without a handle"

# A preview handle that names no window: creation fails, code 0.
for handle in 123456789 4294967295 1; do
    timeout 30 wine "$SCR" /p "$handle" && code=0 || code=$?
    echo "/p $handle -> $code"
    [ "$code" -eq 0 ] || e2e_fail "/p $handle ended with $code, expected 0"
done

# Everything else runs full screen, over the whole display, until a key ends it with code 0.
e2e_park_pointer
for arguments in "" "/s" "-S" "/x"; do
    # shellcheck disable=SC2086
    e2e_start_full_screen "$SCR" $arguments
    e2e_poke covers-screen || e2e_fail "[$arguments] the saver window does not cover the screen"
    e2e_end_with_key
    echo "[$arguments] ended with $SAVER_CODE"
done
