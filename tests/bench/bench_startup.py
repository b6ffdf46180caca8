"""Start-up benchmark (prints figures; not a test): time from process start to the tray
icon's appearance and private memory after start, for GlumaNote and for a minimal Win32
program that only adds one icon, measured side by side in one run; and the size of the
32-bit program."""

import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))

from harness import BUILD, WIN_BUILD, WINE, Desktop, wait_for

ROUNDS = 5


def private_bytes(linux_pid):
    """Private memory of the process (Wine runs each Windows process as one Linux process)."""
    total = 0
    with open(f"/proc/{linux_pid}/smaps_rollup") as f:
        for line in f:
            if line.startswith(("Private_Clean:", "Private_Dirty:")):
                total += int(line.split()[1]) * 1024
    return total


def start_and_time(desktop, args):
    before = desktop.tray_slots()
    start = time.monotonic()
    proc = subprocess.Popen([WINE, *args], env=desktop.env, cwd=str(WIN_BUILD), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def new_icon():
        now = desktop.tray_slots()
        return any(u and (i >= len(before) or not before[i]) for i, u in enumerate(now))

    wait_for(new_icon, timeout=30, interval=0.01, what="the icon")
    elapsed = time.monotonic() - start
    time.sleep(1.0)  # settle before reading memory
    memory = private_bytes(proc.pid)
    proc.kill()  # Wine runs the Windows process in this Linux process
    proc.wait(10)
    time.sleep(2.5)  # Wine's tray takes its time to drop the icon of a killed program
    return elapsed, memory


def main():
    desktop = Desktop()
    try:
        start_and_time(desktop, [str(WIN_BUILD / "mintray.exe"), "stay"])  # warm the prefix
        ours, base, mem_ours, mem_base = [], [], [], []
        for _ in range(ROUNDS):
            t, m = start_and_time(desktop, [str(WIN_BUILD / "mintray.exe"), "stay"])
            base.append(t)
            mem_base.append(m)
            t, m = start_and_time(desktop, [str(WIN_BUILD / "GlumaNote.exe")])
            ours.append(t)
            mem_ours.append(m)
    finally:
        desktop.close()
    mo, mb = statistics.median(ours), statistics.median(base)
    po = statistics.median(mem_ours)
    pb = statistics.median(mem_base)
    size = (BUILD / "i686" / "GlumaNote.exe").stat().st_size
    print(f"start to icon (median of {ROUNDS}, under Wine): GlumaNote {mo * 1000:.0f} ms, minimal program "
          f"{mb * 1000:.0f} ms, ratio {mo / mb:.2f} (goal <= 1.2)")
    print(f"private memory after start: GlumaNote {po / 1024:.0f} KB, minimal program {pb / 1024:.0f} KB, "
          f"difference {(po - pb) / 1024:.0f} KB (goal <= 2048 KB)")
    print(f"size of the 32-bit GlumaNote.exe: {size / 1024:.0f} KB ({size} bytes; goal < 300 KB)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
