# Journeys a person takes with GlumaNote, through the real tray icon, mouse and keyboard. The
# screenshots stay in build/e2e/*.png.
import harness, time
from collections import Counter
from harness import BACKGROUND, OUT, wait_for
from program import BARE_CARD, CLOSE, MINIMISE, TIME_PICKER, App, at, states

TYPED = "hello\tworld\r\n中文 abc"  # the text box keeps a typed tab: the saved bytes hold it
YELLOW, BLACK = (255, 255, 0), (0, 0, 0)


def file_dialog(app, note, position, path):
    # Chooses a file command of the note menu; types a name into the real Wine dialog once it has settled.
    note.choose(position)
    wait_for(lambda: app.others(note.xid), 15, what="the file dialog")
    time.sleep(0.5 * harness.PACE)
    app.d.key("End", "shift+Home", "BackSpace")
    app.d.type_text("Z:" + str(path).replace("/", "\\"))
    app.d.key("Return")
    wait_for(lambda: not app.others(note.xid), 10, what="the dialog to close")


def typed_and_saved(app, note, text, name, encoding):
    # Types text into the note and saves it through the dialog: the file holds it in the encoding.
    note.type(text)
    (path := OUT / name).unlink(missing_ok=True)
    file_dialog(app, note, 2, path)
    assert wait_for(lambda: path.exists() and path.read_bytes(), 5, what="the file") == (text + "\r\n").encode(encoding)
    return path


def about_box(app):
    # Opens the about box from the tray; its X window.
    app.choose_tray(4)  # 关于桌面格卢玛
    return wait_for(lambda: app.d.visible(name='关于 "ZQ"桌面格卢玛'), 10, what="the about box")[0]


def about_client(d, box):
    # The about box's client area (352 x 177) on the screen, at the window's bottom middle: its top-left corner.
    info = d.run(["xwininfo", "-id", box]).stdout.decode()
    x, y, w, h = (int(info.split(k)[1].split()[0]) for k in ("upper-left X:", "upper-left Y:", "Width:", "Height:"))
    return x + (w - 352) // 2, y + h - (w - 352) // 2 - 177


def test_a_day_with_notes(d):
    # A note's text in the release program: typed, saved in the code page's bytes, closed and
    # opened into a new note, which goes on with the day.
    app = App(d)
    assert app.others() == [] and sum(d.tray_slots()) == 1, "at start only the icon shows"
    note = app.new_note()
    path = typed_and_saved(app, note, TYPED, "journey-note.txt", "gbk")
    note.click(CLOSE)  # closes at once, nothing asked
    wait_for(lambda: app.others() == [], 5, what="the note to close")
    first = app.new_note()
    file_dialog(app, first, 1, path)
    assert first.text() == TYPED, repr(first.text())

    # F10 or Alt alone in the text box: the note menu, dropped from the label's lower-left corner
    # (16, 33); Escape closes it and the typing goes on. Shift+F10 is the text box's own menu.
    for key in ("F10", "alt", "shift+F10"):
        d.key(key)
        wait_for(lambda: app.others(first.xid), 5, what=f"a menu from {key}")
        assert [at(d, first.at(p))[0] == "#32768" for p in ((14, 31), (20, 37))] == [False, key != "shift+F10"], key
        d.key("Escape")
    d.key("ctrl+End", "exclam")
    wait_for(lambda: first.text() == TYPED + "!", 5, what="typing after the menu")

    # One note hidden, one minimised: show all brings back the hidden one, the other stays minimised.
    first.click(MINIMISE)
    wait_for(lambda: not first.shown(), 5, what="the note to hide")
    second = app.new_note()
    # Beside the first: with no window manager Wine keeps a minimised window mapped where it was,
    # unpainted, and may stack it over the first note once show all has run.
    d.drag(second.at(BARE_CARD), (320, 0))
    second.choose(6)  # 当最小化的时候隐藏标签, now off
    second.click(MINIMISE)
    wait_for(lambda: states(d) == [(False, False, False), (True, True, False)], 5, what="one hidden, one minimised")
    app.choose_tray(2)  # 显示所有的格卢玛
    wait_for(lambda: states(d) == [(True, False, False), (True, True, False)], 5, what="show all")
    assert set(app.others()) <= {first.xid, second.xid}, "the hidden main window stays hidden"

    first.choose(4)  # 使用帮助
    wait_for(lambda: d.visible(name="桌面格卢玛 使用帮助"), 15, what="the help viewer")
    d.screenshot("help.png")
    app.choose_tray(6)  # 退出, with notes open
    wait_for(lambda: app.proc.poll() is not None and not any(d.tray_slots()), 10, what="the end and the icon gone")


def test_two_copies_one_where_the_ansi_code_page_is_utf8_and_a_reminder_on_the_real_clock(d):
    # The second copy runs under Windows' "Beta: Use Unicode UTF-8" option, as Wine gives it under
    # this locale (code page 65001). Wine accepts the conversion flags that Windows refuses under
    # 65001, so this guards start-up (the tray icon) and saving there, not the choice of flags.
    first = App(d)
    second = App(d, env=dict(d.env, LANG="hi_IN.UTF-8", LC_ALL="hi_IN.UTF-8"))
    assert second.slot != first.slot and sum(d.tray_slots()) == 2
    typed_and_saved(second, second.new_note(), "abc 中文", "utf8-code-page.txt", "utf-8")
    note = first.new_note()
    note.choose(3)  # 设置定时提醒功能
    # A minute's start 20 to 80 s away, on today's date (the date picker holds today).
    while time.localtime(target := (int(time.time()) + 20) // 60 * 60 + 60).tm_yday != time.localtime().tm_yday:
        time.sleep(60)
    note.click(TIME_PICKER)  # its hour field, then its minute field, as a person types
    d.key(*time.strftime("%H", time.localtime(target)), "Right", *time.strftime("%M", time.localtime(target)))
    note.click(MINIMISE)  # hides the note and arms the reminder
    wait_for(lambda: not note.shown(), 5, what="the note to hide")
    assert first.others() == [] and len(second.others()) == 1, "each copy drives only itself"

    wait_for(note.shown, target - time.time() + 20, 0.25, what="the reminder")
    print(f"    reminder: the note came back {time.time() - target:.2f} s after its minute began")
    assert time.time() >= target and states(d) == [(True, False, False), (True, False, True)], states(d)

    first.choose_tray(6)  # 退出
    wait_for(lambda: first.proc.poll() is not None, 10, what="the first copy to end")
    assert second.proc.poll() is None and second.others(), "the second copy goes on"
    d.run([harness.WINE["x86_64"], "taskkill", "/im", "GlumaNote.exe"], check=False)  # closed from outside, as at log-off
    wait_for(lambda: second.proc.poll() is not None and not any(d.tray_slots()), 10, what="its end, no icon left")


def label_fits(pixel, note, box):
    # The label's text (left, top, width, height at 96 dpi) shows, and keeps off its right and bottom edges.
    left, top = note.at(box[:2])
    right, bottom = note.at((box[0] + box[2], box[1] + box[3]))
    ink = {(x, y) for x in range(left, right) for y in range(top, bottom) if pixel(x, y) != YELLOW}
    return ink and max(x for x, _ in ink) < right - 2 and max(y for _, y in ink) < bottom - 1


# The card's black outline at each display scale, as thick as the design's one pixel scaled.
OUTLINE = {96: 1, 120: 1, 144: 2, 192: 2}


def the_note_at(d, dpi):
    # At a display scale (Wine takes it when its server starts; at 120 dpi with a long custom date
    # format): the card as large as its design, a pure black ring as thick as the scaled design
    # between the desktop and the yellow card, each part where the 100 % card has it and each label
    # whole; the menu label and the minimise mark work, the about box is as large as its design.
    d.reg("add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
    if dpi == 120:
        d.reg("add", r"HKCU\Control Panel\International", "/v", "sShortDate", "/d", "dddd yyyy-MM-dd dddd", "/f")
    d.run(["/usr/lib/wine/wineserver", "-k"], check=False)
    app = App(d, dpi=dpi)
    note, s = app.new_note(), dpi / 96
    d.drag(note.at(BARE_CARD), (150, 150))  # off the tray, to see all round it
    x, y, w, h = note.shape()
    assert abs(w - 272 * s) <= (dpi != 96) and abs(h - 201 * s) <= (dpi != 96), (dpi, w, h)  # at 96 dpi exactly
    d.screenshot(f"note-{dpi}dpi.png")
    pixel = d.grab()
    def ring(n):  # the colours n pixels outside the card's edge (n = 0: its outermost, n < 0: inside)
        return {pixel(*p) for p in [(x - n, j) for j in range(y - n, y + h + n)] + [(x + w - 1 + n, j) for j in range(y - n, y + h + n)] +
                [(i, y - n) for i in range(x - n, x + w + n)] + [(i, y + h - 1 + n) for i in range(x - n, x + w + n)]}
    rings = [ring(n) for n in range(1, -OUTLINE[dpi] - 1, -1)]  # all round: the desktop, the outline, the card
    assert rings == [{BACKGROUND}] + [{BLACK}] * OUTLINE[dpi] + [{YELLOW}], (dpi, rings)
    assert at(d, note.at((258, 188)))[0] == "Edit" and at(d, note.at((12, 100)))[0] == "GlumaNoteForm", dpi
    for box in ((16, 16, 33, 17), (56, 16, 178, 17)):  # "菜单"; the stamp up to the minimise mark
        assert label_fits(pixel, note, box), (dpi, box)
    note.show_menu()
    d.key("Escape")
    note.click(MINIMISE)
    wait_for(lambda: not note.shown(), 5, what=f"the minimise mark at {dpi} dpi")
    box = about_box(app)  # as large as its design at the scale
    d.screenshot(f"about-{dpi}dpi.png")
    assert int(d.run(["xwininfo", "-id", box]).stdout.decode().split("Width:")[1].split()[0]) >= 352 * s, dpi
    app.proc.kill()


def test_the_note_at_150_125_and_200_percent_and_back_at_100(d):
    for dpi in (144, 120, 192, 96):
        the_note_at(d, dpi)


# Windows' High Contrast Black as HKCU\Control Panel\Colors holds it; what is written on the card,
# in its client pixels (left, top, right, bottom).
HC_BLACK = dict(zip("Window WindowText ButtonFace ButtonText Hilight HilightText GrayText HotTrackingColor".split(),
                    ["0 0 0", "255 255 255"] * 2 + ["26 235 255", "0 0 0", "63 242 63", "255 255 0"]))
WRITTEN = {"label": (16, 16, 49, 33), "stamp": (56, 16, 209, 33), "marks": (238, 14, 267, 27), "text": (20, 43, 120, 60)}


def ink_contrast(pixel, left, top, right, bottom):
    # WCAG 2's contrast ratio of what is drawn in a screen rectangle (the colour that stands out
    # most) against what it is drawn on (the commonest colour): 1 to 21.
    def luminance(rgb):
        linear = [v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4 for v in (c / 255 for c in rgb)]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2] + 0.05
    ground = (colours := Counter(pixel(x, y) for x in range(left, right) for y in range(top, bottom))).most_common(1)[0][0]
    return max(max(luminance(ground), luminance(c)) / min(luminance(ground), luminance(c)) for c in colours)


def test_in_high_contrast_black_texts_read_and_a_reader_finds_the_labels(d):
    # Started in High Contrast Black, the note's texts and marks and the about box's link read at
    # 4.5:1 or more. A screen reader in another process, as readers are, finds the note's drawn
    # labels by name with their default actions; pressing the minimise mark's hides the note.
    (wanted := OUT / "colours.reg").write_text("REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n" +
                                               "".join(f'"{name}"="{rgb}"\n' for name, rgb in HC_BLACK.items()))
    d.reg("import", "Z:" + str(wanted).replace("/", "\\"))
    note = (app := App(d)).new_note()
    d.drag(note.at(BARE_CARD), (0, 400))  # from under the tray, and clear of the about box
    note.type("Wm")
    x, y = about_client(d, box := about_box(app))  # which takes the keyboard (and the caret) from the note
    d.screenshot("colours-black.png")
    pixel = d.grab()
    ratios = {what: ink_contrast(pixel, *note.at(r[:2]), *note.at(r[2:])) for what, r in WRITTEN.items()}
    ratios["link"] = ink_contrast(pixel, x + 72, y + 80, x + 345, y + 113)  # its rectangle in the box
    assert min(ratios.values()) >= 4.5, ratios
    d.click_at(x + 160, y + 144)  # OK
    wait_for(lambda: not d.visible(name='关于 "ZQ"桌面格卢玛'), 5, what="OK to close the about box")
    label, stamp, minimise, close = (found := d.inspect("reader", "Gluma Note").splitlines())[:4]
    assert (label, minimise, close) == ("菜单\t打开", "最小化\t按下", "关闭\t按下") and stamp.startswith("创建于 "), found
    d.inspect("reader", "Gluma Note", 3)
    wait_for(lambda: not note.shown(), 5, what="the reader's press to hide the note")
