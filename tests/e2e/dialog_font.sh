#!/usr/bin/env bash
# The font chooser: the TrueType families, sorted, with the owner's face found by a case-blind
# prefix search; a live preview; OK and a double click write the list's spelling into the settings
# dialog, Cancel, Esc and the close box leave it. Only the settings dialog's OK stores the name.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/dialog_lib.sh"

# "Palatino Linotype" (a TrueType family in the test prefix) is selected at opening and previewed
# black on white, centred; moving the selection repaints the preview at once.
dialog_drive font-open font-list "font-selected:Palatino Linotype" font-preview font-key:up font-preview:changed \
    font-key:up font-preview:changed font-close:cancel "text:1005=Palatino Linotype" cancel
dialog_expect_nothing_stored

# A double click closes the chooser and writes the family; OK stores it.
dialog_drive font-open "font-dblclick:DejaVu Sans Mono" "text:1005=DejaVu Sans Mono" bold-name ok
dialog_expect_all_stored $GREY_200 1 2 "DejaVu Sans Mono" Brevant
# Picked with a click and OK, then the settings dialog cancelled: the stored name stays.
dialog_drive "text:1005=DejaVu Sans Mono" font-open "font-selected:DejaVu Sans Mono" font-preview \
    "font-click:DejaVu Serif" font-preview:changed font-close:ok "text:1005=DejaVu Serif" cancel
dialog_expect_stored "Name of font" REG_SZ "DejaVu Sans Mono"

# Cancel, Esc and the close box leave the name; every opening makes a fresh preview.
dialog_drive font-open font-key:up font-close:cancel "text:1005=DejaVu Sans Mono" \
    font-open font-preview font-key:up font-close:esc "text:1005=DejaVu Sans Mono" \
    font-open font-preview font-key:down font-close:close "text:1005=DejaVu Sans Mono" \
    font-open "font-selected:DejaVu Sans Mono" font-preview font-close:cancel ok
dialog_expect_stored "Name of font" REG_SZ "DejaVu Sans Mono"
dialog_reset_key

# The beginning of several names, in other letter case, finds the first of them; OK writes the
# name as the list spells it.
dialog_store "Name of font" REG_SZ "dejavu s"
dialog_drive "text:1005=dejavu s" font-open "font-selected:DejaVu Sans" font-preview font-ok-writes-selection \
    "text:1005=DejaVu Sans" ok
dialog_expect_stored "Name of font" REG_SZ "DejaVu Sans"

# A name that matches no family: the first family is selected; Cancel keeps the
# name, OK writes that first family.
dialog_store "Name of font" REG_SZ "No Such Family"
dialog_drive font-open font-selected-first font-close:cancel "text:1005=No Such Family" \
    font-open font-selected-first font-ok-writes-selection ok
stored=$(dialog_stored "Name of font")
case "$stored" in
    "REG_SZ No Such Family" | "REG_SZ " | "") e2e_fail "OK did not write the first family: $stored" ;;
esac
echo "stored Name of font: $stored"
echo PASS
