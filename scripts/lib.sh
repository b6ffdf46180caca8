# Shared settings for the scripts; sourced, not run.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
# The Windows build the tests and the run use: i686 (the release, 32-bit Wine) unless
# GLUMA_ARCH says otherwise or the machine cannot run 32-bit code (see pick_arch).
GLUMA_ARCH=${GLUMA_ARCH:-i686}
wine_for() { [ "$1" = i686 ] && echo /usr/lib/wine/wine || echo /usr/lib/wine/wine64; }
WINE=$(wine_for "$GLUMA_ARCH")
JOBS=$(nproc 2>/dev/null || echo 2)
# The one time every stamp in a build takes (the PE headers of the program, the help file,
# the files' times in the setup and the zip), so that the same source gives the same bytes:
# SOURCE_DATE_EPOCH when given, else the time of the last commit.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || true)}
if [ -n "$SOURCE_DATE_EPOCH" ]; then export SOURCE_DATE_EPOCH; else unset SOURCE_DATE_EPOCH; fi

# The program's version, "1.8", from its one home: resources/version.h.
gluma_version() {
    sed -n 's/^#define GLUMA_VERSION_\(MAJOR\|MINOR\) \([0-9]*\)$/\2/p' "$ROOT/resources/version.h" | paste -sd.
}

say() { printf '== %s\n' "$*" >&2; }

# Starts a private virtual display unless $DISPLAY already works; exports DISPLAY.
# Sets XVFB_PID when it started one.
start_display() {
    XVFB_PID=
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -noreset -screen 0 1280x800x24 >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
    done
    echo "could not start a virtual display" >&2
    return 1
}

# A fresh Wine prefix in $1, made once (the first start of a prefix is slow).
wine_prefix() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # The Chinese ANSI code page (936) and regional formats; LC_ALL wins over any LANG.
    { export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8; } 2>/dev/null
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE" wineboot --init >/dev/null 2>&1 || true
        /usr/lib/wine/wineserver -w 2>/dev/null || true
    fi
}

# Falls back to the x86_64 build, with a line of its own, when 32-bit Windows code cannot run here.
pick_arch() {
    if [ "$GLUMA_ARCH" = i686 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        say "this machine cannot run 32-bit Windows programs (no working /usr/lib/wine/wine): testing the x86_64 build instead"
        GLUMA_ARCH=x86_64
        WINE=$(wine_for x86_64)
    fi
    export GLUMA_ARCH
}
