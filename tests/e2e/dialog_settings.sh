#!/usr/bin/env bash
# The settings dialog shows what is stored, edits it as a user does and stores it on OK only:
# radio groups, the logo text edit and its enabling, "Set to default", OK, Cancel, Esc, Enter and
# the close box.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/dialog_lib.sh"

# Nothing stored: the defaults, focus on the swatch, the face name in bold. Cancel stores nothing.
dialog_drive focus:1043 swatch:$GREY_200 checked:1024 unchecked:1023 unchecked:1025 checked:1035 enabled:1013 \
    "text:1005=Palatino Linotype" text:1013=Brevant bold-name cancel
dialog_expect_nothing_stored
# Esc and the close box are Cancel too.
dialog_drive click:1023 esc
dialog_drive click:1023 close
dialog_expect_nothing_stored

# Enter is OK: the defaults are stored, all five of them.
dialog_drive enter
dialog_expect_all_stored $GREY_200 1 2 "Palatino Linotype" Brevant
dialog_reset_key

# The Screen group: "Dark at night" alone enables the night hours; OK stores every choice, the
# night hours as shown; a face beyond the three shows "Dark at night".
dialog_drive item:1061=0 item:1064=0 disabled:1062 disabled:1063 unchecked:1065 select:1061=1 disabled:1062 \
    select:1061=2 enabled:1062 enabled:1063 select:1064=1 click:1065 ok
dialog_expect_stored Face REG_DWORD 2
dialog_expect_stored Monitors REG_DWORD 1
dialog_expect_stored Drift REG_DWORD 1
dialog_expect_stored "Night starts" REG_DWORD 1320
dialog_expect_stored "Night ends" REG_DWORD 420
dialog_store Face REG_DWORD 9
dialog_drive item:1061=2 enabled:1062 checked:1065 cancel
dialog_reset_key

# A seconds mode beyond the three shows "Full back" and is stored back as 2.
dialog_store "Show seconds" REG_DWORD 7
dialog_drive checked:1025 unchecked:1024 unchecked:1023 ok
dialog_expect_stored "Show seconds" REG_DWORD 2
dialog_reset_key

# Logo "Off": the edit is disabled; "Date" keeps it so, "Text:" enables it. The text of a
# disabled edit is stored all the same.
dialog_store "Show logo" REG_DWORD 0
dialog_store "Logo text" REG_SZ "Kept"
dialog_drive checked:1033 disabled:1013 text:1013=Kept click:1034 checked:1034 unchecked:1033 disabled:1013 \
    click:1035 enabled:1013 click:1033 disabled:1013 ok
dialog_expect_stored "Show logo" REG_DWORD 0
dialog_expect_stored "Logo text" REG_SZ Kept
dialog_store "Show logo" REG_DWORD 1
dialog_drive checked:1034 disabled:1013 text:1013=Kept click:1024 ok
dialog_expect_all_stored $GREY_200 1 1 "Palatino Linotype" Kept
dialog_drive click:1023 click:1035 click:1025 click:1023 ok
dialog_expect_stored "Show seconds" REG_DWORD 0
dialog_expect_stored "Show logo" REG_DWORD 2
dialog_reset_key

# A stored text of 30 characters is shown whole and, untouched, stored back whole; typing stops
# at 20 characters.
long=ABCDEFGHIJKLMNOPQRSTUVWXYZ1234
dialog_store "Logo text" REG_SZ "$long"
dialog_drive text:1013=$long text-length:1013=30 ok
dialog_expect_stored "Logo text" REG_SZ "$long"
dialog_drive clear text-length:1013=0 type:abcdefghijklmnopqrstuvwxy text:1013=abcdefghijklmnopqrst ok
dialog_expect_stored "Logo text" REG_SZ abcdefghijklmnopqrst
# An emptied edit stores an empty text.
# (Read raw: "reg query" misprints a text of no bytes.)
dialog_drive clear ok
raw=$(e2e_program settings_probe raw "Logo text")
[ "$raw" = "type=1 bytes=0" ] || e2e_fail "an emptied logo text is stored as $raw"
dialog_reset_key

# "Set to default" shows the defaults without storing them; Cancel afterwards leaves the stored
# values as they were, OK stores the defaults.
dialog_store "Color of markers" REG_DWORD $RED
dialog_store "Show seconds" REG_DWORD 0
dialog_store "Show logo" REG_DWORD 0
dialog_store "Name of font" REG_SZ "DejaVu Sans"
dialog_store "Logo text" REG_SZ "Mine"
dialog_drive swatch:$RED checked:1023 checked:1033 disabled:1013 "text:1005=DejaVu Sans" text:1013=Mine \
    click:8 swatch:$GREY_200 checked:1024 unchecked:1023 checked:1035 unchecked:1033 enabled:1013 \
    "text:1005=Palatino Linotype" text:1013=Brevant bold-name cancel
dialog_expect_all_stored $RED 0 0 "DejaVu Sans" Mine
dialog_drive click:8 ok
dialog_expect_all_stored $GREY_200 1 2 "Palatino Linotype" Brevant
echo PASS
