#!/usr/bin/env bash
# Bad input never crashes the saver: odd and oversized command lines, window handles that name no
# window, and registry values of the wrong type or out of range. Observed from outside: exit codes
# (a crash gives none of 0 and 1) and, for full-screen runs, the test build's frame count.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"

expect_code() {
    local expected=$1; shift
    timeout 60 wine "$SCR" "$@" && code=0 || code=$?
    local shown="$*"
    echo "[${shown:0:40}] -> $code"
    [ "$code" -eq "$expected" ] || e2e_fail "arguments [${shown:0:40}] ended with $code, expected $expected"
}

long_word=$(head -c 20000 /dev/zero | tr '\0' 'p')
long_digits=$(head -c 5000 /dev/zero | tr '\0' '9')
expect_code 1 "/$long_word"
expect_code 1 /p "$long_word"
expect_code 0 /p "$long_digits"
expect_code 0 /p -77
expect_code 1 "/p" "0x10"   # the handle is read from the first digit: 0
expect_code 1 '/c:' '"' '"'
expect_code 1 '/a' '' '' ''
# A settings dialog whose owner is no window: the dialog cannot be made, the process ends.
expect_code 0 /c:123456789

# Full-screen runs under odd words and odd settings: frames are composed and a key ends them.
run_full_screen() {
    e2e_park_pointer
    e2e_start_full_screen "$TEST_SCR" "$@"
    e2e_poll 30 '[ "$(e2e_poke probe frames)" -ge 2 ]' || e2e_fail "no frames with these settings or words"
    e2e_end_with_key
}
run_full_screen /s '""' '"a b' '--' '////' $'\xe9\xff' "$long_word"

e2e_set_setting 'Show seconds' REG_SZ 1
e2e_set_setting 'Show logo' REG_DWORD 4294967295
e2e_set_setting 'Color of markers' REG_SZ red
e2e_set_setting 'Name of font' REG_SZ "$(head -c 2000 /dev/zero | tr '\0' 'F')"
e2e_set_setting 'Logo text' REG_SZ "$(head -c 3000 /dev/zero | tr '\0' 'W')"
run_full_screen /s
e2e_set_setting 'Show seconds' REG_DWORD 2147483648
e2e_set_setting 'Show logo' REG_DWORD 2
e2e_set_setting 'Color of markers' REG_DWORD 4294967295
e2e_set_setting 'Name of font' REG_DWORD 7
e2e_set_setting 'Logo text' REG_BINARY 414243
run_full_screen /s
echo "no crash"
