# Helpers shared by the project's scripts. Source it; it defines functions only.

TARNWICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TARNWICK_PACKAGES=(cmake ninja-build g++ libgtest-dev googletest
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64
    xvfb xauth x11-utils imagemagick xdotool faketime fonts-dejavu-core python3 nsis xserver-xephyr
    pkg-config libcairo2-dev libpango1.0-dev libx11-dev libxext-dev libxrandr-dev libxinerama-dev x11-xserver-utils xscreensaver procps dpkg-dev file
    libwayland-dev libwayland-bin wayland-protocols sway grim wtype lintian
    libhowardhinnant-date-dev tzdata)
TARNWICK_SCREEN="-screen 0 1920x1080x24"
# The release files: signing and its test certificate, the uninstaller taken out of a setup
# program, the manifest check.
TARNWICK_PACKAGES+=(osslsigncode openssl p7zip-full python3-yaml)

# Installs whatever of the build and test packages is missing (Debian, as root).
tarnwick_install_deps() {
    local missing=() pkg
    for pkg in "${TARNWICK_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures and builds one preset.
tarnwick_build() {
    local preset=$1
    (cd "$TARNWICK_ROOT" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset")
}

# Points Wine at the project-local prefix of a build folder.
tarnwick_wine_env() {
    export WINEPREFIX="$1/wineprefix" WINEDEBUG=-all
}

# Makes a fresh prefix for a build folder: Wine's own set-up, then the numeral font mapping
# ("Palatino Linotype" is not installed here; DejaVu Serif stands in for it).
tarnwick_new_prefix() {
    tarnwick_wine_env "$1"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Palatino Linotype' /t REG_SZ /d 'DejaVu Serif' /f >/dev/null 2>&1
    wineserver -w
    # Keep one server up for the whole run: every program start then skips the server start-up.
    wineserver -p
    # Start Wine's background services now, detached from any caller's output pipes: CTest waits
    # for a test's pipes to close, and services started by a test would hold them open.
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Ends every Wine process of the current prefix.
tarnwick_end_wine() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}

# Starts a virtual X display for this shell (unless one is already set) and stops it on exit.
tarnwick_start_xvfb() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 && return 0
    local fifo number
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -nolisten tcp $TARNWICK_SCREEN 3>"$fifo" >/dev/null 2>&1 &
    TARNWICK_XVFB_PID=$!
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
    trap 'kill "$TARNWICK_XVFB_PID" 2>/dev/null' EXIT
}

# Builds what the Debian packages of the Linux programs hold (native preset) and puts the packages
# into the given folder (build/dist/ by default). The install then builds nothing more: without
# CMAKE_SKIP_INSTALL_ALL_DEPENDENCY cpack would build every test first.
tarnwick_package_deb() {
    local dist=${1:-$TARNWICK_ROOT/build/dist} staging="$TARNWICK_ROOT/build/native/cpack"
    (cd "$TARNWICK_ROOT" && cmake --preset native -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null &&
        cmake --build --preset native --target tarnwick_deb_files >/dev/null) || return 1
    rm -rf "$staging"
    (cd "$TARNWICK_ROOT/build/native" && cpack -G DEB -B "$staging" >/dev/null) || return 1
    mkdir -p "$dist"
    mv "$staging"/*.deb "$dist/"
}
