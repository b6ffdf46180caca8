"""The reminder on the real clock: a note set for the next minute through its real pickers,
hidden by its minimise stroke, comes back by itself at that minute, above all windows."""

import time

from harness import wait_for
from note_util import (MINIMISE_MARK, SET_REMINDER, TIME_PICKER, WS_EX_TOPMOST, choose, click, current, new_note,
                       pickers)

TIME_PICKER_ID = 3


def next_minute_with_room(room=15):
    """The start of the next minute (epoch seconds), leaving at least `room` seconds to set
    the note up, and on the same day as the note that is made now."""
    while True:
        now = time.time()
        start = (int(now) // 60 + 1) * 60
        if start - now >= room and time.localtime(start).tm_yday == time.localtime(now).tm_yday:
            return start
        time.sleep(start - now + 1)


def test_a_hidden_note_comes_back_at_the_minute_set_in_its_pickers(app):
    d = app.d
    target = next_minute_with_room()
    hh, mm = time.localtime(target).tm_hour, time.localtime(target).tm_min
    note = new_note(app)
    choose(app, note, SET_REMINDER)
    wait_for(lambda: all(p["visible"] for p in pickers(app, note)), timeout=5, what="the pickers")

    # Into the time picker's hour field, then the minute field, as a person types.
    click(app, note, TIME_PICKER, dx=6)
    time.sleep(0.3)
    d.key(*f"{hh:02d}", "Right", *f"{mm:02d}", delay=0.2)
    time.sleep(0.3)
    shown = next(p for p in pickers(app, note) if p["id"] == TIME_PICKER_ID)["text"]
    assert shown == f"{hh:02d}:{mm:02d}", shown

    click(app, note, MINIMISE_MARK)  # hides the note and arms the reminder
    wait_for(lambda: not current(app, note)["visible"], timeout=5, what="the note to hide")
    assert time.time() < target, "set up before the minute"
    assert not current(app, note)["exstyle"] & WS_EX_TOPMOST

    back = wait_for(lambda: current(app, note)["visible"], timeout=target - time.time() + 20, interval=0.25,
                    what="the reminder")
    came = time.time()
    assert back
    assert came >= target, f"came back {target - came:.1f} s before its minute"
    print(f"    reminder: note shown {came - target:.2f} s after the minute began")
    assert current(app, note)["exstyle"] & WS_EX_TOPMOST, "and above all windows"
    assert not current(app, note)["iconic"]
