#!/usr/bin/env bash
# The settings dialog shows what is stored, edits it as a user does and stores it on OK only:
# radio groups, the logo text edit and its enabling, the Clock group and the world clocks, "Set to
# default", OK, Cancel, Esc, Enter and the close box.
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

# The Clock group: the defaults and the designed items; every control set, and the world clocks
# handed back by their own OK, stored by OK alone. A stored zone the system does not know shows
# "(none)" and is kept; a row changed to "(none)" is cleared.
TOKYO="(UTC+09:00) Osaka, Sapporo, Tokyo"
clock_steps=(track:1066=45 "text:1067=45 %" select:1068=Wandering "select:1069=I to XII" colour:1070=10,20,30
    colour:1071=0,0,255 colour:1072=255,0,0 colour:1073=0,128,0 click:1074 world-open world-zones:1101
    "select:1101=$TOKYO" type-into:1111=Tokyo "text:1102=(none)" text:1112=Lost "select:1103=$TOKYO" select:1103=0
    world-close:ok)
dialog_store "World clock 2" REG_SZ "Atlantis Standard Time"
dialog_store "World clock 3" REG_SZ "Tokyo Standard Time"
dialog_store "World clock 2 label" REG_SZ Lost
dialog_drive "text:1067=100 %" "items:1068=Centre|Top left|Top|Top right|Right|Bottom right|Bottom|Bottom left|Left|Wandering" \
    "items:1069=1 to 12|I to XII|12, 3, 6 and 9|None" item:1068=0 item:1069=0 swatch:1070=16777215 swatch:1071=0 \
    swatch:1072=0 swatch:1073=16777215 unchecked:1074 "${clock_steps[@]}" cancel
dialog_drive world-open "text:1103=$TOKYO" "select:1103=$TOKYO" world-close:cancel world-open "text:1101=(none)" \
    world-close:esc "${clock_steps[@]}" world-open "text:1101=$TOKYO" text:1111=Tokyo world-close:cancel ok
for value in Size=45 Place=9 Numerals=1 "Color of face=1971210" "Color of numerals=16711680" "Color of hands=255" \
    "Color of ground=32768" Glide=1; do dialog_expect_stored "${value%=*}" REG_DWORD "${value#*=}"; done
dialog_expect_stored "World clock 1" REG_SZ "Tokyo Standard Time"
dialog_expect_stored "World clock 1 label" REG_SZ Tokyo
dialog_expect_stored "World clock 2" REG_SZ "Atlantis Standard Time"
[ "$(e2e_program settings_probe raw "World clock 3")" = "type=1 bytes=0" ] || e2e_fail "world clock 3 is not cleared"
# Values their rules do not take show the defaults; "Set to default" shows them all, world clocks too.
dialog_store Size REG_DWORD 7
dialog_store Place REG_DWORD 12
dialog_drive "text:1067=100 %" item:1068=0 item:1069=1 click:8 item:1069=0 swatch:1070=16777215 unchecked:1074 \
    world-open "text:1101=(none)" text:1111= "text:1102=(none)" text:1112= world-close:ok ok
dialog_expect_stored Size REG_DWORD 100
[ "$(e2e_program settings_probe raw "World clock 2")" = "type=1 bytes=0" ] || e2e_fail "world clock 2 is not empty"
dialog_reset_key
# The world clocks' OK, then the settings' Cancel: nothing stored.
dialog_drive world-open "select:1101=$TOKYO" type-into:1111=Tokyo world-close:ok cancel
dialog_expect_nothing_stored
# By keyboard alone: the new controls follow the Screen group in tab order, then the order wraps.
dialog_drive click:1065 key:tab focus:1066 key:left "text:1067=99 %" key:tab focus:1068 key:down key:tab focus:1069 \
    key:tab focus:1070 key:tab key:tab key:tab focus:1073 key:tab focus:1074 key:tab focus:1075 key:tab focus:1043 ok
dialog_expect_stored Size REG_DWORD 99
dialog_expect_stored Place REG_DWORD 1
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
