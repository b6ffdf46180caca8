# End-to-end harness: the real GlumaNote.exe under Wine on a virtual X display, driven by real mouse
# and keyboard events (xdotool), observed through X (xdotool, xwininfo, xprop, screenshots), the
# files it writes and, for what X cannot show (the window at a point, text, window states, what a
# screen reader finds), tests/tools/wininspect.
import os, re, shutil, subprocess, time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("GLUMA_BUILD_DIR", ROOT / "build"))
OUT = BUILD / "e2e"
BACKGROUND = (58, 110, 165)  # the desktop's colour here: the card's outline is black, as X's root
WINE = {"i686": "/usr/lib/wine/wine", "x86_64": "/usr/lib/wine/wine64"}
ARCH = os.environ.get("GLUMA_ARCH", "i686")  # the build the tests run on, the release unless told otherwise
# How long a new prefix's first program takes to show its tray icon where Wine runs at full speed;
# the build's first icon of the run, against this, gives its pace.
ICON_SECONDS = 3.0
PACE = 1.0  # how many times slower than that the build runs here: every wait_for limit is scaled by it


class Skip(Exception):  # a test that cannot run on this machine says why instead of passing or failing
    pass


def wait_for(predicate, timeout=10.0, interval=0.1, what="condition"):
    # Polls until predicate() is truthy; returns its value or fails naming what it waited for.
    deadline = time.monotonic() + (limit := timeout * PACE)
    while not (value := predicate()):
        assert time.monotonic() < deadline, f"timed out after {limit:.0f} s waiting for {what} (last: {value!r})"
        time.sleep(interval)
    return value


# Wine's DLL overrides, as scripts/lib.sh gives them for this machine.
OVERRIDES = subprocess.run(["bash", "-c", f'source "{ROOT}/scripts/lib.sh" && wine_overrides'],
                           capture_output=True, text=True, check=True).stdout.strip()


def make_prefix(path):
    # The run's one Wine prefix, copied for each test, made as scripts/lib.sh makes prefixes.
    lib = f'source "{ROOT}/scripts/lib.sh" && rm -rf "$0" && wine_prefix "$0" && /usr/lib/wine/wineserver -k'
    subprocess.run(["bash", "-c", lib, str(path)], timeout=1800)


class Desktop:
    # One test's world: a virtual display of its own, a copy of the run's prefix with its own Wine
    # server, and the build it drives. Nothing of an earlier test is left in it.

    def __init__(self, prefix):
        self.wine, self.exe = WINE[ARCH], BUILD / ARCH / "GlumaNote.exe"
        self.started = []  # processes of the test, ended by close()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "1280x800x24"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.prefix = OUT / "wineprefix"
        shutil.rmtree(self.prefix, ignore_errors=True)
        shutil.copytree(prefix, self.prefix, symlinks=True)
        self.env = dict(os.environ, DISPLAY=":" + self.xvfb.stdout.readline().decode().strip(), WINEDEBUG="-all",
                        WINEPREFIX=str(self.prefix), WINEDLLOVERRIDES=OVERRIDES,
                        LANG="zh_CN.UTF-8", LC_ALL="zh_CN.UTF-8")
        self.run(["xsetroot", "-solid", "#%02x%02x%02x" % BACKGROUND])
        self.run(["xset", "r", "off"])  # a key held while a slow program catches up is not repeated

    def close(self):
        for proc in self.started:
            proc.kill()
        self.run(["/usr/lib/wine/wineserver", "-k"], check=False)
        self.xvfb.kill()
        shutil.rmtree(self.prefix, ignore_errors=True)

    def run(self, args, timeout=60, check=True):
        return subprocess.run(args, env=self.env, capture_output=True, timeout=timeout * PACE, check=check)

    def reg(self, *args, check=True):
        # The registry through 64-bit reg.exe: the same HKCU as the 32-bit view, without a 32-bit start.
        return self.run([WINE["x86_64"], "reg", *args], check=check).stdout.decode("gbk")

    def inspect(self, *args):
        # wininspect of the 64-bit build: it reads windows and readers' objects of either build.
        r = self.run([WINE["x86_64"], str(BUILD / "x86_64" / "wininspect.exe"), *map(str, args)], check=False)
        return r.stdout.decode("utf-16-le")

    def xdotool(self, *args, check=True):
        # xdotool reads text in the locale's encoding; Wine's Chinese locale does not exist on Linux.
        return subprocess.run(["xdotool", *map(str, args)], env=dict(self.env, LC_ALL="C.UTF-8"), timeout=60 * PACE,
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
        self.run(["import", "-window", "root", str(OUT / name)], check=False)

    def key(self, *keys):
        for k in keys:  # one at a time: a menu under load can miss the last of a quick sequence
            self.xdotool("key", k)
            time.sleep(0.15)

    def type_text(self, text):
        # xdotool types a character off the keyboard map by binding it to a spare key for the
        # moment; Wine reads the map when it handles the key, so that binding must last: such a
        # character goes alone and slowly, the more so the slower Windows code runs here.
        for part in filter(None, re.split(r"([^\x00-\x7f])", text)):
            self.xdotool("type", "--delay", 50 if part.isascii() else round(600 * PACE), part)
            time.sleep(0.2)

    def click_at(self, x, y, button=1):
        self.xdotool("mousemove", x, y, "sleep", 0.15, "click", button, "sleep", 0.2)

    def drag(self, start, by):
        # Left press at a screen point, a move by (dx, dy) in five steps, release.
        x, y = start
        steps = [a for i in range(1, 6) for a in ("mousemove", x + by[0] * i // 5, y + by[1] * i // 5, "sleep", 0.08)]
        self.xdotool("mousemove", x, y, "mousedown", 1, "sleep", 0.2, *steps, "mouseup", 1, "sleep", 0.4)
