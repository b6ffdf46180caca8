"""The note window through the real tray icon, real clicks, drags and keys: what a new note
looks like, typing, dragging, its menu, closing, hiding and minimising, stay on top, the
reminder pickers, and two notes side by side."""

import time

from harness import E2EError, wait_for
from note_util import (BACKGROUND, BARE_CARD, BLACK, CLOSE_MARK, DATE_PICKER, HIDE_WHEN_MINIMISED, MENU_LABEL,
                       MINIMISE_MARK, NOTE_MENU, SET_REMINDER, STAMP, STAY_ON_TOP, TEXT_BOX, TIME_PICKER,
                       WS_EX_TOPMOST, WS_VSCROLL, YELLOW, Screen, child, choose, click, client_rect, current,
                       drag, focus_of, menu_items, new_note, open_note_menu, paint_desktop, pickers, point,
                       text_of, type_text)

SHOW_ALL = 2  # 显示所有的格卢玛, the tray menu's second command


def test_a_double_click_on_the_tray_icon_makes_one_note_showing_only_its_card(app):
    d = app.d
    paint_desktop(d)
    note = new_note(app)
    assert len(app.notes()) == 1 and note["title"] == "Gluma Note", app.notes()
    assert not note["iconic"] and note["owner"] == 0
    assert note["client"] == [284, 210], note
    # Shaped to the card: one 272 x 201 rectangle at picture pixel (5, 5).
    left, top = note["rect"][0], note["rect"][1]
    ox, oy = note["client_origin"][0] - left, note["client_origin"][1] - top
    assert note["region"] == [[ox + 5, oy + 5, ox + 277, oy + 206]], note["region"]

    edit = child(app, note, "Edit")
    assert client_rect(note, edit) == TEXT_BOX, edit
    assert edit["style"] & WS_VSCROLL and edit["visible"] and edit["text"] == ""
    assert str(focus_of(app, note)["focus"]) == str(edit["hwnd"]), "the text box has the keyboard"
    ps = pickers(app, note)
    assert len(ps) == 2 and not any(p["visible"] for p in ps), ps

    time.sleep(0.5)
    d.screenshot("note-new.png")
    screen = Screen(d)
    x0, y0 = note["client_origin"]
    # The card: yellow inside, a black outline, the desktop right outside it.
    assert screen.pixel(*point(note, BARE_CARD)) == YELLOW
    # (Away from the top-left corner, where Wine's tray window lies.)
    for inside, outside in (((5, 100), (4, 100)), ((276, 100), (277, 100)), ((200, 5), (200, 4)),
                            ((200, 205), (200, 206))):
        assert screen.pixel(x0 + inside[0], y0 + inside[1]) == BLACK, inside
        assert screen.pixel(x0 + outside[0], y0 + outside[1]) == BACKGROUND, outside
    # Nothing of the frame shows: the title bar and the borders are the desktop.
    r = note["rect"]
    for x, y in ((r[2] - 20, r[1] + 4), (r[2] - 2, r[1] + 100), (r[0] + 100, r[3] - 2)):
        assert screen.pixel(x, y) == BACKGROUND, (x, y)
    # The text box is white, the labels are drawn on the card.
    assert screen.pixel(*point(note, TEXT_BOX, dx=50, dy=50)) == (255, 255, 255)
    menu_label = [screen.pixel(*point(note, MENU_LABEL, dx=dx, dy=8)) for dx in range(2, 30)]
    assert any(p != YELLOW for p in menu_label), "the menu label's text is drawn"


def test_the_tray_menu_item_makes_one_note_and_leaves_the_others(app):
    first = new_note(app, how="menu")
    drag(app, point(first, BARE_CARD), (300, 200))
    moved = current(app, first)
    second = new_note(app, how="menu")
    assert len(app.notes()) == 2 and second["hwnd"] != first["hwnd"]
    assert current(app, first)["rect"] == moved["rect"], "the first note stays where it was"
    assert current(app, first)["visible"]


def test_typing_goes_into_the_text_box_chinese_too(app):
    d = app.d
    note = new_note(app)
    click(app, note, TEXT_BOX)
    time.sleep(0.2)
    type_text(d, "hello")
    d.key("Return")
    type_text(d, "中文 abc")
    text = wait_for(lambda: text_of(app, note) if "abc" in (text_of(app, note) or "") else None,
                    timeout=5, what="the typed text")
    assert text == "hello\r\n中文 abc", repr(text)


def test_the_card_and_the_stamp_drag_the_note_and_nothing_else_does(app):
    note = new_note(app)
    start = note["rect"]

    def moved_by():
        r = current(app, note)["rect"]
        return r[0] - start[0], r[1] - start[1]

    drag(app, point(note, BARE_CARD), (200, 120))
    assert moved_by() == (200, 120), moved_by()
    note = current(app, note)
    drag(app, point(note, STAMP, dx=20), (50, 30))
    assert moved_by() == (250, 150), moved_by()
    note = current(app, note)

    # Pressing in the text box selects text; on the menu label, or with the right button,
    # nothing moves (and no menu opens from a press that ends elsewhere).
    drag(app, point(note, TEXT_BOX), (60, 40))
    drag(app, point(note, MENU_LABEL), (60, 40))
    drag(app, point(note, BARE_CARD), (60, 40), button=3)
    drag(app, point(note, STAMP, dx=20), (60, 40), button=3)
    assert moved_by() == (250, 150), moved_by()
    assert app.d.popup_menus() == []

    # Nor on a picker.
    choose(app, note, SET_REMINDER)
    drag(app, point(note, DATE_PICKER, dx=10), (60, 40))
    app.d.key("Escape")
    drag(app, point(note, TIME_PICKER, dx=10), (60, 40))
    assert moved_by() == (250, 150), moved_by()


def test_the_menu_label_pops_up_the_note_menu_at_the_pointer(app):
    d = app.d
    note = new_note(app)
    x, y = point(note, MENU_LABEL)
    menu = open_note_menu(app, note)
    assert menu["pid"] == app.pid
    assert abs(menu["rect"][0] - x) <= 2 and abs(menu["rect"][1] - y) <= 2, (menu["rect"], x, y)
    d.screenshot("note-menu.png")
    items = menu_items(app, menu)
    if items:
        got = [None if i["separator"] else i["text"] for i in items]
        assert got == NOTE_MENU, got
        checked = [i["text"] for i in items if i["checked"]]
        assert checked == ["当最小化的时候隐藏标签"], checked
    d.key("Escape")
    wait_for(lambda: not d.popup_menus(), timeout=5, what="the menu to close")

    # A right click on the card or on the label opens nothing.
    click(app, note, BARE_CARD, button=3)
    click(app, note, MENU_LABEL, button=3)
    time.sleep(0.5)
    assert d.popup_menus() == []


def test_the_close_cross_closes_at_once_and_the_program_goes_on(app):
    d = app.d
    keep = new_note(app)
    drag(app, point(keep, BARE_CARD), (400, 300))
    keep = current(app, keep)
    note = new_note(app)
    click(app, note, TEXT_BOX)
    type_text(d, "unsaved")
    click(app, note, CLOSE_MARK)
    wait_for(lambda: current(app, note) is None, timeout=5, what="the note to close")
    assert [w for w in app.visible_windows() if w["class"] == "#32770"] == [], "nothing was asked"
    assert current(app, keep) == keep, "the other note is untouched"

    click(app, keep, CLOSE_MARK)
    wait_for(lambda: not app.notes(), timeout=5, what="the last note to close")
    time.sleep(0.5)
    assert app.running() and d.icon_count() == 1, "the program stays in the tray"
    assert new_note(app)["visible"], "and makes notes again"


def test_the_minimise_stroke_hides_the_note_and_show_all_brings_it_back(app):
    note = new_note(app)
    click(app, note, MINIMISE_MARK)
    wait_for(lambda: not current(app, note)["visible"], timeout=5, what="the note to hide")
    assert not current(app, note)["iconic"]
    app.choose_tray_item(SHOW_ALL)
    wait_for(lambda: current(app, note)["visible"], timeout=5, what="show all")


def test_with_the_mark_off_the_stroke_minimises_and_the_system_restores(app):
    note = new_note(app)
    choose(app, note, HIDE_WHEN_MINIMISED)
    click(app, note, MINIMISE_MARK)
    wait_for(lambda: current(app, note)["iconic"], timeout=5, what="the note to minimise")
    # The taskbar's restore: the system command, the note handles it as any window.
    app.d.inspect("post", note["hwnd"], 0x0112, 0xF120, 0)  # WM_SYSCOMMAND, SC_RESTORE
    wait_for(lambda: not current(app, note)["iconic"] and current(app, note)["visible"], timeout=5,
             what="the system's restore")
    assert current(app, note)["rect"] == note["rect"]


def test_stay_on_top_toggles_the_topmost_state_and_its_mark(app):
    note = new_note(app)
    choose(app, note, STAY_ON_TOP)
    wait_for(lambda: current(app, note)["exstyle"] & WS_EX_TOPMOST, timeout=5, what="topmost")
    menu = open_note_menu(app, note)
    checked = [i["text"] for i in menu_items(app, menu) if i["checked"]]
    assert checked in ([], ["始终在最前面", "当最小化的时候隐藏标签"]), checked
    app.d.key("Escape")
    time.sleep(0.3)
    edit = child(app, note, "Edit")
    assert str(focus_of(app, note)["focus"]) == str(edit["hwnd"]), "the keyboard is back in the text"
    choose(app, note, STAY_ON_TOP)
    wait_for(lambda: not current(app, note)["exstyle"] & WS_EX_TOPMOST, timeout=5, what="not topmost")
    assert current(app, note)["rect"] == note["rect"]


def test_the_reminder_item_shows_and_hides_the_pickers(app):
    d = app.d
    note = new_note(app)
    choose(app, note, SET_REMINDER)
    ps = wait_for(lambda: [p for p in pickers(app, note) if p["visible"]], timeout=5, what="the pickers")
    assert sorted(client_rect(note, p) for p in ps) == [DATE_PICKER, TIME_PICKER], ps
    by_id = {p["id"]: p for p in ps}
    assert by_id[3]["text"] == "00:00", by_id
    assert client_rect(note, child(app, note, "Edit"))[3] == 105
    time.sleep(0.3)
    d.screenshot("note-pickers.png")
    choose(app, note, SET_REMINDER)
    wait_for(lambda: not any(p["visible"] for p in pickers(app, note)), timeout=5, what="the pickers to hide")
    assert client_rect(note, child(app, note, "Edit"))[3] == 129


def test_two_notes_are_independent(app):
    a = new_note(app)
    drag(app, point(a, BARE_CARD), (500, 250))
    a = current(app, a)
    b = new_note(app)
    choose(app, b, STAY_ON_TOP)
    choose(app, b, SET_REMINDER)
    drag(app, point(b, BARE_CARD), (100, 50))
    b = current(app, b)
    click(app, b, MINIMISE_MARK)  # hidden and armed
    wait_for(lambda: not current(app, b)["visible"], timeout=5, what="b to hide")
    assert current(app, b)["exstyle"] & WS_EX_TOPMOST
    now_a = current(app, a)
    assert now_a == a, (now_a, a)
    assert not any(p["visible"] for p in pickers(app, a))
    click(app, a, CLOSE_MARK)
    wait_for(lambda: current(app, a) is None, timeout=5, what="a to close")
    b_now = current(app, b)
    if b_now is None or b_now["visible"]:
        raise E2EError("closing a touched b")
