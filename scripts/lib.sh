# Shared settings for the scripts; sourced, not run.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
WINE=/usr/lib/wine/wine64
JOBS=$(nproc 2>/dev/null || echo 2)

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
