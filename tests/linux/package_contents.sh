#!/usr/bin/env bash
# The Debian packages as one `cpack -G DEB` makes them from this build: the display mode where
# XScreenSaver looks for it, its settings description and manual page; the Wayland program and
# its manual page apart, on libwayland-client, Cairo and Pango alone (no GTK); in each the copyright
# file and the changelog, and the libraries each needs declared.
source "$TARNWICK_SOURCE/tests/linux/linux_lib.sh"
(cd "$TARNWICK_BUILD" && cpack -G DEB -B "$WORK/cpack" >/dev/null) || linux_fail "cpack failed"
# Checks that package NAME holds every path given after its libraries (a | b: any of them).
check_package() {
    local name=$1 libraries=$2 deb path depends
    shift 2
    deb=$(ls "$WORK"/cpack/"${name}"_*.deb) || linux_fail "no package $name"
    dpkg-deb -c "$deb" | awk '{ print $6 }' >"$WORK/files"
    for path in "$@" "./usr/share/doc/$name/copyright" "./usr/share/doc/$name/changelog.Debian.gz"; do
        grep -qx "$path" "$WORK/files" || linux_fail "$path is not in $name"
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    grep -qE "$libraries" <<<"$depends" || linux_fail "$name does not depend on $libraries ($depends)"
    echo "$name: $(basename "$deb"), depends on $depends"
}
check_package tarnwick "libcairo2.*libpango" ./usr/libexec/xscreensaver/tarnwick \
    ./usr/share/xscreensaver/config/tarnwick.xml ./usr/share/man/man6/tarnwick.6.gz
! dpkg-deb -f "$WORK"/cpack/tarnwick_*.deb Depends | grep -q gtk || linux_fail "tarnwick depends on GTK"
check_package tarnwick-wayland "libcairo2.*libpango.*libwayland-client0" ./usr/bin/tarnwick-wayland \
    ./usr/share/man/man1/tarnwick-wayland.1.gz
! dpkg-deb -f "$WORK"/cpack/tarnwick-wayland_*.deb Depends | grep -qE "gtk|libx11" || linux_fail "tarnwick-wayland depends on GTK or X11"
