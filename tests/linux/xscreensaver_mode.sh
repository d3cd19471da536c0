#!/usr/bin/env bash
# The built program as a display mode of the real XScreenSaver daemon in a virtual display:
# ~/.xscreensaver names it, --select 1 runs it, the screen shows the clock, --exit ends both.
# The daemon refuses to start display modes as root: under root the test runs it as a user of
# its own.
source "$TARNWICK_SOURCE/tests/linux/linux_lib.sh"
# The daemon reads ~/.xscreensaver: a home of the test's own, never the developer's.
home="$WORK/home"
if [ "$(id -u)" -eq 0 ]; then
    user=tarnwick-e2e
    id "$user" >/dev/null 2>&1 || useradd --no-create-home --shell /bin/sh "$user"
    as_user() { setpriv --reuid="$user" --regid="$user" --init-groups env HOME="$home" DISPLAY="$DISPLAY" "$@"; }
else
    user=$(id -un)
    as_user() { env HOME="$home" "$@"; }
fi
install -d -o "$user" "$home"

cp "$TARNWICK_BIN" "$WORK/tarnwick.bin"
# The daemon ends the mode by its process id: the wrapper becomes the program.
printf '#!/bin/sh\nexec env %s "%s" "$@"\n' "$(printf "'%s' " "${FAKED_TIME[@]}")" "$WORK/tarnwick.bin" >"$WORK/tarnwick"
chmod 755 "$WORK/tarnwick" "$WORK/tarnwick.bin"
cat >"$WORK/xscreensaver" <<CONF
mode: one
selected: 0
timeout: 9:00:00
lock: False
fade: False
unfade: False
splash: False
programs: $WORK/tarnwick --root --logo date \\n
CONF
install -o "$user" -m 644 "$WORK/xscreensaver" "$home/.xscreensaver"

linux_start_xvfb 1280x1024
as_user xscreensaver --no-splash >"$WORK/daemon.log" 2>&1 &
daemon=$!
CLEANUP_PIDS+=("$daemon")
for _ in $(seq 50); do as_user xscreensaver-command --time >/dev/null 2>&1 && break; sleep 0.2; done
as_user xscreensaver-command --select 1 >/dev/null || linux_fail "xscreensaver-command --select 1 failed"

mode=
for _ in $(seq 50); do
    mode=$(pgrep -u "$user" -f "^$WORK/tarnwick\\.bin " || true)
    [ -n "$mode" ] && break
    sleep 0.2
done
[ -n "$mode" ] || { cat "$WORK/daemon.log"; linux_fail "the daemon did not start the display mode"; }
CLEANUP_PIDS+=("$mode")
sleep 2
linux_check_screen xscreensaver-mode 1280 1024

as_user xscreensaver-command --exit >/dev/null || linux_fail "xscreensaver-command --exit failed"
linux_wait_gone "$mode" 5 || linux_fail "the display mode still runs after --exit"
linux_wait_gone "$daemon" 5 || linux_fail "the daemon still runs after --exit"
echo "display mode shown under xscreensaver and ended by --exit"
