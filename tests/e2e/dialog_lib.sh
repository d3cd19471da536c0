# Shared by the settings dialog scripts: runs the UI driver (dialog_driver.exe) against the real
# saver and reads the settings key back. Every script starts without the key and leaves none.
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
SCR_WINDOWS=$(winepath -w "$SCR" 2>/dev/null | tr -d '\r')
# The colours the scripts use, as COLORREF numbers.
GREY_200=13158600    # (200, 200, 200), the default
RED=255              # (255, 0, 0), custom colour 1

dialog_reset_key() { wine reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true; }
dialog_reset_key
E2E_RESTORE+=("dialog_reset_key")

# Stores one value as an earlier session (or anything else) may have left it.
dialog_store() {
    wine reg add "$SETTINGS_KEY" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1 || e2e_fail "could not store $1"
}

# Runs the driver with the given steps; fails the script when a step fails.
dialog_drive() {
    echo "== $*" | cut -c1-200
    e2e_program dialog_driver "$SCR_WINDOWS" "$@" || e2e_fail "the dialog did not behave (steps: $*)"
}

# "TYPE DATA" of one stored value, DWORDs in decimal; empty when the value is absent.
dialog_stored() {
    local line type data
    line=$(wine reg query "$SETTINGS_KEY" /v "$1" 2>/dev/null | tr -d '\r' | grep -E "^ +$1 +REG_" || true)
    [ -n "$line" ] || return 0
    type=$(awk '{for (i = 1; i <= NF; i++) if ($i ~ /^REG_/) { print $i; exit }}' <<<"$line")
    data=$(sed -E "s/^ +$1 +$type( +|$)//" <<<"$line")
    [ "$type" = REG_DWORD ] && data=$((data))
    echo "$type $data"
}

dialog_expect_stored() {
    local name=$1 expected="$2 $3" actual
    # Now and then a `wine reg` run answers nothing at all on a busy machine: it is asked again.
    for _ in 1 2 3; do
        actual=$(dialog_stored "$name")
        [ -n "$actual" ] && break
    done
    [ "$actual" = "$expected" ] || e2e_fail "stored $name is \"$actual\", expected \"$expected\""
    echo "stored $name: $actual" | cut -c1-120
}

# Nothing at all under the key: no value was written.
dialog_expect_nothing_stored() {
    local values
    values=$(wine reg query "$SETTINGS_KEY" 2>/dev/null | tr -d '\r' | grep -cE '^ +.* REG_' || true)
    [ "${values:-0}" -eq 0 ] || e2e_fail "values were stored: $(wine reg query "$SETTINGS_KEY" | tr -d '\r')"
}

# The five values a dialog stores on OK.
dialog_expect_all_stored() {
    dialog_expect_stored "Color of markers" REG_DWORD "$1"
    dialog_expect_stored "Show seconds" REG_DWORD "$2"
    dialog_expect_stored "Show logo" REG_DWORD "$3"
    dialog_expect_stored "Name of font" REG_SZ "$4"
    dialog_expect_stored "Logo text" REG_SZ "$5"
}
