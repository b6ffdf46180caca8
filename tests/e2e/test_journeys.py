"""Journeys a person takes with GlumaNote, each through the real tray icon, mouse and keyboard."""

import time

from harness import BACKGROUND, OUT, E2EError, wait_for
from program import (BARE_CARD, CLOSE, MENU_LABEL, MINIMISE, NOTE_MENU, STAMP, TEXT_BOX, TIME_PICKER, TRAY_MENU,
                     App, menu_items)

ABOUT, HELP_VIEWER = '关于 "ZQ"桌面格卢玛', "桌面格卢玛 使用帮助"
YELLOW, BLACK = (255, 255, 0), (0, 0, 0)
TYPED = "hello\n中文 abc"


def unchecked(names):
    return [(n, False) for n in names]


def check_card(d, note):
    """Only the card shows: yellow inside a black outline, the desktop right outside it."""
    x, y, w, h = note.shape()
    assert (w, h) == (272, 201), (w, h)
    d.screenshot("note-new.png")
    grabbed = d.grab()
    assert d.pixel(*note.at(BARE_CARD), grabbed) == YELLOW
    for inside, outside in (((x, y + 100), (x - 1, y + 100)), ((x + w - 1, y + 100), (x + w, y + 100)),
                            ((x + 200, y + h - 1), (x + 200, y + h))):
        assert (d.pixel(*inside, grabbed), d.pixel(*outside, grabbed)) == (BLACK, BACKGROUND), inside
    sx, sy = note.at(STAMP)
    stamp = {d.pixel(sx - 20 + i, sy, grabbed) for i in range(120)}
    assert len(stamp) > 2, "the stamp 创建于 ... is drawn"


def file_dialog(app, note, position, path):
    """Chooses a file command of the note menu and types a name into the real Wine dialog."""
    note.choose(position)
    wait_for(lambda: app.others(note.xid), 15, what="the file dialog")
    time.sleep(0.5)
    app.d.key("End", "shift+Home", "BackSpace")
    app.d.type_text("Z:" + str(path).replace("/", "\\"))
    app.d.key("Return")
    wait_for(lambda: not app.others(note.xid), 10, what="the dialog to close")


def state(d):
    return d.inspect("state", "Gluma Note")


def test_a_day_with_notes(desktop):
    d = desktop
    app = App(d)
    assert app.others() == [] and sum(d.tray_slots()) == 1, "at start only the icon shows"
    assert app.tray_menu() == unchecked(TRAY_MENU)
    d.screenshot("tray-menu.png")
    d.key("Escape")

    first = app.new_note()
    check_card(d, first)
    first.click(TEXT_BOX)
    d.type_text(TYPED)
    wait_for(lambda: first.text() == TYPED.replace("\n", "\r\n"), 10, what="the typed text")

    # The card and the stamp drag the note by exactly the drag; the text box does not.
    x, y, _, _ = first.shape()
    d.drag(first.at(BARE_CARD), (200, 120))
    d.drag(first.at(STAMP), (50, 30))
    d.drag(first.at(TEXT_BOX), (60, 40))
    assert first.shape()[:2] == (x + 250, y + 150), (first.shape(), x, y)

    # The note menu at the pointer, a new note's check marks.
    assert first.open_menu() == unchecked(NOTE_MENU[:6]) + [(NOTE_MENU[6], True)]
    px, py = first.at(MENU_LABEL)
    assert d.inspect("at", px + 4, py + 4)[0]["class"] == "#32768", "the menu's corner is at the pointer"
    d.screenshot("note-menu.png")
    d.key("Escape")

    first.choose(3)  # 设置定时提醒功能
    assert d.inspect("at", *first.at(TIME_PICKER))[0]["class"] == "SysDateTimePick32"
    d.screenshot("note-pickers.png")

    path = OUT / "journey-note.txt"
    path.unlink(missing_ok=True)
    file_dialog(app, first, 2, path)
    assert wait_for(path.read_bytes, 5, what="the file") == (TYPED.replace("\n", "\r\n") + "\r\n").encode("gbk")

    first.click(CLOSE)  # closes at once, nothing asked
    wait_for(lambda: app.others() == [], 5, what="the note to close")

    second = app.new_note()
    file_dialog(app, second, 1, path)
    assert second.text() == TYPED.replace("\n", "\r\n"), repr(second.text())

    # One note hidden, another minimised; show all brings back the hidden one, the
    # minimised one stays minimised.
    second.click(MINIMISE)
    wait_for(lambda: not second.shown(), 5, what="the note to hide")
    third = app.new_note()
    third.choose(6)  # 当最小化的时候隐藏标签: off
    third.click(MINIMISE)
    wait_for(lambda: {"visible": True, "iconic": True, "topmost": False} in state(d), 5, what="minimised")
    app.choose_tray(2)  # 显示所有的格卢玛
    wait_for(second.shown, 5, what="show all")
    assert sorted(s["iconic"] for s in state(d)) == [False, True], state(d)

    second.choose(5)  # 始终在最前面
    assert [s["topmost"] for s in state(d) if not s["iconic"]] == [True]
    assert [name for name, checked in second.open_menu() if checked] == NOTE_MENU[5:]
    d.key("Escape")

    second.choose(4)  # 使用帮助
    wait_for(lambda: d.visible(name=HELP_VIEWER), 15, what="the help viewer")
    time.sleep(0.5)
    d.screenshot("help.png")

    app.choose_tray(4)  # 关于桌面格卢玛
    box = wait_for(lambda: d.visible(name=ABOUT), 10, what="the about box")[0]
    time.sleep(0.5)
    d.screenshot("about.png")
    click_ok(d, box)
    wait_for(lambda: not d.visible(name=ABOUT), 5, what="OK to close the about box")

    # Exit with notes open: nothing asked, the icon gone, the process ended.
    app.choose_tray(6)  # 退出
    wait_for(lambda: not app.running(), 10, what="the program to end")
    wait_for(lambda: not any(d.tray_slots()), 5, what="the icon to go")


def click_ok(d, box):
    """Clicks the OK button: the client area (352 x 177) sits in the frame's bottom-middle."""
    info = d.run(["xwininfo", "-id", box]).stdout.decode()
    x, y, w, h = (int(info.split(k)[1].split()[0]) for k in ("upper-left X:", "upper-left Y:", "Width:", "Height:"))
    border = (w - 352) // 2
    d.click_at(x + border + 160, y + h - border - 177 + 144)
