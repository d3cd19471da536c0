#!/usr/bin/env bash
# The settings in the Wine registry: values of the wrong kinds written by reg.exe keep their
# defaults each alone, loading creates nothing, and a store writes exact types and sizes.
# The settings key is put back as it was found.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"

PROBE="$TARNWICK_BUILD/settings_probe.exe"
KEY='HKCU\Software\Brevant\Tarnwick'
PARENT='HKCU\Software\Brevant'
work=$(mktemp -d)
failures=0

probe() { timeout 60 wine "$PROBE" "$@" </dev/null | tr -d '\r'; }
exists() { wine reg query "$1" >/dev/null 2>&1; }
add() { wine reg add "$KEY" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }
delete_key() { wine reg delete "$KEY" /f >/dev/null 2>&1 || true; }

# Imports one value line for the settings key with reg.exe: unlike "reg add" it can write a text
# of zero bytes. (Any other text gets a NUL appended by the registry, so texts without one are
# written through the API by the component tests.) The file is UTF-16 so that hex(1) bytes are
# taken as they stand: from an ANSI file Wine widens each byte to a character.
import_values() {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brevant\\Tarnwick]\r\n%s\r\n' \
        "$1" | iconv -f UTF-8 -t UTF-16 >"$work/values.reg"
    wine reg import "$(winepath -w "$work/values.reg")" >/dev/null 2>&1
}

check() {  # check WHAT EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        echo "ok   $1: $3"
    else
        echo "FAIL $1: expected '$2', got '$3'"
        failures=$((failures + 1))
    fi
}

field() { grep "^$1=" <<<"$loaded" | cut -d= -f2-; }
load() { loaded=$(probe load); }

# Leave the registry as found: keep what the key held, and whether its parent existed.
parent_existed=no
exists "$PARENT" && parent_existed=yes
key_saved=no
if exists "$KEY"; then
    wine reg export "$KEY" "$(winepath -w "$work/saved.reg")" /y >/dev/null 2>&1
    key_saved=yes
fi
restore() {
    delete_key
    if [ "$key_saved" == yes ]; then
        wine reg import "$(winepath -w "$work/saved.reg")" >/dev/null 2>&1
    elif [ "$parent_existed" == no ]; then
        wine reg delete "$PARENT" /f >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap restore EXIT

echo "-- no key: defaults, and nothing created"
delete_key
load
check "colorOfMarkers" 0x00C8C8C8 "$(field colorOfMarkers)"
check "showSeconds" 1 "$(field showSeconds)"
check "showLogo" 2 "$(field showLogo)"
check "nameOfFont" "Palatino Linotype" "$(field nameOfFont)"
check "logoText" Brevant "$(field logoText)"
check "key after loading" key=missing "$(probe key)"

echo "-- values of the wrong kinds"
add "Show seconds" REG_SZ 7
add "Color of markers" REG_BINARY 00ff0000
add "Logo text" REG_EXPAND_SZ Hello
add "Show logo" REG_DWORD 5
add "Name of font" REG_SZ "DejaVu Serif"
check "Color of markers as written" "type=3 bytes=4" "$(probe raw 'Color of markers')"
load
check "showSeconds (REG_SZ refused)" 1 "$(field showSeconds)"
check "colorOfMarkers (4-byte REG_BINARY refused)" 0x00C8C8C8 "$(field colorOfMarkers)"
check "logoText (REG_EXPAND_SZ refused)" Brevant "$(field logoText)"
check "showLogo (5 taken unchanged)" 5 "$(field showLogo)"
check "nameOfFont (good REG_SZ taken)" "DejaVu Serif" "$(field nameOfFont)"

echo "-- texts of the edge sizes"
import_values '"Logo text"=hex(1):'
check "Logo text as written" "type=1 bytes=0" "$(probe raw 'Logo text')"
load
check "logoText (zero bytes: empty, not the default)" "0" "$(field logoTextLength)"
add "Logo text" REG_SZ ""
check "Logo text as written" "type=1 bytes=2" "$(probe raw 'Logo text')"
load
check "logoText (only a NUL: empty)" "0" "$(field logoTextLength)"
add "Logo text" REG_SZ "$(printf 'x%.0s' $(seq 299))"
check "Logo text as written" "type=1 bytes=600" "$(probe raw 'Logo text')"
load
check "logoText (600 bytes: too large)" Brevant "$(field logoText)"
add "Logo text" REG_SZ "$(printf 'y%.0s' $(seq 259))"
check "Logo text as written" "type=1 bytes=520" "$(probe raw 'Logo text')"
load
check "logoText (259 characters and NUL)" 259 "$(field logoTextLength)"

echo "-- a store writes exact types and sizes, and creates the key"
delete_key
check "saving" saved=yes "$(probe save-defaults)"
check "key after saving" key=present "$(probe key)"
check "Color of markers" "type=4 bytes=4" "$(probe raw 'Color of markers')"
check "Show seconds" "type=4 bytes=4" "$(probe raw 'Show seconds')"
check "Show logo" "type=4 bytes=4" "$(probe raw 'Show logo')"
check "Name of font" "type=1 bytes=34" "$(probe raw 'Name of font')"
check "Logo text" "type=1 bytes=14" "$(probe raw 'Logo text')"
query=$(wine reg query "$KEY" /v "Logo text" | tr -d '\r')
check "reg query of Logo text" "Logo text REG_SZ Brevant" "$(grep 'Logo text' <<<"$query" | xargs)"
load
check "round trip colorOfMarkers" 0x00C8C8C8 "$(field colorOfMarkers)"
check "round trip logoText" Brevant "$(field logoText)"
check "round trip nameOfFont" "Palatino Linotype" "$(field nameOfFont)"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
