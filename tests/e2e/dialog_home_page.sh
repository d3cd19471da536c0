#!/usr/bin/env bash
# "Home page" opens the maker's web address with the shell's "open" verb and leaves the settings
# dialog open. A stand-in browser (the driver's record-url mode), registered for the address's
# scheme for this script only, records what it was asked to open.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/dialog_lib.sh"

home_page=$(sed -n 's/^TARNWICK_HOME_PAGE:STRING=//p' "$TARNWICK_BUILD/CMakeCache.txt")
[ -n "$home_page" ] || e2e_fail "no web address in the build's cache"
scheme=${home_page%%:*}
# The classes root reads the machine's classes only (Wine keeps no per-user overlay), so the
# machine's handler is replaced for this script and put back from an export at exit.
handler_key="HKLM\\Software\\Classes\\$scheme\\shell\\open\\command"
saved="$TARNWICK_BUILD/e2e-home-page-handler.reg"
saved_windows=$(winepath -w "$saved" | tr -d '\r')
rm -f "$saved"
wine reg export "$handler_key" "$saved_windows" /y >/dev/null 2>&1 || e2e_fail "cannot save $handler_key"
E2E_RESTORE+=("wine reg import '$saved_windows' >/dev/null 2>&1")
record="$TARNWICK_BUILD/e2e-home-page.txt"
rm -f "$record"
driver=$(winepath -w "$TARNWICK_BUILD/dialog_driver.exe" | tr -d '\r')
record_windows=$(winepath -w "$record" | tr -d '\r')
wine reg add "$handler_key" /ve /t REG_SZ /d "\"$driver\" record-url \"$record_windows\" \"%1\"" /f >/dev/null 2>&1 ||
    e2e_fail "cannot register the stand-in browser"

# Twice: the dialog stays open and answers after each; then Cancel stores nothing.
dialog_drive home-page live click:1023 home-page checked:1023 cancel
dialog_expect_nothing_stored
e2e_poll 20 "[ \$(grep -c . '$record' 2>/dev/null || echo 0) -ge 2 ]" || e2e_fail "the web address was not opened twice"
opened=$(tr -d '\r' <"$record" | sort -u)
echo "opened: $opened"
# The shell may add a final slash to a bare address; nothing else.
[ "$opened" = "$home_page" ] || [ "$opened" = "$home_page/" ] || e2e_fail "opened \"$opened\", not $home_page"
echo PASS
