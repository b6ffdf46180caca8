"""Start-up benchmark (prints figures; not a test): time from process start to the tray
icon, and private memory after start, for GlumaNote and for a minimal Win32 program that
only adds one icon (tests/bench/win/mintray.cpp), of the same build, run side by side,
alternately, in one run.

When the icon is there: Wine's tray window exists only while it holds an icon and is
mapped when the first one is added, so each program is started alone, with an empty tray,
and the benchmark takes the time of that window's MapNotify event from the X server.

Prints its figures as lines `FIGURE <name> <value> <unit> <goal>` for scripts/bench's table.
    GLUMA_ARCH=i686|x86_64 BENCH_ROUNDS=7 python3 bench_startup.py   (build/i686 by default)
"""

import ctypes
import os
import select
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))

from harness import ARCH, OUT, Desktop, make_prefix, wait_for

ROUNDS = int(os.environ.get("BENCH_ROUNDS", 7))


MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
TRAY_NAME = b"Wine System Tray"


class TrayWatch:
    """Tells when Wine's tray window is mapped, from the X server's own MapNotify events on
    the root window: no polling, so the watching costs the programs nothing."""

    def __init__(self, desktop):
        x = self.x11 = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
        x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        # A window can be gone by the time its name is asked for: ignore such errors.
        self._handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
        x.XSetErrorHandler(self._handler)
        self.display = x.XOpenDisplay(desktop.env["DISPLAY"].encode())
        if not self.display:
            raise RuntimeError("cannot open the X display")
        x.XSelectInput(self.display, x.XDefaultRootWindow(self.display), SUBSTRUCTURE_NOTIFY_MASK)
        self.fd = x.XConnectionNumber(self.display)

    def drain(self):
        """Forgets the events so far."""
        self.wait_mapped(0)

    def wait_mapped(self, timeout):
        """The monotonic time at which the tray window was mapped, or None after timeout s."""
        deadline = time.monotonic() + timeout
        event = (ctypes.c_long * 24)()
        while True:
            while self.x11.XPending(self.display):
                self.x11.XNextEvent(self.display, event)
                now = time.monotonic()
                if event[0] & 0xFFFFFFFF == MAP_NOTIFY and self._name(event[5]) == TRAY_NAME:
                    return now
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([self.fd], [], [], left)

    def _name(self, window):
        name = ctypes.c_char_p()
        if not self.x11.XFetchName(self.display, window, ctypes.byref(name)):
            return None
        return name.value

    def close(self):
        self.x11.XCloseDisplay(self.display)


def private_kb(linux_pid):
    """Private memory of the process (Wine runs each Windows process as one Linux process)."""
    total = 0
    with open(f"/proc/{linux_pid}/smaps_rollup") as f:
        for line in f:
            if line.startswith(("Private_Clean:", "Private_Dirty:")):
                total += int(line.split()[1])
    return total


def start_and_time(desktop, tray, exe, args=()):
    # Wine destroys its tray window once the last icon is gone.
    wait_for(lambda: desktop.tray_window() is None, timeout=15, interval=0.1, what="an empty tray")
    tray.drain()
    start = time.monotonic()
    proc = subprocess.Popen([desktop.wine, str(exe), *args], env=desktop.env, cwd=str(Path(exe).parent),
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shown = tray.wait_mapped(900)
    if shown is None:
        raise RuntimeError(f"no icon from {Path(exe).name}")
    time.sleep(4.0)  # Wine frees what it needed for the start (fonts) only after a while
    memory = private_kb(proc.pid)
    proc.kill()  # Wine runs the Windows process in this Linux process
    proc.wait(10)
    return shown - start, memory


def figure(name, value, unit, goal, text):
    print(f"{text}")
    print(f"FIGURE {name} {value} {unit} {goal}")


def main():
    make_prefix(prefix := OUT / "bench-prefix")
    desktop = Desktop(prefix)
    program, baseline = desktop.exe, desktop.exe.parent / "mintray.exe"
    tray = None
    try:
        # The first icon ever makes the tray window; the first runs also warm the prefix.
        desktop.run([desktop.wine, str(baseline), "delete"], timeout=600)
        tray = TrayWatch(desktop)
        start_and_time(desktop, tray, baseline, ["stay"])
        start_and_time(desktop, tray, program)
        ours, base, mem_ours, mem_base = [], [], [], []
        for i in range(ROUNDS):
            # Alternate which goes first, so neither always meets a just-ended process.
            runs = [(baseline, ["stay"], base, mem_base), (program, [], ours, mem_ours)]
            for exe, args, times, mems in runs if i % 2 == 0 else reversed(runs):
                t, m = start_and_time(desktop, tray, exe, args)
                times.append(t)
                mems.append(m)
    finally:
        if tray:
            tray.close()
        desktop.close()
    mo, mb = statistics.median(ours), statistics.median(base)
    po, pb = statistics.median(mem_ours), statistics.median(mem_base)
    print(f"start to icon, each of {ROUNDS} runs (ms): GlumaNote {[round(t * 1000) for t in ours]}, "
          f"minimal program {[round(t * 1000) for t in base]}")
    print(f"private memory after start, each run (KB): GlumaNote {mem_ours}, minimal program {mem_base}")
    figure("startup_time_ratio", f"{mo / mb:.2f}", "x", "<=1.1",
           f"start to icon (median of {ROUNDS}, build/{ARCH}): GlumaNote {mo * 1000:.0f} ms, "
           f"minimal program {mb * 1000:.0f} ms, ratio {mo / mb:.2f} (goal <= 1.1)")
    figure("private_memory_above_minimal", f"{po - pb:.0f}", "KB", "<=1024",
           f"private memory after start (build/{ARCH}): GlumaNote {po:.0f} KB, minimal program {pb:.0f} KB, "
           f"difference {po - pb:.0f} KB (goal <= 1024 KB)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
