# GlumaNote as a person meets it: its tray icon, its notes and their menus, in screen points.
import re, subprocess, time

from harness import wait_for

# Points of a note in its client pixels (the card starts at 5, 5).
TEXT_BOX, MENU_LABEL, BARE_CARD = (140, 116), (32, 24), (250, 34)
MINIMISE, CLOSE, TIME_PICKER = (244, 20), (260, 20), (158, 176)


def at(d, point):
    # (class, text) of the window under a screen point.
    return tuple(d.inspect("at", *point).split("\t", 1))


def show_menu(d, x, y):
    # Waits until a popup menu shows with its top-left corner at a screen point (no item read).
    wait_for(lambda: at(d, (x + 4, y + 4))[0] == "#32768", 5, what="the menu")


def states(d):
    # (visible, minimised, topmost) of every note.
    return sorted(tuple(v == "1" for v in line.split("\t")) for line in d.inspect("state", "Gluma Note").splitlines())


class App:
    # One running copy; its icon takes the first tray slot that was free.

    def __init__(self, desktop, exe=None, env=None, dpi=96):
        self.d, self.scale = desktop, dpi / 96
        before = desktop.tray_slots() + [False] * 8
        exe = exe or desktop.exe
        self.proc = subprocess.Popen([desktop.wine, str(exe)], env=env or desktop.env, cwd=str(exe.parent),
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.pid = self.proc.pid  # Wine runs the Windows process in this Linux process
        desktop.started.append(self.proc)
        self.slot = wait_for(lambda: [i for i, on in enumerate(desktop.tray_slots()) if on and not before[i]],
                             30, 0.5, what="the icon")[0]

    def click_icon(self, button=1, repeat=1):
        # With no window manager a note at the default place lies over the tray: raise it, as a
        # taskbar always is.
        tray = self.d.tray_window()
        size = self.d.slot
        self.d.xdotool("windowraise", tray, "mousemove", "--window", tray, self.slot * size + size // 2, size // 2,
                       "sleep", 0.15, "click", "--repeat", repeat, "--delay", 80, button)

    def choose_tray(self, position):
        # The position-th command of the tray menu (from 1, separators skipped).
        self.click_icon(3)
        show_menu(self.d, *(int(v.split(":")[1]) for v in self.d.xdotool("getmouselocation")[:2]))
        self.d.key(*["Down"] * position, "Return")

    def new_note(self):
        before = set(self.d.visible(self.pid))
        self.click_icon(1, repeat=2)
        return Note(self, wait_for(lambda: set(self.d.visible(self.pid)) - before, 10, what="a new note").pop())

    def others(self, *known):
        # Our visible windows but those named.
        return [w for w in self.d.visible(self.pid) if w not in known]


class Note:
    def __init__(self, app, xid):
        self.app, self.d, self.xid = app, app.d, xid

    def shape(self):
        # The card's screen rectangle (x, y, width, height), from the window's X shape.
        info = self.d.run(["xwininfo", "-id", self.xid, "-shape"]).stdout.decode()
        left, top = (int(re.search(rf"Absolute upper-left {a}:\s+(-?\d+)", info)[1]) for a in "XY")
        w, h, dx, dy = map(int, re.search(r"shape extents:\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)", info).groups())
        return left + dx, top + dy, w, h

    def at(self, point):
        # A point of the card as designed at 96 dpi, on the screen at the program's scale.
        x, y, _, _ = self.shape()
        return x + round((point[0] - 5) * self.app.scale), y + round((point[1] - 5) * self.app.scale)

    def click(self, point):
        self.d.click_at(*self.at(point))

    def show_menu(self):
        self.click(MENU_LABEL)
        show_menu(self.d, *self.at(MENU_LABEL))

    def choose(self, position):
        self.show_menu()
        self.d.key(*["Down"] * position, "Return")
        time.sleep(0.3)

    def type(self, text):
        # Types into the text box (a CR LF as a line break) until the box holds the text.
        self.click(TEXT_BOX)
        self.d.type_text(text.replace("\r", ""))
        wait_for(lambda: self.text() == text, 5, what="the typed text")

    def shown(self):
        return self.xid in self.d.visible(self.app.pid)

    def text(self):
        return at(self.d, self.at(TEXT_BOX))[-1]
