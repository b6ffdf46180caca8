"""Helpers for the note window's end-to-end tests: notes made through the real tray, points
on a note's card in screen coordinates, real presses, drags and keys, the note menu, and
pixels read back from the screen."""

import os
import subprocess
import tempfile
import time

from harness import OUT, wait_for

# The note's layout in client pixels: left, top, width, height.
CARD = (5, 5, 272, 201)
TEXT_BOX = (16, 40, 249, 153)
MENU_LABEL = (16, 16, 33, 17)
STAMP = (56, 16, 153, 17)
MINIMISE_MARK = (240, 16, 9, 9)
CLOSE_MARK = (256, 16, 9, 9)
DATE_PICKER = (48, 168, 81, 17)
TIME_PICKER = (152, 168, 81, 17)
BARE_CARD = (226, 30)  # a point of the card that no control or text covers

NOTE_MENU = ["打开文件中保存的格卢玛", "保存格卢玛的内容到文件", "设置定时提醒功能", None,
             "使用帮助", "始终在最前面", "当最小化的时候隐藏标签"]
# Positions in the menu as the keyboard counts them (the separator is skipped).
SET_REMINDER, STAY_ON_TOP, HIDE_WHEN_MINIMISED = 3, 5, 6

WS_VSCROLL = 0x00200000
WS_EX_TOPMOST = 0x00000008
YELLOW, BLACK = (255, 255, 0), (0, 0, 0)
BACKGROUND = (58, 110, 165)  # the desktop colour these tests paint, to tell it from the card


def paint_desktop(d):
    """Gives the desktop a colour of its own (it is black, like the card's outline)."""
    image = os.path.join(tempfile.gettempdir(), "gluma-e2e-desktop.png")
    d.run(["convert", "-size", "16x16", "xc:#%02x%02x%02x" % BACKGROUND, image])
    # ImageMagick tiles the root window with the picture and leaves (its status is not 0).
    d.run(["display", "-window", "root", image], check=False)


def type_text(d, text):
    """Types text with real key events, Chinese included. xdotool reads its argument in the
    locale's encoding, and the Chinese locale Wine is run with does not exist on Linux."""
    env = dict(d.env, LC_ALL="C.UTF-8")
    # A character that has no key on the keyboard map gets a spare key mapped to it for the
    # moment; two such characters back to back can race that remapping and one is lost. So
    # ASCII runs go in one call and every other character alone, with a pause after it.
    runs, ascii_run = [], ""
    for ch in text:
        if ord(ch) < 128:
            ascii_run += ch
            continue
        if ascii_run:
            runs.append(ascii_run)
            ascii_run = ""
        runs.append(ch)
    if ascii_run:
        runs.append(ascii_run)
    for run in runs:
        subprocess.run(["xdotool", "type", "--delay", "40", run], env=env, check=True, capture_output=True,
                       timeout=60)
        if ord(run[0]) >= 128:
            time.sleep(0.15)


def new_note(app, how="double-click"):
    """Makes a note through the tray and returns its window record once it is visible."""
    before = {w["hwnd"] for w in app.notes()}
    if how == "double-click":
        app.double_click_tray()
    else:
        app.choose_tray_item(1)  # 新建桌面格卢玛
    return wait_for(lambda: next((w for w in app.notes() if w["visible"] and w["hwnd"] not in before), None),
                    timeout=10, what="a new note")


def current(app, note):
    """The note's window record as it is now (None once it is closed)."""
    return next((w for w in app.forms() if w["hwnd"] == note["hwnd"]), None)


def point(note, rect_or_point, dx=None, dy=None):
    """A screen point of the note: the centre of a client rectangle (or an offset into it),
    or a client point."""
    x, y = note["client_origin"]
    if len(rect_or_point) == 2:
        return x + rect_or_point[0], y + rect_or_point[1]
    left, top, width, height = rect_or_point
    return x + left + (width // 2 if dx is None else dx), y + top + (height // 2 if dy is None else dy)


def click(app, note, where, button=1, **offset):
    app.d.click_at(*point(note, where, **offset), button=button)


def drag(app, start, by, button=1):
    """Presses at a screen point, moves by (dx, dy) in steps, releases."""
    d = app.d
    d.xdotool("mousemove", *start)
    time.sleep(0.15)
    d.xdotool("mousedown", button)
    time.sleep(0.2)
    steps = 5
    for i in range(1, steps + 1):
        d.xdotool("mousemove", start[0] + by[0] * i // steps, start[1] + by[1] * i // steps)
        time.sleep(0.08)
    time.sleep(0.2)
    d.xdotool("mouseup", button)
    time.sleep(0.4)


def children(app, note):
    return app.d.inspect("children", note["hwnd"])


def child(app, note, cls, control_id=None):
    for c in children(app, note):
        if c["class"].lower() == cls.lower() and (control_id is None or c["id"] == control_id):
            return c
    return None


def text_of(app, note):
    edit = child(app, note, "Edit")
    return edit["text"] if edit else None


def pickers(app, note):
    return [c for c in children(app, note) if c["class"] == "SysDateTimePick32"]


def client_rect(note, c):
    """A child control's rectangle in the note's client pixels: left, top, width, height."""
    x, y = note["client_origin"]
    left, top, right, bottom = c["rect"]
    return left - x, top - y, right - left, bottom - top


def open_note_menu(app, note):
    click(app, note, MENU_LABEL)
    menu = wait_for(app.d.popup_menus, timeout=5, what="the note menu")[0]
    time.sleep(0.2)
    return menu


def choose(app, note, position):
    """Chooses an item of the note menu through the real menu and its keyboard."""
    open_note_menu(app, note)
    app.d.key(*(["Down"] * position), "Return")
    wait_for(lambda: not app.d.popup_menus(), timeout=5, what="the note menu to close")
    time.sleep(0.2)


def menu_items(app, menu):
    """The items of a popup menu, when Wine lets another process read them (it often does
    not: menus are the owning process's objects); [] otherwise."""
    return app.d.inspect("menu", menu["hwnd"])


def focus_of(app, note):
    rows = app.d.inspect("gui", note["hwnd"])
    return rows[0] if rows else {}


class Screen:
    """One capture of the whole virtual screen, to read pixels from."""

    def __init__(self, d):
        info = d.run(["xwininfo", "-root"]).stdout.decode()
        self.width = int(info.split("Width:")[1].split()[0])
        self.data = d.run(["import", "-window", "root", "-depth", "8", "rgb:-"]).stdout

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])
