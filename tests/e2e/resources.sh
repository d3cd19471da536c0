#!/usr/bin/env bash
# The saver files' resources as Windows reads them (resource_reader.exe loads each .scr as a
# data module): the strings, icon 199 at 16 to 256 pixels, the whole version record, the manifest;
# and what virus scanners look at besides: a header checksum that holds, only the linker's own
# sections, the entry point in .text (no packer). Then the manifest at work: the running saver
# (test build, same resources) is per-monitor DPI aware, so a scaled screen gets a canvas of real
# pixels.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"

for scr in "$SCR" "$TEST_SCR" "$TARNWICK_SOURCE/build/win32/tarnwick.scr"; do
    report=$(e2e_program resource_reader "$(winepath -w "$scr" | tr -d '\r')") || e2e_fail "cannot read $scr"
    echo "$report"
    expect_line() { grep -qxF -- "$1" <<<"$report" || e2e_fail "$(basename "$scr"): missing \"$1\""; }
    expect_line "string-117 8 Tarnwick"
    expect_line "string-118 4 4.02"
    expect_line "string-119 8 TARNWICK"
    expect_line "icon-directory 256 128 64 48 32 24 16"
    expect_line "manifest-has PerMonitorV2 yes"
    expect_line "manifest-has true/pm yes"
    expect_line "manifest-has Microsoft.Windows.Common-Controls yes"
    while read -r line; do expect_line "$line"; done <<'EOF'
version-CompanyName Brevant
version-FileDescription Tarnwick clock screen saver
version-FileVersion 4.02
version-InternalName tarnwick
version-LegalCopyright Copyright (C) 2026 Brevant
version-OriginalFilename tarnwick.scr
version-ProductName Tarnwick
version-ProductVersion 4.02
version-fixed 4.2.0.0
EOF
    # The texts the code reads into 100-byte buffers fit them; the two free wordings are set.
    for id in 106 107; do
        length=$(awk -v id="string-$id" '$1 == id { print $2 }' <<<"$report")
        [ "$length" -gt 0 ] && [ "$length" -lt 100 ] || e2e_fail "string $id has length $length"
    done
    # The shipped files only: the test build keeps its debug records.
    [ "$scr" != "$TEST_SCR" ] || continue
    read -r header computed < <(awk '$1 == "checksum" { print $2, $3 }' <<<"$report")
    [ -n "$header" ] && [ "$header" = "$computed" ] && [ "$header" != 00000000 ] ||
        e2e_fail "$(basename "$scr"): header checksum ${header:-none}, computed ${computed:-none}"
    text_start=0 text_end=0
    sections=$(x86_64-w64-mingw32-objdump -h "$scr" | awk '$2 ~ /^\./ { print $2, $3, $4 }')
    while read -r section size address; do
        case $section in
            .text | .data | .rdata | .pdata | .xdata | .eh_fram | .bss | .idata | .CRT | .tls | .rsrc | .reloc) ;;
            *) e2e_fail "$(basename "$scr"): section $section is not the linker's" ;;
        esac
        [ "$section" = .text ] && text_start=$((16#$address)) text_end=$((16#$address + 16#$size))
    done <<<"$sections"
    start=$(($(x86_64-w64-mingw32-objdump -f "$scr" | awk '/^start address/ { print $3 }')))
    [ "$start" -ge "$text_start" ] && [ "$start" -lt "$text_end" ] || e2e_fail "$(basename "$scr") does not start in .text"
done

e2e_park_pointer
e2e_start_full_screen "$TEST_SCR" /s
awareness=$(e2e_poke probe dpi)
echo "DPI awareness of the running saver: $awareness"
[ "$awareness" = 2 ] || e2e_fail "the saver is not per-monitor DPI aware ($awareness)"
canvas=$(e2e_poke probe canvas)
screen=$(xdpyinfo | awk '/dimensions:/ { print $2 }')
echo "canvas $canvas on a $screen screen"
[ "$canvas" = "$screen" ] || e2e_fail "the canvas $canvas is not the screen's $screen pixels"
e2e_end_with_key
