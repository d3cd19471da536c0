#!/usr/bin/env bash
# Pictures of the settings dialog, the colour dialog, the font chooser and the About box as Wine
# shows them, for a person to compare with the templates (nothing cut off, nothing overlapping,
# the swatch filled): e2e-dialog-*.png in the build folder.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/dialog_lib.sh"
shots=()
for name in settings colour chooser about; do
    rm -f "$TARNWICK_BUILD/e2e-dialog-$name.bmp" "$TARNWICK_BUILD/e2e-dialog-$name.png"
    shots+=("$(winepath -w "$TARNWICK_BUILD/e2e-dialog-$name.bmp" | tr -d '\r')")
done
dialog_drive swatch:$GREY_200 bold-name "screenshot:${shots[0]}" "colour-screenshot:${shots[1]}" \
    font-open font-preview "screenshot:${shots[2]}" font-close:cancel about:stay "screenshot:${shots[3]}"
for name in settings colour chooser about; do
    convert "$TARNWICK_BUILD/e2e-dialog-$name.bmp" -trim +repage "$TARNWICK_BUILD/e2e-dialog-$name.png"
    rm -f "$TARNWICK_BUILD/e2e-dialog-$name.bmp"
    echo "picture: $TARNWICK_BUILD/e2e-dialog-$name.png"
done
echo PASS
