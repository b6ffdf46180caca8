"""The tray-resident shell, driven through the real tray icon."""

import json
import time

from harness import WIN_BUILD, WINE, App, E2EError, wait_for

TRAY_MENU = ["新建桌面格卢玛", "显示所有的格卢玛", None, "访问产品主页", "关于桌面格卢玛", "使用帮助", None, "退出"]


def test_starts_with_only_the_tray_icon(app):
    assert app.running()
    assert app.visible_windows() == [], app.visible_windows()
    forms = app.forms()
    assert len(forms) == 1 and forms[0]["title"] == '"ZQ"桌面格卢玛', forms
    assert app.d.icon_count() == 1


def test_click_press_and_movement_do_nothing_right_release_opens_the_menu(app):
    d = app.d
    tray = d.tray_window()
    x = app.tray_slot * 20 + 10
    d.xdotool("mousemove", "--window", tray, x, 10)
    d.xdotool("mousemove", "--window", tray, x + 3, 12)  # plain movement
    d.xdotool("click", 1)  # one left click
    time.sleep(0.6)
    d.xdotool("mousedown", 3)  # the right press alone
    time.sleep(1.0)
    assert d.popup_menus() == [], "the menu opened before the button was released"
    assert app.visible_windows() == [], app.visible_windows()

    d.xdotool("mouseup", 3)
    menu = wait_for(d.popup_menus, timeout=5, what="the tray menu")[0]
    time.sleep(0.3)
    d.screenshot("tray-menu.png")
    items = d.inspect("menu", menu["hwnd"])
    if items:  # Wine answers MN_GETHMENU across processes; check what the user sees
        got = [None if i["separator"] else i["text"] for i in items]
        assert got == TRAY_MENU, got
        assert not any(i["checked"] or i["disabled"] for i in items), items

    d.key("Escape")
    wait_for(lambda: d.popup_menus() == [], timeout=5, what="the menu to close")
    assert app.running()
    assert len(app.forms()) == 1, "no note was made"


def bare_delete_seconds(desktop):
    """How long Wine's tray takes to delete the last icon of a program that does nothing
    else (without a window manager, about two seconds)."""
    r = desktop.run([WINE, str(WIN_BUILD / "mintray.exe"), "delete"], check=False)
    return json.loads(r.stdout.decode().strip().splitlines()[-1])["delete_us"] / 1e6


def test_exit_removes_the_icon_and_ends_at_once(app):
    d = app.d
    assert d.icon_count() == 1
    app.open_tray_menu()
    time.sleep(0.2)
    d.key("Up")
    chosen = time.monotonic()
    d.xdotool("key", "Return")  # 退出, the last item
    wait_for(lambda: not app.running(), timeout=8, interval=0.02, what="the program to end")
    ended = time.monotonic() - chosen
    assert d.icon_count() == 0
    # The program itself must add less than a second to what the tray takes to delete an icon.
    bare = bare_delete_seconds(d)
    print(f"    exit: process ended {ended:.2f} s after the choice; a bare icon delete takes {bare:.2f} s")
    assert ended < bare + 1.0, f"ended {ended:.2f} s after the choice (bare delete {bare:.2f} s)"


def test_two_copies_run_side_by_side_and_exit_independently(desktop):
    first = App(desktop)
    second = App(desktop)
    try:
        assert first.pid != second.pid
        assert first.tray_slot != second.tray_slot
        assert desktop.icon_count() == 2
        first.exit()
        wait_for(lambda: not first.running(), timeout=6, what="the first copy to end")
        time.sleep(0.5)
        assert second.running(), "the second copy ended too"
        # Wine's tray moves the remaining icon to the first slot (it repaints it only when
        # the mouse comes by). The icon still belongs to the second copy and answers.
        second.tray_slot = 0
        menu = second.open_tray_menu()[0]
        assert menu["pid"] == second.pid, "the menu is the second copy's"
        desktop.key("Escape")
        second.exit()
        wait_for(lambda: not second.running(), timeout=6, what="the second copy to end")
        wait_for(lambda: desktop.icon_count() == 0, timeout=3, what="no icon to remain")
    finally:
        first.kill()
        second.kill()
        if first.running() or second.running():
            raise E2EError("a copy survived")
