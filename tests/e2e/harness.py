"""End-to-end harness: the real GlumaNote.exe under Wine (the 32-bit release build by default) on a virtual X display,
driven through the real tray icon with real mouse and keyboard input (xdotool), observed
through window listings (wininspect.exe), screenshots and the files it writes."""

import json
import os
import shutil
import signal
import subprocess
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("GLUMA_BUILD_DIR", ROOT / "build"))  # another build tree, if given
ARCH = os.environ.get("GLUMA_ARCH", "i686")  # the release build unless told otherwise
WIN_BUILD = BUILD / ARCH
EXE = WIN_BUILD / "GlumaNote.exe"
INSPECT = WIN_BUILD / "wininspect.exe"
OUT = BUILD / "e2e"
WINE = "/usr/lib/wine/wine" if ARCH == "i686" else "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
FORM_CLASS = "GlumaNoteForm"
MAIN_CAPTION = '"ZQ"桌面格卢玛'
SLOT = 20  # the Wine tray draws icons left to right in 20x20 slots


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
            raise E2EError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


class Desktop:
    """One virtual display and one Wine prefix for a whole test run."""

    def __init__(self):
        OUT.mkdir(parents=True, exist_ok=True)
        self.prefix = OUT / "wineprefix"
        self.xvfb = None
        self.display = self._start_xvfb()
        self.env = dict(os.environ)
        self.env.update(DISPLAY=self.display, WINEPREFIX=str(self.prefix), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", LANG="zh_CN.UTF-8", LC_ALL="zh_CN.UTF-8")
        self._init_prefix()

    def _start_xvfb(self):
        for n in range(150, 200):
            if os.path.exists(f"/tmp/.X{n}-lock"):
                continue
            self.xvfb = subprocess.Popen(["Xvfb", f":{n}", "-noreset", "-screen", "0", "1280x800x24"],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            display = f":{n}"
            env = dict(os.environ, DISPLAY=display)
            for _ in range(50):
                if subprocess.run(["xdpyinfo"], env=env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL).returncode == 0:
                    return display
                if self.xvfb.poll() is not None:
                    break
                time.sleep(0.1)
            self.xvfb.kill()
        raise E2EError("could not start Xvfb")

    def _init_prefix(self):
        if not (self.prefix / "system.reg").exists():
            self.prefix.mkdir(parents=True, exist_ok=True)
            subprocess.run([WINE, "wineboot", "--init"], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=180)
        # Start the prefix's services (explorer, which hosts the tray once an icon exists).
        self.inspect("list")

    def close(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()

    # --- Looking -------------------------------------------------------------------------
    def run(self, args, timeout=30, check=True):
        return subprocess.run(args, env=self.env, capture_output=True, timeout=timeout, check=check)

    def inspect(self, *args, attempts=4):
        """Runs wininspect.exe; returns its JSON lines as dicts. A Wine process started
        while another is still starting can stall; such a run is ended and tried again."""
        for attempt in range(attempts):
            try:
                r = self.run([WINE, str(INSPECT), *map(str, args)], check=False, timeout=10)
                break
            except subprocess.TimeoutExpired:
                if attempt == attempts - 1:
                    raise
        rows = []
        for line in r.stdout.decode("ascii", "replace").splitlines():
            line = line.strip()
            if line.startswith("{"):
                rows.append(json.loads(line))
        return rows

    def windows(self):
        return self.inspect("list")

    def xdotool(self, *args):
        return self.run(["xdotool", *map(str, args)]).stdout.decode().strip()

    def tray_window(self):
        r = self.run(["xdotool", "search", "--name", "Wine System Tray"], check=False)
        ids = r.stdout.decode().split()
        return ids[0] if ids else None

    def screenshot(self, name, window=None):
        path = OUT / name
        target = window or "root"
        self.run(["import", "-window", str(target), str(path)])
        return path

    def tray_slots(self):
        """Which tray slots hold an icon: a slot whose pixels are not all one colour."""
        tray = self.tray_window()
        if not tray:
            return []
        info = self.run(["xwininfo", "-id", tray], check=False).stdout.decode()
        if "IsViewable" not in info:
            return []  # Wine unmaps the tray when it holds no icon
        width = int(info.split("Width:")[1].split()[0])
        r = self.run(["import", "-window", tray, "-depth", "8", "rgb:-"], check=False)
        if r.returncode != 0:
            return []
        data = r.stdout
        height = len(data) // (3 * width)
        slots = []
        for s in range(width // SLOT):
            colours = set()
            for y in range(2, min(SLOT, height) - 2):
                row = (y * width + s * SLOT) * 3
                colours.update(data[row + 3 * x: row + 3 * x + 3] for x in range(2, SLOT - 2))
            slots.append(len(colours) > 1)
        return slots

    def icon_count(self):
        return sum(self.tray_slots())

    # --- Acting ----------------------------------------------------------------------------
    def click_tray_slot(self, slot, button=1, repeat=1):
        tray = self.tray_window()
        # With no window manager a window placed at the default position (the help viewer,
        # a note) can lie over the tray: bring the tray up, as a taskbar would always be.
        self.xdotool("windowraise", tray)
        x, y = slot * SLOT + 10, 10
        self.xdotool("mousemove", "--window", tray, x, y)
        time.sleep(0.15)
        if repeat > 1:
            self.xdotool("click", "--repeat", repeat, "--delay", 80, button)
        else:
            self.xdotool("click", button)

    def key(self, *keys, delay=0.15):
        for k in keys:
            self.xdotool("key", k)
            time.sleep(delay)

    def type_text(self, text):
        self.xdotool("type", "--delay", 40, text)

    def click_at(self, x, y, button=1):
        self.xdotool("mousemove", x, y)
        time.sleep(0.1)
        self.xdotool("click", button)

    def popup_menus(self):
        return [w for w in self.windows() if w["class"] == "#32768" and w["visible"]]


class App:
    """One running copy of GlumaNote."""

    def __init__(self, desktop, exe=EXE):
        self.d = desktop
        known = {w["pid"] for w in desktop.windows() if w["exe"].lower() == "glumanote.exe"}
        icons_before = desktop.tray_slots()
        self.proc = subprocess.Popen([WINE, str(exe)], env=desktop.env, cwd=str(Path(exe).parent),
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Our icon takes the first free slot after the icons that were there before.
        self.tray_slot = wait_for(lambda: self._new_slot(icons_before), timeout=30, what="the tray icon")[0]
        self.main = wait_for(lambda: self._find_main(known), timeout=30, what="the main window")
        self.pid = self.main["pid"]

    def _find_main(self, known):
        for w in self.d.windows():
            if w["exe"].lower() == "glumanote.exe" and w["pid"] not in known and w["title"] == MAIN_CAPTION:
                return w
        return None

    def _new_slot(self, before):
        now = self.d.tray_slots()
        for i, used in enumerate(now):
            if used and (i >= len(before) or not before[i]):
                return [i]
        return None

    def running(self):
        return self.proc.poll() is None

    def windows(self):
        return [w for w in self.d.windows() if w["pid"] == self.pid]

    def forms(self):
        return [w for w in self.windows() if w["class"] == FORM_CLASS]

    def visible_windows(self):
        return [w for w in self.windows() if w["visible"]]

    def notes(self):
        return [w for w in self.forms() if w["title"] == "Gluma Note"]

    # --- Through the tray, as a person does ---------------------------------------------------
    def double_click_tray(self):
        self.d.click_tray_slot(self.tray_slot, 1, repeat=2)

    def right_click_tray(self):
        self.d.click_tray_slot(self.tray_slot, 3)

    def open_tray_menu(self):
        # Another program's window that has just come up (the help viewer) can take the
        # first click; like a person, click once more if no menu shows.
        for attempt in range(2):
            self.right_click_tray()
            try:
                return wait_for(self.d.popup_menus, timeout=5, what="the tray menu")
            except E2EError:
                if attempt == 1:
                    raise
                self.d.key("Escape")

    def choose_tray_item(self, position):
        """Chooses the position-th command of the tray menu (1-based, separators skipped)."""
        self.open_tray_menu()
        time.sleep(0.2)
        self.d.key(*(["Down"] * position), "Return")

    def exit(self):
        self.open_tray_menu()
        time.sleep(0.2)
        self.d.key("Up", "Return")  # the last item: 退出

    def kill(self):
        if self.running():
            self.d.inspect("kill", self.pid)
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.send_signal(signal.SIGKILL)
                self.proc.wait(5)
