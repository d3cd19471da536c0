#!/usr/bin/env bash
# The Debian package as CPack makes it from this build: the display mode where XScreenSaver looks
# for it, its settings description, its manual page, and the libraries it needs declared.
source "$TARNWICK_SOURCE/tests/linux/linux_lib.sh"
(cd "$TARNWICK_BUILD" && cpack -G DEB -B "$WORK/cpack" >/dev/null) || linux_fail "cpack failed"
deb=$(ls "$WORK"/cpack/*.deb)
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$WORK/files"
for path in ./usr/libexec/xscreensaver/tarnwick ./usr/share/xscreensaver/config/tarnwick.xml \
    ./usr/share/man/man6/tarnwick.6.gz; do
    grep -qx "$path" "$WORK/files" || linux_fail "$path is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libcairo2 libpango; do
    grep -q "$library" <<<"$depends" || linux_fail "the package does not depend on $library ($depends)"
done
echo "package: $(basename "$deb"), depends on $depends"
