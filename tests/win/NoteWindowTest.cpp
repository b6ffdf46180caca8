// The note window: new notes and their numbers, dragging, the minimise mark and arming, the
// reminder and its pickers, stay on top, two independent notes, a note back on the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "WinTestUtil.h"
#include "note/frmNote.h"
#include "shell/TrayCommands.h"
#include "toolkit/Clock.h"
#include "toolkit/LoadedForms.h"

static SYSTEMTIME At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return {WORD(y), WORD(mo), 0, WORD(d), WORD(h), WORD(mi), WORD(s), 0}; }

// A press and release of the button whose down message is `down`, as the system sends them.
static void Click(HWND hwnd, POINT pt, UINT down = WM_LBUTTONDOWN) {
    SendMessageW(hwnd, down, 0, MAKELPARAM(pt.x, pt.y)), SendMessageW(hwnd, down + 1, 0, MAKELPARAM(pt.x, pt.y));
}

// A key typed into a picker's first field (years of a date, hours of a time), as a user types it.
static void TypeInPicker(HWND picker, UINT key) {
    SetFocus(picker), UpdateWindow(picker);  // the picker finds its fields when it draws them
    Click(picker, POINT{4, 8});
    SendMessageW(picker, WM_KEYDOWN, key, 0);
}

static bool TopMost(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class NoteTest : public testing::Test {
protected:
    void SetUp() override {
        tk::LoadForm<wintest::TestForm>();  // the hidden main window
        now = At(2026, 12, 6, 18, 12, 5);
    }
    void TearDown() override {
        while (tk::LoadedForms::Count() > 0) tk::LoadedForms::Item(tk::LoadedForms::Count() - 1)->Destroy();
        tk::g_clock = systemClock;
    }
    frmNote* NewNote() {
        mnuNew_Click();
        return dynamic_cast<frmNote*>(tk::LoadedForms::Item(tk::LoadedForms::Count() - 1));
    }
    static inline SYSTEMTIME now;
    const tk::Clock systemClock = std::exchange(tk::g_clock, [] { return now; });
};

static RECT Rect(HWND hwnd, int child = 0) {  // a child in client pixels, or the card on the screen
    RECT r{}, window;
    if (child) GetWindowRect(GetDlgItem(hwnd, child), &r), MapWindowPoints(nullptr, hwnd, (POINT*)&r, 2);
    else GetWindowRgnBox(hwnd, &r), GetWindowRect(hwnd, &window), OffsetRect(&r, window.left, window.top);
    return r;
}
static RECT Box(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }
static bool Checked(frmNote* note, UINT item) { return note->mnopt().Checked(item); }

static int g_drags = 0;
static LRESULT CALLBACK CountDrags(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg != WM_NCLBUTTONDOWN || wp != HTCAPTION) return DefSubclassProc(hwnd, msg, wp, lp);
    g_drags += GetCapture() ? 100 : 1;  // the system's move loop needs the mouse free
    return 0;
}

// Created at 00:00:10, a note's reminder (today, 00:00) is due at the next tick if armed.
// The due reminder restores a minimised note: one that fired while the note stayed
// minimised would report success while the user saw nothing. The system menu's and the
// taskbar's minimise do what the stroke does.
TEST_F(NoteTest, TheMinimiseMarkHidesOrMinimisesAndArmsAndADueReminderRestoresAMinimisedNote) {
    const struct { bool hideMark, timeChanged, armed, bySystem = false; } cases[] = {
        {true, false, true}, {true, true, true}, {false, false, false}, {false, true, true},
        {false, true, true, true}, {true, false, true, true}};
    for (const auto& c : cases) {
        now = At(2026, 12, 6, 0, 0, 10);
        frmNote* note = NewNote();
        HWND hwnd = note->Handle();
        if (!c.hideMark) note->mnopt().Click(frmNote::mnuHideMin);
        note->mnopt().Click(frmNote::mnuSetDateTime);
        for (UINT key : {VK_UP, VK_DOWN})  // a change and back; a date's change does not count
            TypeInPicker(GetDlgItem(hwnd, c.timeChanged ? frmNote::idMyTime : frmNote::idMyDate), key);
        c.bySystem ? void(SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0)) : Click(hwnd, POINT{244, 20});
        EXPECT_EQ(IsWindowVisible(hwnd) && IsIconic(hwnd), !c.hideMark);
        now = At(2026, 12, 6, 0, 0, 11), SendMessageW(hwnd, WM_TIMER, note::NoteReminder::kTimerId, 0);
        EXPECT_EQ(IsWindowVisible(hwnd) && !IsIconic(hwnd) && TopMost(hwnd), c.armed) << c.hideMark << c.timeChanged << c.bySystem;
    }
}

// As a screen reader reads a note: the labels drawn on the card as children with a name, a
// role, a state, a place on the screen and a default action; then the text box and the
// pickers, which Active Accessibility names by the hidden label just before each.
TEST_F(NoteTest, AReaderFindsTheNotesLabelsAndTheirActionsAndAHeldObjectOutlivesTheNoteSafely) {
    frmNote* note = NewNote();
    HWND hwnd = note->Handle();
    IAccessible* acc = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible), (void**)&acc), S_OK);
    const wintest::Heard children[] = {
        {L"菜单", L"打开", ROLE_SYSTEM_BUTTONMENU, STATE_SYSTEM_HASPOPUP, Box(16, 16, 33, 17)},
        {L"创建于 2026/12/6 18:12:05", L"", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, Box(56, 16, 178, 17)},
        {L"最小化", L"按下", ROLE_SYSTEM_PUSHBUTTON, 0, Box(240, 16, 9, 9)}, {L"关闭", L"按下", ROLE_SYSTEM_PUSHBUTTON, 0, Box(256, 16, 9, 9)}};
    VARIANT kids[8] = {};
    LONG count = 0;
    ASSERT_EQ(AccessibleChildren(acc, 0, 8, kids, &count), S_FALSE) << "fewer than asked for";
    ASSERT_EQ(count, 5) << "four labels and the text box";
    for (LONG i = 0; i < 4; ++i) EXPECT_TRUE(kids[i].vt == VT_I4 && wintest::Hears(acc, hwnd, kids[i].lVal) == children[i]) << i;
    kids[4].pdispVal->Release();
    // What readers are told as a reader's hook hears it: the menu opened and closed ("打开"
    // on the menu label, the menu then closed from a timer), the pickers shown.
    static std::vector<std::pair<DWORD, LONG>> told;
    told.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_STATECHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) CALLBACK {
            if (object == OBJID_CLIENT) told.emplace_back(event, child);
        }, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    UINT_PTR closer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK { EndMenu(); });
    acc->accDoDefaultAction(kids[0]);
    wintest::Pump(1000, [] { return told.size() >= 2; });
    KillTimer(nullptr, closer);
    note->mnopt().Click(frmNote::mnuSetDateTime);
    wintest::Pump(200, [] { return told.size() >= 3; });
    UnhookWinEvent(hook);
    const decltype(told) expected = {{EVENT_OBJECT_STATECHANGE, 1}, {EVENT_OBJECT_STATECHANGE, 1}, {EVENT_OBJECT_REORDER, 0}};
    EXPECT_TRUE(told == expected) << told.size();
    EXPECT_TRUE(acc->get_accChildCount(&count) == S_OK && count == 7) << "the pickers, while shown";
    for (auto [id, name] : {std::pair{frmNote::idTxtNote, L"格卢玛内容"}, {frmNote::idMyDate, L"提醒日期"}, {frmNote::idMyTime, L"提醒时间"}}) {
        HWND label = GetWindow(GetDlgItem(hwnd, id), GW_HWNDPREV);
        EXPECT_TRUE(wintest::ClassOf(label) == L"Static" && !IsWindowVisible(label) && wintest::WindowText(label) == name) << id;
    }
    const VARIANT minimise = kids[2], close = kids[3];
    EXPECT_EQ(acc->accDoDefaultAction(minimise), S_OK);
    EXPECT_TRUE(IsWindowVisible(hwnd)) << "never inside the reader's call";
    wintest::Pump(1000, [&] { return !IsWindowVisible(hwnd); });
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "hidden, as the stroke does";
    EXPECT_EQ(acc->accDoDefaultAction(close), S_OK);
    wintest::Pump(1000, [&] { return !IsWindow(hwnd); });
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(acc->get_accChildCount(&count), CO_E_OBJNOTCONNECTED) << "a reader still holding it";
    EXPECT_EQ(acc->accDoDefaultAction(close), CO_E_OBJNOTCONNECTED);
    acc->Release();
}

TEST_F(NoteTest, TheReminderItemShowsThePickersWithTodayAndMidnightBelowAShorterTextBox) {
    now = At(2027, 2, 28, 23, 59, 30);
    frmNote* note = NewNote();
    HWND hwnd = note->Handle(), date = nullptr, time = nullptr;
    for (int height : {105, 129, 105}) {
        note->mnopt().Click(frmNote::mnuSetDateTime);
        date = GetDlgItem(hwnd, frmNote::idMyDate), time = GetDlgItem(hwnd, frmNote::idMyTime);
        EXPECT_TRUE(Checked(note, frmNote::mnuSetDateTime) == (height == 105) && note->txtNote().Height() == height);
        EXPECT_EQ(IsWindowVisible(date) && IsWindowVisible(time), height == 105);
    }
    EXPECT_TRUE(Rect(hwnd, frmNote::idMyDate) == Box(48, 168, 81, 17) && Rect(hwnd, frmNote::idMyTime) == Box(152, 168, 81, 17));
    // The keyboard reaches them: F6 from the text box (whose Tab is the text's), Tab or F6 on, Shift back.
    HWND text = GetDlgItem(hwnd, frmNote::idTxtNote);
    const struct { HWND from; UINT key; BYTE shift; HWND to; } keys[] = {
        {text, VK_F6, 0, date}, {date, VK_TAB, 0, time}, {time, VK_TAB, 0, text}, {text, VK_F6, 0x80, time}, {time, VK_TAB, 0x80, date}};
    BYTE state[256] = {};
    for (const auto& k : keys) {
        state[VK_SHIFT] = k.shift, SetKeyboardState(state), SetFocus(k.from), SendMessageW(k.from, WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(GetFocus(), k.to) << k.key << " " << int(k.shift);
    }
    state[VK_SHIFT] = 0, SetKeyboardState(state);
    SYSTEMTIME day{}, midnight{};
    SendMessageW(date, DTM_GETSYSTEMTIME, 0, LPARAM(&day)), SendMessageW(time, DTM_GETSYSTEMTIME, 0, LPARAM(&midnight));
    EXPECT_TRUE(day.wYear == 2027 && day.wMonth == 2 && day.wDay == 28 && midnight.wHour + midnight.wMinute == 0);
}

TEST_F(NoteTest, TheReminderObjectArmsOnAUsersTimeChangeFiresOnceWhenDueAndHidingItsPickersCancels) {
    auto* form = tk::LoadForm<wintest::TestForm>();
    form->Show();  // a picker takes typing only when it is drawn
    int fired = 0;
    note::NoteReminder reminder(*form, [&] { ++fired; });
    reminder.Create({11, 12, RECT{0, 0, 90, 20}, RECT{100, 0, 190, 20}, nullptr, {}});
    reminder.ShowPickers();
    HWND date = GetDlgItem(form->Handle(), 11), time = GetDlgItem(form->Handle(), 12);
    TypeInPicker(time, VK_UP);
    reminder.HidePickers();  // keeps the flag
    reminder.ArmIfChanged();
    EXPECT_TRUE(reminder.Armed());
    reminder.HidePickers();
    reminder.ArmIfChanged();
    EXPECT_FALSE(reminder.Armed()) << "cancelled, and the change was used up";
    // Dates set with a time of day: the date picker must give the day alone.
    const struct { SYSTEMTIME date, armed, tick; bool due; } cases[] = {
        {At(2026, 12, 6, 9, 1), At(2026, 12, 6, 18, 14, 30), At(2026, 12, 6, 18, 15, 41), true},
        {At(2026, 12, 6, 9, 1), At(2026, 12, 6, 18, 16), At(2026, 12, 6, 18, 16, 1), false},  // over when armed
        {At(2026, 12, 7, 9, 1), At(2026, 12, 6, 18, 14, 30), At(2026, 12, 6, 18, 15), false}};
    for (const auto& c : cases) {
        const SYSTEMTIME at = At(2001, 1, 1, 18, 15, 59);
        SendMessageW(date, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&c.date));
        SendMessageW(time, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&at));
        fired = 0, now = c.armed;
        reminder.Arm();
        now = c.tick;
        reminder.Tick(), reminder.Tick();  // the second tick: once fired, nothing more
        EXPECT_TRUE(fired == c.due && reminder.Armed() == !c.due) << c.due;
        reminder.HidePickers();
    }
    form->Destroy();  // before the reminder whose pickers it holds
}

// Each new note is shown with the keyboard in its text box, its pickers not made until first
// shown, numbered by the windows loaded before it; and each is on its own.
TEST_F(NoteTest, NewNotesAreNumberedTakeTheKeyboardAreIndependentAndTheCloseMarkClosesAtOnce) {
    frmNote *a = NewNote(), *b = NewNote();
    EXPECT_TRUE(a->Caption() == L"Gluma Note" && a->Tag() == L"Form2" && b->Tag() == L"Form3") << a->Tag() << b->Tag();
    EXPECT_TRUE(IsWindowVisible(b->Handle()) && GetFocus() == GetDlgItem(b->Handle(), frmNote::idTxtNote));
    EXPECT_EQ(GetDlgItem(b->Handle(), frmNote::idMyDate), nullptr) << "pickers are made when first shown";
    const RECT before = Rect(b->Handle());
    SetWindowPos(a->Handle(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (UINT item : {frmNote::mnuStayOnTop, frmNote::mnuSetDateTime}) a->mnopt().Click(item);
    EXPECT_TRUE(TopMost(a->Handle()) && Checked(a, frmNote::mnuStayOnTop) &&
                GetFocus() == GetDlgItem(a->Handle(), frmNote::idTxtNote));  // from b's text box
    a->txtNote().SetText(L"未保存");
    Click(a->Handle(), POINT{244, 20});
    EXPECT_TRUE(Rect(b->Handle()) == before && IsWindowVisible(b->Handle()));
    EXPECT_FALSE(TopMost(b->Handle()) || Checked(b, frmNote::mnuStayOnTop) || Checked(b, frmNote::mnuSetDateTime));
    EXPECT_TRUE(b->txtNote().Height() == 153 && b->txtNote().Text().empty());
    b->mnopt().Click(frmNote::mnuStayOnTop), b->mnopt().Click(frmNote::mnuStayOnTop);
    EXPECT_TRUE(!TopMost(b->Handle()) && !Checked(b, frmNote::mnuStayOnTop) && TopMost(a->Handle()));
    BYTE keys[256] = {};  // Ctrl+Tab in a third note: round to the next one shown (a is hidden), typing nothing
    keys[VK_CONTROL] = 0x80, SetKeyboardState(keys);
    HWND third = NewNote()->Handle(), typed = GetDlgItem(third, frmNote::idTxtNote);
    SendMessageW(typed, WM_KEYDOWN, VK_TAB, 0), SendMessageW(typed, WM_CHAR, '\t', 0);
    EXPECT_TRUE(GetActiveWindow() == b->Handle() && GetWindowTextLengthW(typed) == 0);
    keys[VK_CONTROL] = 0, SetKeyboardState(keys);
    DestroyWindow(third);
    HWND gone = a->Handle();
    Click(gone, POINT{260, 20});  // no question, though its text was never saved
    EXPECT_FALSE(IsWindow(gone) || FindWindowW(L"#32770", nullptr));
}

// Moved to a monitor at 150 % and back: the new DPI comes with the message alone (Wine never
// sends it; Windows' own answer for the window may still be the old DPI while it is handled).
// At each scale only a left press on the card or the stamp drags the note.
TEST_F(NoteTest, OnADpiChangeTheNoteTakesTheSuggestedPlaceLaysItselfOutAndOnlyTheCardAndTheStampDragIt) {
    HWND hwnd = NewNote()->Handle(), text = GetDlgItem(hwnd, frmNote::idTxtNote);
    SetWindowSubclass(hwnd, CountDrags, 1, 0);  // a press that misses the mark fails, not waits in a drag
    const struct { int dpi; RECT card, textBox; POINT minimise; LONG font; } cases[] = {  // the mark: off the other scale's
        {144, Box(0, 0, 408, 302), Box(24, 60, 374, 230), POINT{367, 31}, -16}, {96, Box(0, 0, 272, 201), Box(16, 40, 249, 153), POINT{244, 20}, -11}};
    const struct { POINT at; UINT down; int drags; } presses[] = {  // at 96 dpi: card, its margin, stamp, menu label
        {{250, 34}, WM_LBUTTONDOWN, 1}, {{10, 100}, WM_LBUTTONDOWN, 1}, {{100, 24}, WM_LBUTTONDOWN, 1},
        {{250, 34}, WM_RBUTTONDOWN, 0}, {{100, 24}, WM_RBUTTONDOWN, 0}, {{250, 34}, WM_MBUTTONDOWN, 0}, {{24, 24}, WM_LBUTTONDOWN, 0}};
    for (const auto& c : cases) {
        RECT suggested = Box(150, 120, 500, 400), window, card = Rect(hwnd);
        SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), LPARAM(&suggested));
        GetWindowRect(hwnd, &window), card = Rect(hwnd), OffsetRect(&card, -card.left, -card.top);
        LOGFONTW font{};
        GetObjectW(HFONT(SendMessageW(text, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_TRUE(window.left == 150 && window.top == 120 && card == c.card) << c.dpi;
        EXPECT_TRUE(Rect(hwnd, frmNote::idTxtNote) == c.textBox && font.lfHeight == c.font) << c.dpi;
        for (const auto& p : presses) {
            g_drags = 0;  // each press released off every label: no click, no press left
            SendMessageW(hwnd, p.down, 0, MAKELPARAM(p.at.x * c.dpi / 96, p.at.y * c.dpi / 96)), SendMessageW(hwnd, p.down + 1, 0, 0);
            EXPECT_EQ(g_drags, p.drags) << p.at.x << "," << p.at.y << " message " << p.down << " at " << c.dpi;
        }
        Click(hwnd, c.minimise);
        EXPECT_FALSE(IsWindowVisible(hwnd)) << c.dpi;
        ShowWindow(hwnd, SW_SHOWNORMAL);
    }
}

TEST_F(NoteTest, ASchemeChangeReachesOpenNotesAtOnceTheirTextReadsAndHighContrastDrawsInTheWindowColours) {
    const COLORREF yellow = RGB(255, 255, 0), white = RGB(255, 255, 255), black = 0, navy = RGB(0, 0, 128);
    const struct { bool hc; COLORREF window, text, face, outline, ink, textBack; } cases[] = {
        {false, white, navy, yellow, black, navy, white},   // the scheme's text colour, where it reads on yellow
        {false, black, white, yellow, black, black, white},  // white would not
        {true, black, white, black, white, white, black},    // high contrast: the window colours
        {true, white, black, white, black, black, white}};   // a white face: the key's colour
    frmNote* note = NewNote();
    wintest::Scheme scheme;
    for (const auto& c : cases) {
        scheme.Set(c.hc, {c.window, c.text, c.window, c.text});
        const std::pair<RECT, COLORREF> drawn[] = {{Box(226, 30, 1, 1), c.face}, {Box(5, 100, 1, 1), c.outline},
            {Box(16, 16, 33, 17), c.ink}, {Box(56, 16, 153, 17), c.ink}, {Box(240, 22, 9, 4), c.ink}, {Box(256, 16, 9, 9), c.ink}};
        frmNote* other = nullptr;
        for (frmNote* n : {note, other}) {  // open when the scheme changed, then one made in it
            n = n ? n : other = NewNote();
            HWND hwnd = n->Handle(), text = (n->txtNote().SetText(L"WWW"), n->txtNote().Handle());
            wintest::Pump(100);  // drawn
            for (auto [r, colour] : drawn) EXPECT_TRUE(wintest::Shows(hwnd, r, colour)) << r.left << "," << r.top << " " << c.hc << c.text;
            EXPECT_TRUE(wintest::Shows(text, Box(100, 100, 1, 1), c.textBack) && wintest::Shows(text, Box(6, 0, 34, 16), c.ink));  // past the caret
        }
        const RECT card = Rect(other->Handle());  // shaped from its picture: the whole card, not a ring
        EXPECT_TRUE(other->Picture() == note->Picture() && card == Box(card.left, card.top, 272, 201) &&
                    WindowFromPoint(POINT{card.left + 221, card.top + 25}) == other->Handle()) << "one picture, whole";
        other->Destroy();
    }
}

// Notes still partly on a screen stay where they are: the native tests of the rule.
TEST_F(NoteTest, AfterADisplayChangeANoteOffEveryScreenComesBackOntoTheNearestMinimisedOrNot) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // A minimised window's place is its restored one; a hidden one (the minimise mark's
    // default) stays hidden.
    for (int state : {SW_SHOWNORMAL, SW_MINIMIZE, SW_HIDE}) {
        HWND off = NewNote()->Handle();
        SetWindowPos(off, nullptr, work.right + 5000, work.bottom + 3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(off, state);
        SendMessageW(off, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800));
        EXPECT_EQ(IsWindowVisible(off) != FALSE, state != SW_HIDE) << state;
        ShowWindow(off, SW_RESTORE);
        EXPECT_TRUE(Rect(off) == Box(work.right - 272, work.bottom - 201, 272, 201)) << "the least move" << state;
    }
}
