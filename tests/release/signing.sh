#!/usr/bin/env bash
# The release files signed with a throwaway self-signed certificate: scripts/package signs both
# savers, both setup programs and the uninstaller inside each; every one verifies against that
# certificate with the product's name and home page in its signature, a copy with one byte changed
# does not, and the signature is all that signing adds (taken off again, the saver is the unsigned
# build byte for byte). No time stamp: the test has no network.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
config="$TARNWICK_ROOT/build/win64/generated/installer_config.nsh"
version=$(sed -n 's/^!define VERSION "\(.*\)"$/\1/p' "$config")
home_page=$(sed -n 's/^!define HOME_PAGE "\(.*\)"$/\1/p' "$config")

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tarnwick test signer" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
echo throwaway >"$work/password"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout "file:$work/password" -out "$work/signer.p12"
env -u TARNWICK_SIGN_TIMESTAMP_URL TARNWICK_DIST="$work/dist" TARNWICK_SIGN_PKCS12="$work/signer.p12" \
    TARNWICK_SIGN_PASSWORD_FILE="$work/password" "$TARNWICK_ROOT/scripts/package" >"$work/package.log" 2>&1 ||
    { tail -n 20 "$work/package.log"; fail "packaging with a certificate failed"; }

python3 -m zipfile -e "$work/dist/tarnwick-$version-windows.zip" "$work/zip"
signed=("$work/zip/x64/tarnwick.scr" "$work/zip/x86/tarnwick.scr")
for arch in x64 x86; do
    setup="$work/dist/tarnwick-$version-setup-$arch.exe"
    7z x -y -o"$work/$arch" "$setup" uninstall.exe >/dev/null || fail "7-Zip cannot take the uninstaller out of $setup"
    signed+=("$setup" "$work/$arch/uninstall.exe")
done
for file in "${signed[@]}"; do
    report=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$file" 2>&1) || fail "${file#"$work"/} does not verify: $report"
    grep -qxF $'\tText description: Tarnwick' <<<"$report" && grep -qxF $'\tURL description: '"$home_page" <<<"$report" ||
        fail "${file#"$work"/}: the signature does not name Tarnwick and $home_page"
done
echo "verified: ${signed[*]#"$work"/}"

changed="$work/changed.scr"
cp "$work/zip/x64/tarnwick.scr" "$changed"
offset=$(($(stat -c %s "$changed") / 2))
byte=$(od -An -tu1 -j "$offset" -N1 "$changed")
printf "\\$(printf %03o $(((byte + 1) % 256)))" | dd of="$changed" bs=1 seek="$offset" conv=notrunc 2>/dev/null
! osslsigncode verify -CAfile "$work/cert.pem" -in "$changed" >/dev/null 2>&1 || fail "a saver with byte $offset changed still verifies"

osslsigncode remove-signature -in "$work/zip/x64/tarnwick.scr" -out "$work/unsigned.scr" >/dev/null
cmp "$work/unsigned.scr" "$TARNWICK_ROOT/build/win64/tarnwick.scr" || fail "signing changed more than the signature"
echo "signing: ${#signed[@]} files verify, a changed byte fails, the signature comes off to the unsigned saver"
