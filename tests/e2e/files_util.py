"""Helpers for the note-file end-to-end tests: notes made through the tray, their menu
opened from the real "菜单" label, the real Wine file dialogs typed into with xdotool."""

import os
import shutil
import tempfile
import time

from harness import wait_for

# Note layout (client pixels): the text box, the menu label, the close mark.
TEXT_BOX = (16, 40, 249, 153)
MENU_LABEL = (16, 16, 33, 17)
CLOSE_MARK = (256, 16, 9, 9)
# Items of the note menu, counted from 1.
OPEN_ITEM, SAVE_ITEM = 1, 2
MESSAGE_TEXT_ID = 0xFFFF  # the static text of a message box


class Folder:
    """A scratch folder on the Linux side, seen by Wine as Z:\\..."""

    def __init__(self):
        self.path = tempfile.mkdtemp(prefix="gluma-e2e-files-")

    def file(self, name):
        return os.path.join(self.path, name)

    @staticmethod
    def windows(path):
        return "Z:" + path.replace("/", "\\")

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


def new_note(app):
    before = {w["hwnd"] for w in app.notes()}
    app.double_click_tray()
    return wait_for(lambda: next((w for w in app.notes() if w["visible"] and w["hwnd"] not in before), None),
                    timeout=10, what="a new note")


def at(note, rect, dx=None, dy=None):
    """A screen point inside a control rectangle of the note (its centre by default)."""
    x, y = note["client_origin"]
    left, top, width, height = rect
    return x + left + (width // 2 if dx is None else dx), y + top + (height // 2 if dy is None else dy)


def note_text(app, note):
    for child in app.d.inspect("children", note["hwnd"]):
        if child["class"].lower() == "edit":
            return child["text"]
    return None


def type_into(app, note, text_lines):
    d = app.d
    d.click_at(*at(note, TEXT_BOX))
    time.sleep(0.2)
    for i, line in enumerate(text_lines):
        if i:
            d.key("Return")
        d.type_text(line)
    time.sleep(0.3)


def dialogs(app):
    return [w for w in app.visible_windows() if w["class"] == "#32770"]


def choose_menu_item(app, note, position):
    d = app.d
    d.click_at(*at(note, MENU_LABEL))
    wait_for(d.popup_menus, timeout=5, what="the note menu")
    time.sleep(0.2)
    d.key(*(["Down"] * position), "Return")


def file_dialog(app):
    return wait_for(lambda: next(iter(dialogs(app)), None), timeout=15, what="the file dialog")


def type_file_name(app, path):
    """Replaces the name in the dialog's file name box (it has the keyboard) and presses Enter."""
    d = app.d
    time.sleep(0.5)
    d.key("End", "shift+Home", "BackSpace")
    d.type_text(path)
    time.sleep(0.2)
    d.key("Return")


def new_dialog(app, known, timeout=10):
    known = {w["hwnd"] for w in known}
    return wait_for(lambda: next((w for w in dialogs(app) if w["hwnd"] not in known), None),
                    timeout=timeout, what="a new dialog")


def message_text(app, box):
    for child in app.d.inspect("children", box["hwnd"]):
        if child["id"] == MESSAGE_TEXT_ID:
            return child["text"]
    return ""


def no_dialogs(app):
    wait_for(lambda: not dialogs(app), timeout=10, what="the dialogs to close")


def read_when(path, predicate, timeout=10):
    def ready():
        if os.path.exists(path):
            with open(path, "rb") as f:
                data = f.read()
            if predicate(data):
                return [data]
        return None
    return wait_for(ready, timeout=timeout, what=f"the content of {path}")[0]
