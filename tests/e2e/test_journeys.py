# Journeys a person takes with GlumaNote, through the real tray icon, mouse and keyboard. The
# screenshots stay in build/e2e/*.png.
import time

from harness import BACKGROUND, OUT, WINE, wait_for
from program import (BARE_CARD, CLOSE, MENU_LABEL, MINIMISE, NOTE_MENU, STAMP, TEXT_BOX, TIME_PICKER, TRAY_MENU,
                     App, at, menu, states)

TYPED = "hello\r\n中文 abc"
YELLOW, BLACK = (255, 255, 0), (0, 0, 0)


def check_card(d, note):
    # Only the card shows: yellow inside a black outline, the desktop right outside it.
    x, y, w, h = note.shape()
    assert (w, h) == (272, 201), (w, h)
    d.screenshot("note-new.png")
    pixel = d.grab()
    assert pixel(*note.at(BARE_CARD)) == YELLOW
    for inside, outside in (((x, y + 99), (x - 1, y + 99)), ((x + w - 1, y + 99), (x + w, y + 99)),
                            ((x + 99, y + h - 1), (x + 99, y + h))):
        assert (pixel(*inside), pixel(*outside)) == (BLACK, BACKGROUND), inside


def file_dialog(app, note, position, path):
    # Chooses a file command of the note menu; types a name into the real Wine dialog.
    note.choose(position)
    wait_for(lambda: app.others(note.xid), 15, what="the file dialog")
    time.sleep(0.5)
    app.d.key("End", "shift+Home", "BackSpace")
    app.d.type_text("Z:" + str(path).replace("/", "\\"))
    app.d.key("Return")
    wait_for(lambda: not app.others(note.xid), 10, what="the dialog to close")


def click_ok(d, box):
    # The about box's OK button, from its client area (352 x 177) at the window's bottom middle.
    info = d.run(["xwininfo", "-id", box]).stdout.decode()
    x, y, w, h = (int(info.split(k)[1].split()[0]) for k in ("upper-left X:", "upper-left Y:", "Width:", "Height:"))
    d.click_at(x + (w - 352) // 2 + 160, y + h - (w - 352) // 2 - 33)


def test_a_day_with_notes(desktop):
    d = desktop
    app = App(d)
    assert app.others() == [] and sum(d.tray_slots()) == 1, "at start only the icon shows"
    assert (items := app.tray_menu()) == [(item, False) for item in TRAY_MENU], items
    d.screenshot("tray-menu.png")
    d.key("Escape")

    first = app.new_note()
    check_card(d, first)
    first.click(TEXT_BOX)
    d.type_text(TYPED.replace("\r", ""))
    wait_for(lambda: first.text() == TYPED, 5, what="the typed text")

    # The card and the stamp drag the note by exactly the drag; the text box does not.
    x, y, _, _ = first.shape()
    d.drag(first.at(BARE_CARD), (200, 120))
    d.drag(first.at(STAMP), (50, 30))
    d.drag(first.at(TEXT_BOX), (60, 40))
    assert first.shape()[:2] == (x + 250, y + 150), (first.shape(), x, y)

    assert (items := first.open_menu()) == [(item, item == NOTE_MENU[6]) for item in NOTE_MENU], items
    px, py = first.at(MENU_LABEL)
    assert at(d, (px + 4, py + 4))[0] == "#32768", "the menu's corner is at the pointer"
    d.screenshot("note-menu.png")
    d.key("Escape")
    # F10 or Alt alone in the text box: the same menu, dropped from the label's lower-left corner
    # (16, 33); Escape closes it and the typing goes on. Shift+F10 is the text box's own menu.
    for key in ("F10", "alt", "shift+F10"):
        d.key(key)
        shown = wait_for(lambda: menu(d), 5, what=f"a menu from {key}")
        assert (shown == items) == (key != "shift+F10"), (key, shown)
        assert key == "shift+F10" or at(d, first.at((20, 37)))[0] == "#32768", "the menu's corner is below the label"
        d.key("Escape")
    d.key("ctrl+End", "exclam")
    wait_for(lambda: first.text() == TYPED + "!", 5, what="typing after the menu")
    d.key("BackSpace")
    first.choose(3)  # 设置定时提醒功能
    assert at(d, first.at(TIME_PICKER))[0] == "SysDateTimePick32"
    d.screenshot("note-pickers.png")

    path = OUT / "journey-note.txt"
    path.unlink(missing_ok=True)
    file_dialog(app, first, 2, path)
    assert wait_for(lambda: path.exists() and path.read_bytes(), 5, what="the file") == (TYPED + "\r\n").encode("gbk")
    first.click(CLOSE)  # closes at once, nothing asked
    wait_for(lambda: app.others() == [], 5, what="the note to close")
    second = app.new_note()
    file_dialog(app, second, 1, path)
    assert second.text() == TYPED, repr(second.text())

    # One note hidden, one minimised: show all brings back the hidden one, the other stays minimised.
    second.click(MINIMISE)
    wait_for(lambda: not second.shown(), 5, what="the note to hide")
    third = app.new_note()
    third.choose(6)  # 当最小化的时候隐藏标签, now off
    third.click(MINIMISE)
    wait_for(lambda: states(d) == [(False, False, False), (True, True, False)], 5, what="one hidden, one minimised")
    app.choose_tray(2)  # 显示所有的格卢玛
    wait_for(lambda: states(d) == [(True, False, False), (True, True, False)], 5, what="show all")
    second.choose(5)  # 始终在最前面
    assert states(d) == [(True, False, True), (True, True, False)], states(d)
    assert [item for item, checked in second.open_menu() if checked] == NOTE_MENU[5:]
    d.key("Escape")

    second.choose(4)  # 使用帮助
    wait_for(lambda: d.visible(name="桌面格卢玛 使用帮助"), 15, what="the help viewer")
    d.screenshot("help.png")
    app.choose_tray(4)  # 关于桌面格卢玛
    box = wait_for(lambda: d.visible(name='关于 "ZQ"桌面格卢玛'), 10, what="the about box")[0]
    d.screenshot("about.png")
    click_ok(d, box)
    wait_for(lambda: not d.visible(name='关于 "ZQ"桌面格卢玛'), 5, what="OK to close the about box")

    app.choose_tray(6)  # 退出, with notes open: nothing asked, the icon gone, the process ended
    wait_for(lambda: app.proc.poll() is not None and not any(d.tray_slots()), 10, what="the end and the icon gone")


def test_two_copies_and_a_reminder_on_the_real_clock(desktop):
    d = desktop
    first = App(d)
    note = first.new_note()
    note.choose(3)  # 设置定时提醒功能
    # A minute's start 20 to 80 s away, on today's date (the date picker holds today).
    while time.localtime(target := (int(time.time()) + 20) // 60 * 60 + 60).tm_yday != time.localtime().tm_yday:
        time.sleep(60)
    note.click(TIME_PICKER)  # its hour field, then its minute field, as a person types
    d.key(*time.strftime("%H", time.localtime(target)), "Right", *time.strftime("%M", time.localtime(target)))
    note.click(MINIMISE)  # hides the note and arms the reminder
    wait_for(lambda: not note.shown(), 5, what="the note to hide")

    # A second copy beside it: its own icon, driving only itself.
    second = App(d)
    assert second.slot != first.slot and sum(d.tray_slots()) == 2
    second.new_note()
    assert first.others() == [] and len(second.others()) == 1

    wait_for(note.shown, target - time.time() + 20, 0.25, what="the reminder")
    print(f"    reminder: the note came back {time.time() - target:.2f} s after its minute began")
    assert time.time() >= target and states(d) == [(True, False, False), (True, False, True)], states(d)

    first.choose_tray(6)  # 退出
    wait_for(lambda: first.proc.poll() is not None, 10, what="the first copy to end")
    assert second.proc.poll() is None and second.others(), "the second copy goes on"
    d.run([WINE, "taskkill", "/im", "GlumaNote.exe"], check=False)  # closed from outside, as at log-off
    wait_for(lambda: second.proc.poll() is not None and not any(d.tray_slots()), 10, what="its end, no icon left")
