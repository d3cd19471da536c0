# Shared by the end-to-end scripts. CTest sets TARNWICK_BUILD and TARNWICK_SOURCE.
export WINEPREFIX=${WINEPREFIX:-$TARNWICK_BUILD/wineprefix} WINEDEBUG=-all
SCR="$TARNWICK_BUILD/tarnwick.scr"

# Runs the saver with the given arguments, with a time limit; returns its exit code.
e2e_run_scr() {
    timeout 60 wine "$SCR" "$@"
}
