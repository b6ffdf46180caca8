"""End-to-end harness: the real GlumaNote.exe under Wine (the 32-bit release build by default) on
a virtual X display, driven through its real tray icon with real mouse and keyboard (xdotool),
observed through X (xdotool, xwininfo, screenshots), the files it writes and, for what X cannot
show (menu items, text, minimised and topmost states), tests/tools/wininspect."""

import json
import os
import re
import subprocess
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("GLUMA_BUILD_DIR", ROOT / "build"))
ARCH = os.environ.get("GLUMA_ARCH", "i686")  # the release build unless told otherwise
WIN_BUILD = BUILD / ARCH
EXE = WIN_BUILD / "GlumaNote.exe"
OUT = BUILD / "e2e"
WINE = "/usr/lib/wine/wine" if ARCH == "i686" else "/usr/lib/wine/wine64"
SLOT = 20  # Wine's tray draws icons left to right in 20x20 slots
BACKGROUND = (58, 110, 165)  # the desktop colour painted here (the card's outline is black)


class E2EError(AssertionError):
    pass


def wait_for(predicate, timeout=10.0, interval=0.1, what="condition"):
    """Polls until predicate() is truthy; returns its value or raises E2EError."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EError(f"timed out after {timeout:.0f} s waiting for {what} (last: {value!r})")
        time.sleep(interval)


class Desktop:
    """One virtual display and one Wine prefix for a whole run."""

    def __init__(self):
        OUT.mkdir(parents=True, exist_ok=True)
        self.started = []  # processes a test started, ended by run.py after a failure's screenshot
        self.xvfb, display = self._start_xvfb()
        self.env = dict(os.environ, DISPLAY=display, WINEPREFIX=str(OUT / "wineprefix"), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", LANG="zh_CN.UTF-8", LC_ALL="zh_CN.UTF-8")
        self.run([WINE, "wineboot", "--init"], timeout=240, check=False)
        image = OUT / "background.png"
        self.run(["convert", "-size", "8x8", "xc:#%02x%02x%02x" % BACKGROUND, str(image)])
        self.run(["display", "-window", "root", str(image)], check=False)  # tiles the root, then leaves

    @staticmethod
    def _start_xvfb():
        for n in range(150, 200):
            if os.path.exists(f"/tmp/.X{n}-lock"):
                continue
            xvfb = subprocess.Popen(["Xvfb", f":{n}", "-noreset", "-screen", "0", "1280x800x24"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            env = dict(os.environ, DISPLAY=f":{n}")
            for _ in range(50):
                if subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0:
                    return xvfb, f":{n}"
                time.sleep(0.1)
            xvfb.kill()
        raise E2EError("could not start Xvfb")

    def close(self):
        self.run(["/usr/lib/wine/wineserver", "-k"], check=False)
        self.xvfb.terminate()
        self.xvfb.wait(5)

    def run(self, args, timeout=30, check=True):
        return subprocess.run(args, env=self.env, capture_output=True, timeout=timeout, check=check)

    def inspect(self, *args):
        """wininspect's JSON lines as dicts."""
        r = self.run([WINE, str(WIN_BUILD / "wininspect.exe"), *map(str, args)], check=False)
        return [json.loads(line) for line in r.stdout.decode().splitlines() if line.startswith("{")]

    def xdotool(self, *args, check=True):
        # xdotool reads text in the locale's encoding; Wine's Chinese locale does not exist on Linux.
        env = dict(self.env, LC_ALL="C.UTF-8")
        return subprocess.run(["xdotool", *map(str, args)], env=env, capture_output=True, timeout=60,
                              check=check).stdout.decode().split()

    def visible(self, pid=None, name=None):
        """X ids of the mapped windows of a Linux process and/or with an exact title."""
        ids = self.xdotool("search", "--onlyvisible", *(["--pid", pid] if pid else ["--name", "."]), check=False)
        return [w for w in ids if name is None or self.title(w) == name]

    def title(self, xid):
        # xdotool's name search cannot match Chinese; xprop prints the UTF-8 title in octal escapes.
        out = self.run(["xprop", "-id", xid, "_NET_WM_NAME"], check=False).stdout
        m = re.search(rb'= "(.*)"', out)
        return m[1].decode("unicode_escape").encode("latin1").decode("utf-8", "replace") if m else None

    def tray_window(self):
        ids = self.run(["xdotool", "search", "--name", "Wine System Tray"], check=False).stdout.decode().split()
        return ids[0] if ids else None

    def grab(self, window="root"):
        """(width, rgb bytes) of a window's pixels."""
        info = self.run(["xwininfo", "-id" if window != "root" else "-root", *([window] if window != "root" else [])])
        width = int(info.stdout.decode().split("Width:")[1].split()[0])
        return width, self.run(["import", "-window", window, "-depth", "8", "rgb:-"]).stdout

    def pixel(self, x, y, grabbed):
        width, data = grabbed
        return tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3])

    def tray_slots(self):
        """Which tray slots hold an icon (a slot of more than one colour); [] with no tray shown."""
        tray = self.tray_window()
        if not tray or "IsViewable" not in self.run(["xwininfo", "-id", tray], check=False).stdout.decode():
            return []  # Wine unmaps the tray when it holds no icon
        width, data = grabbed = self.grab(tray)
        return [len({self.pixel(s * SLOT + x, y, grabbed) for x in range(2, 18) for y in range(2, 18)}) > 1
                for s in range(width // SLOT)]

    def screenshot(self, name):
        self.run(["import", "-window", "root", str(OUT / name)])

    def key(self, *keys):
        for k in keys:
            self.xdotool("key", k)
            time.sleep(0.15)

    def type_text(self, text):
        """Real key events. xdotool types a character off the keyboard map by remapping a spare
        key for it; a key right before or after can race that remapping: each goes alone."""
        for part in [p for p in re.split(r"([^\x00-\x7f])", text) if p]:
            time.sleep(0.3)
            self.xdotool("type", "--delay", 50, part)
        time.sleep(0.3)

    def click_at(self, x, y, button=1, repeat=1):
        self.xdotool("mousemove", x, y)
        time.sleep(0.15)
        self.xdotool("click", "--repeat", repeat, "--delay", 80, button)
        time.sleep(0.2)

    def drag(self, start, by):
        """Left press at a screen point, a move by (dx, dy) in five steps, release."""
        self.xdotool("mousemove", *start)
        self.xdotool("mousedown", 1)
        time.sleep(0.2)
        for i in range(1, 6):
            self.xdotool("mousemove", start[0] + by[0] * i // 5, start[1] + by[1] * i // 5)
            time.sleep(0.08)
        self.xdotool("mouseup", 1)
        time.sleep(0.4)
