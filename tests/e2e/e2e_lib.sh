# Shared by the end-to-end scripts. CTest sets TARNWICK_BUILD and TARNWICK_SOURCE.
export WINEPREFIX=${WINEPREFIX:-$TARNWICK_BUILD/wineprefix} WINEDEBUG=-all
SCR="$TARNWICK_BUILD/tarnwick.scr"
# The saver with observation points (tests/probe/saver_probe_win32.h); same code, same resources.
TEST_SCR="$TARNWICK_BUILD/tarnwick-test.scr"
SETTINGS_KEY='HKCU\Software\Brevant\Tarnwick'

# Runs the saver with the given arguments, with a time limit; returns its exit code.
e2e_run_scr() {
    timeout 60 wine "$SCR" "$@"
}

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs one of the test programs built beside the saver; Windows line ends removed.
e2e_program() {
    local name=$1; shift
    timeout 120 wine "$TARNWICK_BUILD/$name.exe" "$@" | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

e2e_poke() { e2e_program saver_poke "$@"; }

# Starts a saver in the background: e2e_start SCR_FILE ARGS... (prefix with
# E2E_FAKETIME='2026-03-14 10:10:30' to set its local time). Sets SAVER_PID.
SAVER_PID=
e2e_start() {
    local scr=$1; shift
    if [ -n "${E2E_FAKETIME:-}" ]; then
        faketime "$E2E_FAKETIME" wine "$scr" "$@" &
    else
        wine "$scr" "$@" &
    fi
    SAVER_PID=$!
}

# Waits up to SECONDS for the saver started last to end; sets SAVER_CODE. Returns 1 when it is
# still running then.
SAVER_CODE=
e2e_wait_exit() {
    local seconds=$1 waited=0
    while kill -0 "$SAVER_PID" 2>/dev/null; do
        [ "$waited" -ge $((seconds * 10)) ] && return 1
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$SAVER_PID" && SAVER_CODE=0 || SAVER_CODE=$?
    SAVER_PID=
    return 0
}

# True while the saver started last is running.
e2e_running() { [ -n "$SAVER_PID" ] && kill -0 "$SAVER_PID" 2>/dev/null; }

# Starts a full-screen saver and waits for its window.
e2e_start_full_screen() {
    e2e_start "$@"
    e2e_poke wait-window 60 >/dev/null || e2e_fail "no saver window appeared for: $*"
}

# Ends the saver started last with a key press and checks that it ended with code 0.
e2e_end_with_key() {
    xdotool key space
    e2e_wait_exit 30 || e2e_fail "the saver did not end on a key press"
    [ "$SAVER_CODE" -eq 0 ] || e2e_fail "exit code $SAVER_CODE after a key press"
    e2e_poke wait-gone 30 || e2e_fail "a saver window is left over"
}

# Stops whatever this script started and puts back the settings it changed. Scripts call it
# from their EXIT trap.
E2E_RESTORE=()
e2e_cleanup() {
    # A saver started under faketime is its child; a failed wait must not end the trap (set -e)
    # before the settings are put back.
    if e2e_running; then
        kill $(cat /proc/"$SAVER_PID"/task/*/children 2>/dev/null) 2>/dev/null || true
        kill "$SAVER_PID" 2>/dev/null || true
        wait "$SAVER_PID" 2>/dev/null || true
    fi
    # Newest first, so a value set twice ends as it was before the first change. No "local"
    # here: bash mishandles it in an exit trap reached from inside a function. A step that fails
    # must not stop the rest under "set -e".
    e2e_index=${#E2E_RESTORE[@]}
    while [ "$e2e_index" -gt 0 ]; do
        e2e_index=$((e2e_index - 1))
        eval "${E2E_RESTORE[$e2e_index]}" || true
    done
    E2E_RESTORE=()
}
trap e2e_cleanup EXIT

# Sets one value of the settings key (or of the key E2E_KEY names) for the rest of the script:
# e2e_set_setting NAME TYPE DATA. The old value (or its absence) comes back at exit.
e2e_set_setting() {
    local key=${E2E_KEY:-$SETTINGS_KEY} name=$1 type=$2 data=$3 old old_type old_data
    old=$(wine reg query "$key" /v "$name" 2>/dev/null | tr -d '\r' | grep -E "^ +$name +REG_" || true)
    if [ -n "$old" ]; then
        old_type=$(awk '{for (i = 1; i <= NF; i++) if ($i ~ /^REG_/) { print $i; exit }}' <<<"$old")
        old_data=$(sed -E "s/^ +$name +$old_type +//" <<<"$old")
        E2E_RESTORE+=("wine reg add '$key' /v '$name' /t $old_type /d '$old_data' /f >/dev/null 2>&1")
    else
        E2E_RESTORE+=("wine reg delete '$key' /v '$name' /f >/dev/null 2>&1")
    fi
    wine reg add "$key" /v "$name" /t "$type" /d "$data" /f >/dev/null 2>&1 ||
        e2e_fail "could not set $name"
}

# Puts the pointer at a known place on the display before a saver takes its anchor.
e2e_park_pointer() { xdotool mousemove 960 540; sleep 0.3; }

# Polls COMMAND (a shell snippet) until it succeeds, for up to SECONDS.
e2e_poll() {
    local seconds=$1 command=$2 waited=0
    until eval "$command"; do
        [ "$waited" -ge $((seconds * 5)) ] && return 1
        sleep 0.2
        waited=$((waited + 1))
    done
}

# An empty folder for the test build's files (the preview picture): e2e_probe_dir NAME sets
# probe_dir to it and points TARNWICK_PROBE_DIR, which the test build reads, at it.
e2e_probe_dir() {
    probe_dir="$TARNWICK_BUILD/$1"
    rm -rf "$probe_dir"
    mkdir -p "$probe_dir"
    TARNWICK_PROBE_DIR=$(winepath -w "$probe_dir" 2>/dev/null | tr -d '\r')
    export TARNWICK_PROBE_DIR
}

# The value of one "name value" line of a test program's report.
e2e_value() { awk -v name="$1" '$1 == name { print $2 }' <<<"$report"; }
