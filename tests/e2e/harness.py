# End-to-end harness: the real GlumaNote.exe under Wine (the 32-bit release build by default) on a
# virtual X display, driven by real mouse and keyboard events (xdotool), observed through X
# (xdotool, xwininfo, xprop, screenshots), the files it writes and, for what X cannot show (menu
# items, text, minimised and topmost states), tests/tools/wininspect.
import os
import re
import subprocess
import time
from collections import Counter
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("GLUMA_BUILD_DIR", ROOT / "build"))
ARCH = os.environ.get("GLUMA_ARCH", "i686")  # the release build unless told otherwise
WIN_BUILD = BUILD / ARCH
EXE = WIN_BUILD / "GlumaNote.exe"
OUT = BUILD / "e2e"
WINE = "/usr/lib/wine/wine" if ARCH == "i686" else "/usr/lib/wine/wine64"
BACKGROUND = (58, 110, 165)  # the desktop's colour here: the card's outline is black, as X's root


class Skip(Exception):
    # A test that cannot run on this machine says why instead of passing or failing.
    pass


def runs_32_bit_programs():
    try:
        return subprocess.run(["/usr/lib/wine/wine", "--version"], capture_output=True).returncode == 0
    except OSError:  # "Exec format error": the kernel runs no 32-bit code
        return False


def wait_for(predicate, timeout=10.0, interval=0.1, what="condition"):
    # Polls until predicate() is truthy; returns its value or fails.
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        assert time.monotonic() < deadline, f"timed out after {timeout:.0f} s waiting for {what} (last: {value!r})"
        time.sleep(interval)
    return value


def contrast(a, b):
    # WCAG 2's contrast ratio of two sRGB colours: 1 (the same) to 21 (black and white).
    linear = [[v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4 for v in (c / 255 for c in rgb)] for rgb in (a, b)]
    light, dark = sorted((0.2126 * r + 0.7152 * g + 0.0722 * b for r, g, b in linear), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def ink_contrast(pixel, left, top, right, bottom):
    # What is drawn in a screen rectangle against what it is drawn on: the commonest colour is
    # the ground, the ink the colour that stands out most from it.
    ground = (colours := Counter(pixel(x, y) for x in range(left, right) for y in range(top, bottom))).most_common(1)[0][0]
    return max(contrast(ground, c) for c in colours)


class Desktop:
    # One virtual display and one Wine prefix for a whole run.

    def __init__(self):
        OUT.mkdir(parents=True, exist_ok=True)
        self.started = []  # processes of the test under way, ended by run.py after its screenshot
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "1280x800x24"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=":" + self.xvfb.stdout.readline().decode().strip(), WINEDEBUG="-all",
                        WINEPREFIX=str(OUT / "wineprefix"), WINEDLLOVERRIDES="mscoree,mshtml=",
                        LANG="zh_CN.UTF-8", LC_ALL="zh_CN.UTF-8")
        self.run([WINE, "wineboot", "--init"], timeout=240, check=False)
        self.run(["xsetroot", "-solid", "#%02x%02x%02x" % BACKGROUND])

    def close(self):
        self.run(["/usr/lib/wine/wineserver", "-k"], check=False)
        self.xvfb.kill()

    def run(self, args, timeout=30, check=True):
        return subprocess.run(args, env=self.env, capture_output=True, timeout=timeout, check=check)

    def set_colours(self, colours):
        # The system colours (HKCU\Control Panel\Colors, "R G B") that programs started from
        # now on read; None puts back those the prefix had.
        saved = Path(self.env["WINEPREFIX"]) / "colours-saved.reg"
        if not saved.exists():
            self.run([WINE, "reg", "export", r"HKCU\Control Panel\Colors", "Z:" + str(saved).replace("/", "\\"), "/y"])
        wanted = OUT / "colours.reg"
        wanted.write_text("REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n" +
                          "".join(f'"{name}"="{rgb}"\n' for name, rgb in (colours or {}).items()))
        self.run([WINE, "reg", "import", "Z:" + str(wanted if colours else saved).replace("/", "\\")])

    def inspect(self, *args):
        r = self.run([WINE, str(WIN_BUILD / "wininspect.exe"), *map(str, args)], check=False)
        return r.stdout.decode("utf-16-le")

    def xdotool(self, *args, check=True):
        # xdotool reads text in the locale's encoding; Wine's Chinese locale does not exist on Linux.
        return subprocess.run(["xdotool", *map(str, args)], env=dict(self.env, LC_ALL="C.UTF-8"), timeout=60,
                              capture_output=True, check=check).stdout.decode().split()

    def visible(self, pid=None, name=None):
        # X ids of the mapped windows of a Linux process, or with an exact title.
        ids = self.xdotool("search", "--onlyvisible", *(["--pid", pid] if pid else ["--name", "."]), check=False)
        return [w for w in ids if name is None or self.title(w) == name]

    def title(self, xid):
        # xdotool's name search cannot match Chinese; xprop prints the UTF-8 title in octal escapes.
        m = re.search(rb'= "(.*)"', self.run(["xprop", "-id", xid, "_NET_WM_NAME"], check=False).stdout)
        return m and m[1].decode("unicode_escape").encode("latin1").decode("utf-8", "replace")

    def tray_window(self):
        return next(iter(self.xdotool("search", "--name", "Wine System Tray", check=False)), None)

    def grab(self, xid="root", width=1280):
        # A window's pixels: a function of (x, y) giving (r, g, b).
        data = self.run(["import", "-window", xid, "-depth", "8", "rgb:-"], check=False).stdout  # b"" if gone
        return lambda x, y: tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3])

    def tray_slots(self):
        # Which of the tray's square slots (as high as the tray: 20 pixels at 96 dpi) hold an icon
        # (more than one colour); [] with no tray.
        tray = self.tray_window()
        info = self.run(["xwininfo", "-id", tray], check=False).stdout.decode() if tray else ""
        if "IsViewable" not in info:
            return []  # Wine unmaps the tray when it holds no icon
        width, self.slot = (int(re.search(rf"{k}:\s+(\d+)", info)[1]) for k in ("Width", "Height"))
        pixel = self.grab(tray, width)  # Wine's tray is 8 slots wide up to 8 icons
        inner = range(2, self.slot - 2)
        return [len({pixel(s * self.slot + x, y) for x in inner for y in inner}) > 1 for s in range(width // self.slot)]

    def screenshot(self, name):
        time.sleep(0.5)  # what just opened has painted
        self.run(["import", "-window", "root", str(OUT / name)])

    def key(self, *keys):
        for k in keys:  # one at a time: a menu under load can miss the last of a quick sequence
            self.xdotool("key", k)
            time.sleep(0.15)

    def type_text(self, text):
        # xdotool types a character off the keyboard map by binding it to a spare key for the
        # moment; Wine reads the map when it handles the key, so that binding must last: such a
        # character goes alone and slowly.
        for part in filter(None, re.split(r"([^\x00-\x7f])", text)):
            self.xdotool("type", "--delay", 50 if part.isascii() else 600, part)
            time.sleep(0.2)

    def click_at(self, x, y, button=1):
        self.xdotool("mousemove", x, y, "sleep", 0.15, "click", button, "sleep", 0.2)

    def drag(self, start, by):
        # Left press at a screen point, a move by (dx, dy) in five steps, release.
        x, y = start
        steps = [a for i in range(1, 6) for a in ("mousemove", x + by[0] * i // 5, y + by[1] * i // 5, "sleep", 0.08)]
        self.xdotool("mousemove", x, y, "mousedown", 1, "sleep", 0.2, *steps, "mouseup", 1, "sleep", 0.4)
