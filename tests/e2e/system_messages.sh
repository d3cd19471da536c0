#!/usr/bin/env bash
# What the system sends a running full-screen saver, sent by saver_poke.exe from a second Wine
# process to the saver's window (found by its class): the screen-saver and close system commands
# are swallowed, a suspend query is granted and a suspend notice ends the saver with code 0; so
# does the loss of activation.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
WM_SYSCOMMAND=0x112
WM_POWERBROADCAST=0x218

e2e_park_pointer
e2e_start_full_screen "$SCR" /s
for command in 0xF140 0xF060 0xF040 0xF050; do
    e2e_poke send $WM_SYSCOMMAND $command >/dev/null || e2e_fail "system command $command was not answered"
done
sleep 1
e2e_running || e2e_fail "a swallowed system command ended the saver"
e2e_poke wait-window 5 >/dev/null || e2e_fail "the saver window went away after the system commands"
echo "SC_SCREENSAVE, SC_CLOSE, SC_NEXTWINDOW and SC_PREVWINDOW were swallowed"

answer=$(e2e_poke send $WM_POWERBROADCAST 0)
[ "$answer" = 1 ] || e2e_fail "the suspend query was answered $answer"
e2e_poke send $WM_POWERBROADCAST 7 >/dev/null
sleep 1
e2e_running || e2e_fail "a resume notice ended the saver"
echo "the suspend query was granted"

e2e_poke send $WM_POWERBROADCAST 4 >/dev/null || true
e2e_wait_exit 30 || e2e_fail "the suspend notice did not end the saver"
[ "$SAVER_CODE" -eq 0 ] || e2e_fail "exit code $SAVER_CODE after the suspend notice"
echo "the suspend notice ended the saver with code 0"

e2e_park_pointer
e2e_start_full_screen "$SCR" /s
e2e_poke send 0x1C 1 >/dev/null
sleep 1
e2e_running || e2e_fail "gaining activation ended the saver"
e2e_poke send 0x1C 0 >/dev/null || true
e2e_wait_exit 30 || e2e_fail "the loss of activation did not end the saver"
[ "$SAVER_CODE" -eq 0 ] || e2e_fail "exit code $SAVER_CODE after the loss of activation"
echo "the loss of activation ended the saver with code 0"
