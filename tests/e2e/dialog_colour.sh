#!/usr/bin/env bash
# The marker colour: the swatch shows it edge to edge; the colour dialog picks a new one, offers
# the sixteen custom colours afresh at every opening, and changes nothing when cancelled; only OK
# stores the colour.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/dialog_lib.sh"

# Picked, then Cancel: nothing stored. Picked, then OK: exactly that COLORREF.
dialog_drive swatch:$GREY_200 colour:10,20,30 swatch:1971210 cancel
dialog_expect_nothing_stored
dialog_drive colour:10,20,30 swatch:1971210 colour:0,0,0 swatch:0 colour:255,255,255 swatch:16777215 \
    colour:200,100,50 swatch:3302600 ok
dialog_expect_all_stored 3302600 1 2 "Palatino Linotype" Brevant
dialog_reset_key

# The colour dialog cancelled: the swatch and the colour stay.
dialog_store "Color of markers" REG_DWORD 1971210
dialog_drive swatch:1971210 colour-cancel:90,90,90 swatch:1971210 colour-cancel swatch:1971210 ok
dialog_expect_stored "Color of markers" REG_DWORD 1971210
dialog_reset_key

# The custom colours, by slot: red, spring green, azure, the darkest and the lightest grey.
dialog_drive colour-custom:1 swatch:$RED colour-custom:6 swatch:8453888 colour-custom:8 swatch:16744448 \
    colour-custom:13 swatch:6579300 colour-custom:16 swatch:$GREY_200 colour-custom:11 ok
dialog_expect_stored "Color of markers" REG_DWORD 16711935
# A colour defined in slot 1 is gone at the next opening: slot 1 is red again.
dialog_drive colour-define:1,2,3 swatch:197121 colour-custom:1 swatch:$RED ok
dialog_expect_stored "Color of markers" REG_DWORD $RED
dialog_reset_key

# A swatch text that is not a number reads back as 0.
dialog_drive set-text:1043=abc ok
dialog_expect_stored "Color of markers" REG_DWORD 0
echo PASS
