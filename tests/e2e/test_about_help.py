"""The about box, the help file and the home page, reached through the real tray menu."""

import os
import time
from contextlib import contextmanager

from harness import OUT, WINE, E2EError, wait_for

ABOUT_CAPTION = '关于 "ZQ"桌面格卢玛'
HELP_TITLE = "桌面格卢玛 使用帮助"
# Commands of the tray menu, counted from 1 without the separators.
HOME_PAGE, ABOUT, HELP = 3, 4, 5
TWIPS_PER_PIXEL = 15  # the virtual display runs at 96 dots per inch


@contextmanager
def recorded_browser(desktop):
    """Makes Wine's browser launcher run a script that writes down the address it is
    given, instead of a browser; yields a function returning the addresses so far."""
    log = OUT / "browser.log"
    script = OUT / "record-browser.sh"
    script.write_text(f'#!/bin/sh\nprintf "%s\\n" "$@" >> "{log}"\n')
    os.chmod(script, 0o755)
    if log.exists():
        log.unlink()
    key = r"HKCU\Software\Wine\WineBrowser"
    desktop.run([WINE, "reg", "add", key, "/v", "Browsers", "/d", str(script), "/f"])
    try:
        yield lambda: log.read_text().split() if log.exists() else []
    finally:
        desktop.run([WINE, "reg", "delete", key, "/v", "Browsers", "/f"], check=False)


def about_boxes(app):
    return [w for w in app.visible_windows() if w["title"] == ABOUT_CAPTION]


def open_about(app):
    app.choose_tray_item(ABOUT)
    return wait_for(lambda: about_boxes(app), timeout=10, what="the about box")[0]


def twips_rect(box, left, top, width, height):
    """A control's designed rectangle (twips, in the client area) on the screen."""
    x, y = box["client_origin"]
    return (x + left // TWIPS_PER_PIXEL, y + top // TWIPS_PER_PIXEL,
            x + (left + width) // TWIPS_PER_PIXEL, y + (top + height) // TWIPS_PER_PIXEL)


def gone(app, hwnd):
    return all(w["hwnd"] != hwnd for w in app.windows())


def test_about_box_shows_once_centred_and_ok_closes_it(app):
    d = app.d
    box = open_about(app)
    assert box["class"] == "GlumaNoteForm", box
    assert box["owner"] == "0" or box["owner"] == 0, "modeless, without an owner"
    assert box["client"] == [5280 // TWIPS_PER_PIXEL, 2655 // TWIPS_PER_PIXEL], box["client"]
    left, top, right, bottom = box["rect"]
    screen_w, screen_h = 1280, 800
    assert abs((left + right) / 2 - screen_w / 2) <= 1 and abs((top + bottom) / 2 - screen_h / 2) <= 1, box["rect"]

    children = d.inspect("children", box["hwnd"])
    buttons = [c for c in children if c["class"].lower() == "button"]
    assert [b["text"] for b in buttons] == ["OK"], children
    assert list(buttons[0]["rect"]) == list(twips_rect(box, 1800, 1920, 1215, 495)), buttons[0]
    pictures = [c for c in children if c["class"].lower() == "static"]
    assert len(pictures) == 1 and list(pictures[0]["rect"]) == list(twips_rect(box, 120, 240, 615, 495)), children
    time.sleep(0.5)
    d.screenshot("about.png")

    # Asked again while open: the same box, never a second one.
    app.choose_tray_item(ABOUT)
    time.sleep(1.0)
    boxes = about_boxes(app)
    assert [b["hwnd"] for b in boxes] == [box["hwnd"]], boxes
    assert len(app.forms()) == 2, app.forms()

    # OK with the mouse: the box is unloaded, the program goes on.
    x0, y0, x1, y1 = buttons[0]["rect"]
    d.click_at((x0 + x1) // 2, (y0 + y1) // 2)
    wait_for(lambda: gone(app, box["hwnd"]), timeout=5, what="the about box to close")
    assert app.running()
    assert len(app.forms()) == 1, app.forms()


def test_about_box_takes_enter_and_esc(app):
    d = app.d
    for key in ("Return", "Escape"):
        box = open_about(app)
        # The keyboard follows the pointer on this bare display: click an empty spot of
        # the box first, as a person would.
        x, y = box["client_origin"]
        d.click_at(x + 300, y + 20)
        time.sleep(0.5)
        gui = d.inspect("gui", box["hwnd"])[0]
        children = d.inspect("children", box["hwnd"])
        ok = [c for c in children if c["text"] == "OK"][0]
        assert str(gui["focus"]) == str(ok["hwnd"]), f"the OK button has the focus: {gui}"
        d.key(key)
        wait_for(lambda: gone(app, box["hwnd"]), timeout=5, what=f"{key} to close the box")
    assert len(app.forms()) == 1


def test_link_click_opens_the_home_page_and_leaves_the_about_box_open(app):
    d = app.d
    box = open_about(app)
    with recorded_browser(d) as opened:
        # On the link's text, near its left end (the label is wider than the address).
        x0, y0, x1, y1 = twips_rect(box, 1080, 1200, 4095, 495)
        d.click_at(x0 + 30, y0 + 8)
        pages = wait_for(opened, timeout=15, what="the browser to be asked for the home page")
    assert len(pages) == 1 and pages[0].startswith("https://"), pages
    assert app.running()
    boxes = about_boxes(app)
    assert [b["hwnd"] for b in boxes] == [box["hwnd"]], "the about box stays open"
    assert len(app.forms()) == 2
    d.screenshot("about-link.png")  # the pointer rests on the link: its tooltip shows
    # Nothing of ours came up besides the box and the link's tooltip (no message box).
    others = [w for w in app.visible_windows() if w["hwnd"] != box["hwnd"] and w["class"] != "tooltips_class32"]
    assert others == [], others


def test_help_opens_the_viewer_on_the_help_file(app):
    d = app.d
    app.choose_tray_item(HELP)
    viewer = wait_for(lambda: [w for w in app.visible_windows() if w["class"] == "HH Parent"], timeout=15,
                      what="the help viewer")[0]
    assert viewer["title"] == HELP_TITLE, viewer["title"]
    assert len(app.forms()) == 1, "the viewer is no form of ours"
    time.sleep(0.5)
    d.screenshot("help.png")
    d.inspect("post", viewer["hwnd"], 0x0010, 0, 0)  # WM_CLOSE
    wait_for(lambda: not [w for w in app.visible_windows() if w["class"] == "HH Parent"], timeout=15,
             what="the viewer to close")
    assert app.running()


def test_home_page_command_opens_the_home_page(app):
    with recorded_browser(app.d) as opened:
        app.choose_tray_item(HOME_PAGE)
        pages = wait_for(opened, timeout=15, what="the browser to be asked for the home page")
    assert len(pages) == 1 and pages[0].startswith("https://"), pages
    if not app.running():
        raise E2EError("the program ended")
    assert app.visible_windows() == [], app.visible_windows()
    assert len(app.forms()) == 1


def test_exit_with_the_about_box_and_the_viewer_open_ends_the_program(app):
    open_about(app)
    app.choose_tray_item(HELP)
    wait_for(lambda: [w for w in app.visible_windows() if w["class"] == "HH Parent"], timeout=15,
             what="the help viewer")
    app.exit()
    wait_for(lambda: not app.running(), timeout=10, what="the program to end")
    assert app.d.icon_count() == 0
