"""Saving and opening note files through the real note menu and the real Wine file
dialogs, typed into as a person does."""

import os
import time

from files_util import (CLOSE_MARK, OPEN_ITEM, SAVE_ITEM, Folder, at, choose_menu_item, dialogs,
                        file_dialog, message_text, new_dialog, new_note, no_dialogs, note_text,
                        read_when, type_file_name, type_into)
from harness import wait_for


def save_as(app, note, path):
    """Returns the save dialog it typed the name into."""
    choose_menu_item(app, note, SAVE_ITEM)
    dialog = file_dialog(app)
    type_file_name(app, Folder.windows(path))
    return dialog


def open_from(app, note, path):
    choose_menu_item(app, note, OPEN_ITEM)
    file_dialog(app)
    type_file_name(app, Folder.windows(path))


def test_typed_text_saved_closed_and_opened_into_a_new_note(app):
    folder = Folder()
    try:
        path = folder.file("note.txt")
        first = new_note(app)
        type_into(app, first, ["hello e2e", "second line"])
        typed = note_text(app, first)
        assert typed == "hello e2e\r\nsecond line", repr(typed)

        save_as(app, first, path)
        data = read_when(path, lambda b: len(b) > 0)
        no_dialogs(app)
        assert data == b"hello e2e\r\nsecond line\r\n", data

        app.d.click_at(*at(first, CLOSE_MARK))
        wait_for(lambda: not app.notes(), timeout=10, what="the note to close")

        second = new_note(app)
        open_from(app, second, path)
        wait_for(lambda: note_text(app, second) == typed, timeout=15, what="the text to come back")
        no_dialogs(app)
        assert [w["hwnd"] for w in app.notes()] == [second["hwnd"]], "opening made no new note"
    finally:
        folder.remove()


def test_save_over_an_existing_file_after_the_replace_question(app):
    folder = Folder()
    try:
        path = folder.file("existing.txt")
        with open(path, "wb") as f:
            f.write(b"old content that is longer\r\n")
        note = new_note(app)
        type_into(app, note, ["new"])
        dialog = save_as(app, note, path)
        question = new_dialog(app, [dialog])
        time.sleep(0.3)
        app.d.key("y")  # 是(Y): replace
        data = read_when(path, lambda b: b.startswith(b"new"))
        no_dialogs(app)
        assert question["owner"] == dialog["hwnd"], question
        assert data == b"new\r\n", data
        assert sorted(os.listdir(folder.path)) == ["existing.txt"], "no temporary file is left"
    finally:
        folder.remove()


def test_chinese_text_opens_from_gbk_and_saves_back_the_same_bytes(app):
    folder = Folder()
    try:
        source, copy = folder.file("gbk.txt"), folder.file("copy.txt")
        gbk = "桌面\r\n格卢玛 abc\r\n".encode("gbk")
        assert gbk.startswith(b"\xd7\xc0\xc3\xe6\r\n")
        with open(source, "wb") as f:
            f.write(gbk)
        note = new_note(app)
        open_from(app, note, source)
        wait_for(lambda: note_text(app, note) == "桌面\r\n格卢玛 abc", timeout=15, what="the Chinese text")
        no_dialogs(app)
        save_as(app, note, copy)
        assert read_when(copy, lambda b: len(b) > 0) == gbk
    finally:
        folder.remove()


def test_a_file_that_is_not_text_is_refused_with_a_message_and_the_note_keeps_its_text(app):
    folder = Folder()
    try:
        path = folder.file("binary.dat")
        with open(path, "wb") as f:
            f.write(b"MZ\x90\x00\x03\x00\x00\x00")
        note = new_note(app)
        type_into(app, note, ["keep me"])
        open_from(app, note, path)
        box = wait_for(lambda: next((w for w in dialogs(app) if w["title"] == "GlumaNote"), None),
                       timeout=15, what="the GlumaNote message")
        text = message_text(app, box)
        assert Folder.windows(path) in text, text
        app.d.screenshot("files-not-text-message.png")
        app.d.key("Return")
        no_dialogs(app)
        assert note_text(app, note) == "keep me"
    finally:
        folder.remove()
