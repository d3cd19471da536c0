# Shared by the Linux test scripts. CTest sets TARNWICK_BUILD and TARNWICK_SOURCE.
set -euo pipefail
source "$TARNWICK_SOURCE/scripts/lib.sh"
TARNWICK_BIN="$TARNWICK_BUILD/tarnwick"
# The programs' clock starts at 10:10:30 and runs on: minute 7's banner never meets a picture check.
FAKED_TIME=(LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
    FAKETIME="@2026-03-14 10:10:30" FAKETIME_DONT_FAKE_MONOTONIC=1)
WORK=$(mktemp -d)
chmod 755 "$WORK"
CLEANUP_PIDS=()

linux_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Ends what the test started, by process id, and removes its files; runs on every exit.
linux_cleanup() {
    local pid
    for pid in "${CLEANUP_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$WORK"
}
trap linux_cleanup EXIT

# A virtual display of the given size for this test alone; sets DISPLAY.
linux_start_xvfb() {
    local fifo="$WORK/displayfd" number
    mkfifo "$fifo"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 "$1x24" 3>"$fifo" >/dev/null 2>&1 &
    CLEANUP_PIDS+=($!)
    read -r number <"$fifo"
    export DISPLAY=":$number"
}

# Waits up to SECONDS for process PID to end.
linux_wait_gone() {
    local pid=$1 tenths=$(($2 * 10))
    while kill -0 "$pid" 2>/dev/null; do
        [ "$tenths" -gt 0 ] || return 1
        sleep 0.1
        tenths=$((tenths - 1))
    done
}

# Checks a screenshot of the whole display: white round a centred, complete clock.
linux_check_screen() {
    import -window root "$WORK/$1.png"
    python3 "$TARNWICK_SOURCE/tests/e2e/picture_check.py" "$WORK/$1.png" "$2" "$3" || {
        cp "$WORK/$1.png" "$TARNWICK_BUILD/$1.png"
        linux_fail "the screen shows no clock (see $TARNWICK_BUILD/$1.png)"
    }
}
