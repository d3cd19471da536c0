#!/usr/bin/env bash
# The release files of scripts/package. The x64 setup installs silently into this prefix (both
# savers byte-identical, the uninstall entry, the saver chosen), the installed saver draws the
# clock, a second install ends the running saver and replaces its file, the silent uninstall
# removes it all but the user's clock settings. The x86 setup (32-bit: Wine here runs 64-bit
# programs only) and the zip are inspected. The prefix is put back as it was at exit.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
version=$(sed -n 's/^!define VERSION "\(.*\)"$/\1/p' "$TARNWICK_BUILD/generated/installer_config.nsh")
dist="$TARNWICK_SOURCE/build/dist" drive_c="$WINEPREFIX/drive_c" folder='C:\Program Files\Tarnwick'
scr32="$TARNWICK_SOURCE/build/win32/tarnwick.scr" installed='C:\windows\system32\tarnwick.scr'
desktop='HKCU\Control Panel\Desktop' entry_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick'
[ -f "$dist/tarnwick-$version-setup-x64.exe" ] || e2e_fail "no setup program in $dist: run scripts/package"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || e2e_fail "SHA256SUMS does not match $dist"

for arch in x64:pei-x86-64 x86:pei-i386; do
    setup="$dist/tarnwick-$version-setup-${arch%%:*}.exe"
    x86_64-w64-mingw32-objdump -f "$setup" | grep -q "format ${arch#*:}$" || e2e_fail "$setup is not ${arch#*:}"
    grep -qa requireAdministrator "$setup" || e2e_fail "$setup does not ask for administrator rights"
    report=$(e2e_program resource_reader "$(winepath -w "$setup")")
    grep -qxF "version-ProductVersion $version" <<<"$report" || e2e_fail "$setup has no version record of $version"
    awk '$1 == "checksum" && $2 == $3 && $2 != "00000000" { ok = 1 } END { exit !ok }' <<<"$report" ||
        e2e_fail "$setup: the header checksum does not hold"
done
rm -rf "$TARNWICK_BUILD/e2e-zip"
python3 -m zipfile -e "$dist/tarnwick-$version-windows.zip" "$TARNWICK_BUILD/e2e-zip"
cmp "$SCR" "$TARNWICK_BUILD/e2e-zip/x64/tarnwick.scr" && cmp "$scr32" "$TARNWICK_BUILD/e2e-zip/x86/tarnwick.scr" &&
    grep -q SysWOW64 "$TARNWICK_BUILD/e2e-zip/README.txt" && grep -q $'^MIT License\r$' "$TARNWICK_BUILD/e2e-zip/LICENSE.txt" ||
    e2e_fail "the zip does not hold both savers, the read-me and the licence"

saved="$(winepath -w "$TARNWICK_BUILD")\\e2e-installer-desktop.reg"
wine reg export "$desktop" "$saved" /y >/dev/null 2>&1 || e2e_fail "cannot save $desktop"
E2E_RESTORE+=("for v in SCRNSAVE.EXE ScreenSaveActive; do wine reg delete '$desktop' /v \$v /f >/dev/null 2>&1 || true; done
    wine reg import '$saved' >/dev/null 2>&1 || true")
wine reg add "$desktop" /v SCRNSAVE.EXE /t REG_SZ /d 'C:\windows\system32\other.scr' /f >/dev/null 2>&1
wine reg add "$desktop" /v ScreenSaveActive /t REG_SZ /d 0 /f >/dev/null 2>&1
e2e_set_setting 'Logo text' REG_SZ 'Kept'
E2E_RESTORE+=("rm -rf '$drive_c/Program Files/Tarnwick' '$drive_c/windows/system32/tarnwick.scr' '$drive_c/windows/syswow64/tarnwick.scr' '$drive_c'/users/*/Temp/~nsu*.tmp; wine reg delete '$entry_key' /f >/dev/null 2>&1 || true")
install() { timeout 120 wine "$dist/tarnwick-$version-setup-x64.exe" /S || e2e_fail "the setup ended with code $?"; }
# Each "KEY NAME TYPE DATA" line of standard input must be in the registry as it stands.
expect_values() {
    while read -r key name type data; do
        wine reg query "${!key}" /v "$name" 2>/dev/null | tr -d '\r' | grep -qixF "    $name    $type    $data" ||
            e2e_fail "${!key}: no $name $type $data"
    done
}

install
cmp "$SCR" "$drive_c/windows/system32/tarnwick.scr" && cmp "$scr32" "$drive_c/windows/syswow64/tarnwick.scr" ||
    e2e_fail "the installed savers differ from the built ones"
home_page=$(sed -n 's/^TARNWICK_HOME_PAGE:STRING=//p' "$TARNWICK_BUILD/CMakeCache.txt")
expect_values <<EOF
entry_key DisplayName REG_SZ Tarnwick
entry_key DisplayVersion REG_SZ $version
entry_key Publisher REG_SZ Brevant
entry_key DisplayIcon REG_SZ $installed
entry_key UninstallString REG_SZ "$folder\uninstall.exe"
entry_key QuietUninstallString REG_SZ "$folder\uninstall.exe" /S
entry_key InstallLocation REG_SZ $folder
entry_key URLInfoAbout REG_SZ $home_page
entry_key NoModify REG_DWORD 0x1
entry_key NoRepair REG_DWORD 0x1
desktop SCRNSAVE.EXE REG_SZ $installed
desktop ScreenSaveActive REG_SZ 1
EOF
size=$(($(wine reg query "$entry_key" /v EstimatedSize | tr -d '\r' | awk '$1 == "EstimatedSize" { print $3 }')))
files=$((($(stat -c %s "$SCR") + $(stat -c %s "$scr32")) / 1024))
[ "$size" -ge "$files" ] && [ "$size" -le $((files + 1024)) ] || e2e_fail "EstimatedSize $size KiB for $files KiB of savers"

e2e_park_pointer
E2E_FAKETIME='2026-03-14 10:15:30' e2e_start_full_screen "$installed" /s
shot="$TARNWICK_BUILD/e2e-installed.png" screen=$(xdpyinfo | awk '/dimensions:/ { print $2 }')
e2e_poll 30 "import -window root '$shot' && python3 '$TARNWICK_SOURCE/tests/e2e/picture_check.py' '$shot' ${screen/x/ } 0.6" ||
    e2e_fail "the installed saver does not show the clock ($shot)"
install
e2e_wait_exit 30 && [ "$SAVER_CODE" -eq 0 ] || e2e_fail "installing again did not end the running saver with code 0"

timeout 60 wine "$drive_c/Program Files/Tarnwick/uninstall.exe" /S || e2e_fail "the uninstaller ended with code $?"
# It runs on from a copy of itself and returns at once: its folder goes last.
e2e_poll 60 "[ ! -e '$drive_c/Program Files/Tarnwick' ]" || e2e_fail "the uninstaller left $folder"
! ls "$drive_c"/windows/{system32,syswow64}/tarnwick.scr 2>/dev/null || e2e_fail "a saver file is left"
! wine reg query "$entry_key" >/dev/null 2>&1 && ! wine reg query "$desktop" /v SCRNSAVE.EXE >/dev/null 2>&1 ||
    e2e_fail "the uninstall entry is left, or SCRNSAVE.EXE still names the removed saver"
wine reg query "$SETTINGS_KEY" /v 'Logo text' | grep -q 'REG_SZ    Kept' || e2e_fail "the user's clock settings are gone"
