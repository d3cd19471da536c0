#!/usr/bin/env bash
# Stored values of any type and size never upset the settings dialog: what is refused shows the
# default, extreme numbers show their mode and go back unchanged, the longest texts are shown and
# stored whole, and the font chooser copes with a face name that is no family.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/dialog_lib.sh"

# Values of the wrong types: the defaults are shown and OK stores them with the right types.
dialog_store "Color of markers" REG_SZ notanumber
dialog_store "Show seconds" REG_SZ abc
dialog_store "Show logo" REG_BINARY 00000000
dialog_store "Name of font" REG_DWORD 5
dialog_store "Logo text" REG_EXPAND_SZ "%PATH%"
dialog_drive swatch:$GREY_200 checked:1024 checked:1035 enabled:1013 "text:1005=Palatino Linotype" \
    text:1013=Brevant ok
dialog_expect_all_stored $GREY_200 1 2 "Palatino Linotype" Brevant
dialog_reset_key

# The extreme numbers: any value beyond 1 is the third mode; the colour goes back as it came.
dialog_store "Color of markers" REG_DWORD 4294967295
dialog_store "Show seconds" REG_DWORD 2147483648
dialog_store "Show logo" REG_DWORD 4294967295
dialog_drive text:1043=4294967295 checked:1025 checked:1035 enabled:1013 ok
dialog_expect_all_stored 4294967295 2 2 "Palatino Linotype" Brevant
dialog_reset_key

# The longest texts the record holds (259 characters) are shown and stored whole; a face name that
# long is no family, so the chooser selects its first family, and Cancel there keeps the name.
long=$(printf 'L%.0s' $(seq 259))
face=$(printf 'F%.0s' $(seq 259))
dialog_store "Logo text" REG_SZ "$long"
dialog_store "Name of font" REG_SZ "$face"
dialog_drive text-length:1013=259 text-length:1005=259 font-open font-selected-first \
    font-close:cancel text-length:1005=259 ok
dialog_expect_stored "Logo text" REG_SZ "$long"
dialog_expect_stored "Name of font" REG_SZ "$face"
# A text too long for the record is refused whole: the default shows.
dialog_store "Logo text" REG_SZ "$(printf 'X%.0s' $(seq 5000))"
dialog_drive text:1013=Brevant cancel
echo PASS
