# Shared settings for the scripts; sourced, not run.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
# The Windows build the tests and the run use: i686 (the release, 32-bit Wine) unless
# GLUMA_ARCH says otherwise or the machine cannot run 32-bit code at all (see pick_arch).
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
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="$(wine_overrides)"
    # The Chinese ANSI code page (936) and regional formats; LC_ALL wins over any LANG.
    { export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8; } 2>/dev/null
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        # The same prefix, its 32-bit part included, as the 32-bit loader makes, made by 64-bit
        # code: where 32-bit code is emulated that takes half the time.
        /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
        /usr/lib/wine/wineserver -w 2>/dev/null || true
    fi
}

# ---- 32-bit programs ----
# The release program and its setup program are 32-bit. Where the kernel runs no 32-bit code,
# scripts/deps registers Debian's qemu-user (9.1 or later: its qemu-i386 is static) for i386
# programs in binfmt_misc, and they run under emulation: slowly, but they run.
BINFMT=/proc/sys/fs/binfmt_misc
QEMU_I386=/usr/bin/qemu-i386
QEMU_I386_ENTRY=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$QEMU_I386"':F'
runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
emulates_32bit() { [ "$(head -1 "$BINFMT/qemu-i386" 2>/dev/null)" = enabled ]; }
# How 32-bit programs run here: native, emulated or none.
how_32bit_runs() {
    if ! runs_32bit; then echo none; elif emulates_32bit; then echo emulated; else echo native; fi
}

# Wine's DLL overrides for the tests' and the run's programs: no .NET or Gecko installer. For the
# 32-bit build where it is emulated, no crash debugger either: there it hangs instead of printing
# its backtrace, so a crash would end a test only at its time limit.
wine_overrides() {
    local emulated
    [ "$GLUMA_ARCH" = i686 ] && [ "${GLUMA_32BIT:-$(how_32bit_runs)}" = emulated ] && emulated=';winedbg.exe=d'
    echo "mscoree,mshtml=${emulated:-}"
}

# GLUMA_EMULATE_32BIT=1, for a developer on a machine that runs 32-bit code: the calling script
# runs again as on a machine whose kernel runs none, in a user and mount namespace of its own
# with a binfmt_misc instance of its own (Linux 6.7 or later), where scripts/deps registers
# qemu-user exactly as it does on such a machine. The machine's own binfmt_misc is not touched.
# Call it with the script's arguments.
emulate_32bit_if_asked() {
    [ "${GLUMA_EMULATE_32BIT:-0}" = 1 ] && [ -z "${GLUMA_PRIVATE_BINFMT:-}" ] || return 0
    "$ROOT/scripts/deps" || exit 1  # the packages first, as the machine's own root
    say "GLUMA_EMULATE_32BIT=1: as on a machine whose kernel runs no 32-bit code (a private binfmt_misc)"
    exec unshare --user --map-root-user --mount --fork env GLUMA_PRIVATE_BINFMT=1 bash -c '
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc ||
            { echo "GLUMA_EMULATE_32BIT: this kernel gives no binfmt_misc of its own to a namespace" >&2; exit 1; }
        exec "$@"' bash "$0" "$@"
}

# Falls back to the x86_64 build, with a line of its own, when 32-bit programs cannot run here.
# Exports GLUMA_32BIT (native, emulated or none) for the test layers and the benchmarks.
pick_arch() {
    GLUMA_32BIT=$(how_32bit_runs)
    if [ "$GLUMA_ARCH" = i686 ] && [ "$GLUMA_32BIT" = none ]; then
        say "this machine cannot run 32-bit Windows programs: testing the x86_64 build instead"
        GLUMA_ARCH=x86_64
        WINE=$(wine_for x86_64)
    fi
    export GLUMA_ARCH GLUMA_32BIT
}
