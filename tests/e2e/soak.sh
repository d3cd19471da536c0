#!/usr/bin/env bash
# 2,000 frames of the full-screen test build with the seconds needle shown. Wine's timers keep
# real time, so saver_poke.exe drives the frames: it posts a timer message to the saver window and
# waits until the test build's frame count moves on, so each frame goes through the message loop
# as a real tick does. Observed: the working set (GetProcessMemoryInfo on the saver process, true
# under Wine) and the objects the program holds (the test build's live-object count; Wine's
# GetGuiResources always answers 0).
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
frames=${TARNWICK_SOAK_FRAMES:-2000}

e2e_set_setting 'Show seconds' REG_DWORD 1
e2e_set_setting 'Show logo' REG_DWORD 1
e2e_park_pointer
e2e_start_full_screen "$TEST_SCR" /s
report=$(e2e_poke soak "$frames") || {
    echo "$report"
    e2e_fail "the soak did not complete"
}
echo "$report"
summary=$(tail -n 1 <<<"$report")
read -r _ warm_set _ peak_set _ warm_objects _ end_objects <<<"$summary"
composed=$(awk '/^frame/ { n = $4 } END { print n }' <<<"$report")

[ "$composed" -ge "$frames" ] || e2e_fail "only $composed frames were composed"
[ "$end_objects" -eq "$warm_objects" ] || e2e_fail "objects held grew from $warm_objects to $end_objects"
growth=$((peak_set - warm_set))
echo "working set: $warm_set KiB after warm-up, peak $peak_set KiB after it (growth $growth KiB)"
[ "$growth" -le 8192 ] || e2e_fail "the working set grew by $growth KiB"
e2e_end_with_key
