#!/usr/bin/env bash
# The About box: the 203 x 61 picture, "Tarnwick version 4.02", the credit line and the notice
# from the resources. OK, Esc and the close box close it, each time filled afresh; the settings
# dialog stays open and unchanged.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/dialog_lib.sh"

dialog_store "Show seconds" REG_DWORD 0
dialog_drive click:1025 about:ok about:esc about:close checked:1025 unchecked:1023 \
    "text:1005=Palatino Linotype" swatch:$GREY_200 cancel
dialog_expect_stored "Show seconds" REG_DWORD 0
dialog_drive about:ok ok
dialog_expect_all_stored $GREY_200 0 2 "Palatino Linotype" Brevant
echo PASS
