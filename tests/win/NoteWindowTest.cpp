// The note window: what a new note is made of, its shape, its menu, dragging, closing and
// minimising.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NoteTestUtil.h"
#include "resources/resource.h"

namespace {

using notetest::Centre;
using notetest::Click;
using notetest::DragSpy;
using notetest::NoteTest;
using notetest::Press;
using notetest::Release;

RECT ChildRect(HWND parent, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Rect(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

std::vector<RECT> RegionRects(HWND hwnd) {
    std::vector<RECT> rects;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hwnd, rgn) != ERROR) {
        DWORD size = GetRegionData(rgn, 0, nullptr);
        std::vector<char> buf(size);
        auto* data = reinterpret_cast<RGNDATA*>(buf.data());
        if (size && GetRegionData(rgn, size, data)) {
            auto* r = reinterpret_cast<RECT*>(data->Buffer);
            rects.assign(r, r + data->rdh.nCount);
        }
    }
    DeleteObject(rgn);
    return rects;
}

// Where the client area starts inside the window's outer rectangle.
POINT ClientOffset(HWND hwnd) {
    RECT outer;
    GetWindowRect(hwnd, &outer);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    return POINT{origin.x - outer.left, origin.y - outer.top};
}

TEST_F(NoteTest, ANewNoteIsTheShapedCardWithItsControlsShownWithTheFocusInItsTextBox) {
    frmNote* note = NewNote();
    ASSERT_NE(note, nullptr);
    HWND hwnd = note->Handle();
    EXPECT_TRUE(note->IsVisible());
    EXPECT_FALSE(note->IsMinimised());
    EXPECT_EQ(note->GetScaleMode(), tk::ScaleMode::Pixels);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 284);
    EXPECT_EQ(client.bottom, 210);

    // Only the card: one 272 x 201 rectangle at picture pixel (5, 5), wherever the frame
    // puts the client area.
    POINT off = ClientOffset(hwnd);
    std::vector<RECT> region = RegionRects(hwnd);
    ASSERT_EQ(region.size(), 1u);
    EXPECT_TRUE(region[0] == Rect(off.x + 5, off.y + 5, 272, 201));

    // The text box: position, size, style, empty, white, and the keyboard is in it.
    HWND edit = note->txtNote().Handle();
    EXPECT_TRUE(ChildRect(hwnd, edit) == Rect(16, 40, 249, 153));
    const LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_EQ(note->txtNote().Text(), L"");
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetWindow(hwnd, GW_CHILD), edit) << "first in the focus order";

    // The pickers wait hidden below it.
    EXPECT_FALSE(note->myDate().Visible());
    EXPECT_FALSE(note->myTime().Visible());
    EXPECT_TRUE(ChildRect(hwnd, note->myDate().Handle()) == Rect(48, 168, 81, 17));
    EXPECT_TRUE(ChildRect(hwnd, note->myTime().Handle()) == Rect(152, 168, 81, 17));

    // The windowless labels.
    EXPECT_EQ(note->Label1().Caption(), L"菜单");
    EXPECT_TRUE(note->Label1().Rect() == Rect(16, 16, 33, 17));
    EXPECT_TRUE(note->labTime().Rect() == Rect(56, 16, 153, 17));
    EXPECT_TRUE(note->lblMinimise().Rect() == Rect(240, 16, 9, 9));
    EXPECT_TRUE(note->lblClose().Rect() == Rect(256, 16, 9, 9));
    EXPECT_EQ(note->lblMinimise().Caption(), L"");
    EXPECT_EQ(note->lblClose().Caption(), L"");
}

TEST_F(NoteTest, TheLoadSetsTheReminderDateToTodayAndLeavesTheTimerOffAndTheTimeAtMidnight) {
    now = notetest::At(2027, 2, 28, 23, 59, 30);
    frmNote* note = NewNote();
    SYSTEMTIME date = note->myDate().Value();
    EXPECT_EQ(date.wYear, 2027);
    EXPECT_EQ(date.wMonth, 2);
    EXPECT_EQ(date.wDay, 28);
    EXPECT_EQ(date.wHour + date.wMinute + date.wSecond, 0) << "a date without a time of day";
    SYSTEMTIME time = note->myTime().Value();
    EXPECT_EQ(time.wHour, 0);
    EXPECT_EQ(time.wMinute, 0);
    EXPECT_FALSE(note->tmrEvent().Enabled());
    EXPECT_EQ(note->tmrEvent().Interval(), 1000u);
    EXPECT_FALSE(note->TimeChanged());
}

TEST_F(NoteTest, TheBackgroundIsTheSkinAsADibSectionSharedByTheNotes) {
    frmNote* note = NewNote();
    HBITMAP picture = note->Picture();
    ASSERT_NE(picture, nullptr);
    DIBSECTION ds = {};
    ASSERT_EQ(GetObjectW(picture, sizeof ds, &ds), static_cast<int>(sizeof ds)) << "a DIB section";
    EXPECT_EQ(ds.dsBm.bmWidth, 284);
    EXPECT_EQ(ds.dsBm.bmHeight, 210);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);

    // One skin for all notes; the fonts the note made go with it.
    frmNote* other = NewNote();
    EXPECT_EQ(other->Picture(), picture);
    auto font = reinterpret_cast<HFONT>(SendMessageW(note->txtNote().Handle(), WM_GETFONT, 0, 0));
    auto pickerFont = reinterpret_cast<HFONT>(SendMessageW(note->myDate().Handle(), WM_GETFONT, 0, 0));
    ASSERT_NE(GetObjectType(font), 0u);
    ASSERT_NE(GetObjectType(pickerFont), 0u);
    Click(*note, note->lblClose());
    wintest::Pump(20);
    EXPECT_NE(GetObjectType(picture), 0u) << "the skin stays for the other notes";
    EXPECT_EQ(GetObjectType(font), 0u) << "the text font was freed";
    EXPECT_EQ(GetObjectType(pickerFont), 0u) << "the picker font was freed";
    EXPECT_EQ(other->Picture(), picture) << "the other note keeps it";
}

// The fonts must show the Chinese captions: ask the font that the system actually made
// for the glyphs of the captions.
void ExpectGlyphsFor(HFONT font, const std::wstring& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    DWORD got = GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                 GGI_MARK_NONEXISTING_GLYPHS);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    ASSERT_EQ(got, text.size());
    for (size_t i = 0; i < glyphs.size(); ++i)
        EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for character " << i << " in face " << testing::PrintToString(face);
}

TEST_F(NoteTest, TheFontsAreTheDesignedBoldFacesWithTheChineseCharacterSet) {
    frmNote* note = NewNote();
    auto font = reinterpret_cast<HFONT>(SendMessageW(note->txtNote().Handle(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(note->Label1().Args().font, font) << "labels and text box share the font";
    EXPECT_EQ(note->labTime().Args().font, font);
    LOGFONTW lf = {};
    ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"MS Sans Serif");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(lf.lfHeight, -MulDiv(825, dpi, 7200));

    auto pickerFont = reinterpret_cast<HFONT>(SendMessageW(note->myTime().Handle(), WM_GETFONT, 0, 0));
    ASSERT_NE(pickerFont, nullptr);
    ASSERT_TRUE(GetObjectW(pickerFont, sizeof lf, &lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"MS Serif");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(lf.lfHeight, -MulDiv(6, dpi, 72));

    ExpectGlyphsFor(font, L"菜单创建于格卢玛2026/12/6 18:12:05");
    ExpectGlyphsFor(pickerFont, L"2026/12/6 00:00");
}

TEST_F(NoteTest, TheNoteMenuHasItsSevenItemsInOrderWithHideWhenMinimisedChecked) {
    frmNote* note = NewNote();
    HMENU menu = note->mnopt().Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 7);
    struct Expected {
        const wchar_t* caption;  // null: separator
        UINT id;
        bool checked;
    };
    const Expected items[] = {
        {L"打开文件中保存的格卢玛", frmNote::mnuOpenNotes, false},
        {L"保存格卢玛的内容到文件", frmNote::mnuSaveNotes, false},
        {L"设置定时提醒功能", frmNote::mnuSetDateTime, false},
        {nullptr, 0, false},
        {L"使用帮助", frmNote::mnuHelpForGluma, false},
        {L"始终在最前面", frmNote::mnuStayOnTop, false},
        {L"当最小化的时候隐藏标签", frmNote::mnuHideMin, true},
    };
    for (int i = 0; i < 7; ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        mii.dwTypeData = text;
        mii.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) << i;
        EXPECT_EQ(mii.hSubMenu, nullptr) << i;
        if (!items[i].caption) {
            EXPECT_TRUE(mii.fType & MFT_SEPARATOR) << i;
            continue;
        }
        EXPECT_EQ(std::wstring(text), items[i].caption) << i;
        EXPECT_EQ(mii.wID, items[i].id) << i;
        EXPECT_EQ((mii.fState & MFS_CHECKED) != 0, items[i].checked) << i;
        EXPECT_FALSE(mii.fState & (MFS_DISABLED | MFS_GRAYED)) << i;
    }
    EXPECT_EQ(GetMenu(note->Handle()), nullptr) << "no menu bar";
}

// Ends the next popup menu from inside its own loop, noting which menu it showed and where.
struct MenuWatch {
    static inline HMENU shown = nullptr;
    static inline RECT rect{};
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (popup && IsWindowVisible(popup)) {
            shown = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            GetWindowRect(popup, &rect);
        }
        EndMenu();
    }
    static void Arm() {
        shown = nullptr;
        SetTimer(nullptr, 0, 200, &MenuWatch::OnTimer);
    }
};

TEST_F(NoteTest, AClickOnTheMenuLabelPopsUpTheNoteMenuAtThePointer) {
    frmNote* note = NewNote();
    POINT screen = Centre(note->Label1().Rect());
    ClientToScreen(note->Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    wintest::Pump(50);
    MenuWatch::Arm();
    Click(*note, note->Label1());
    EXPECT_EQ(MenuWatch::shown, note->mnopt().Handle());
    EXPECT_EQ(MenuWatch::rect.left, screen.x);
    EXPECT_EQ(MenuWatch::rect.top, screen.y);

    // Any other press opens nothing: the menu belongs to the label's left click.
    MenuWatch::Arm();
    Click(note->Handle(), POINT{230, 30}, tk::kRightButton);
    Click(note->Handle(), Centre(note->labTime().Rect()), tk::kRightButton);
    Click(note->Handle(), Centre(note->Label1().Rect()), tk::kRightButton);
    wintest::Pump(300);
    EXPECT_EQ(MenuWatch::shown, nullptr);
}

TEST_F(NoteTest, TheLeftPressOnTheCardOrTheStampStartsTheSystemsMoveAndNothingElseDoes) {
    frmNote* note = NewNote();
    HWND hwnd = note->Handle();
    DragSpy spy(hwnd);

    Press(hwnd, tk::kLeftButton, POINT{230, 30});  // the card between the stamp and the marks
    EXPECT_EQ(spy.requests, 1);
    EXPECT_EQ(spy.lastPoint, 0);
    EXPECT_FALSE(spy.captureHeldAtRequest) << "the mouse is given up first";
    Release(hwnd, tk::kLeftButton, POINT{230, 30});
    Press(hwnd, tk::kLeftButton, POINT{10, 100});  // the card's left margin
    EXPECT_EQ(spy.requests, 2);
    Release(hwnd, tk::kLeftButton, POINT{10, 100});

    Press(hwnd, tk::kLeftButton, Centre(note->labTime().Rect()));
    EXPECT_EQ(spy.requests, 3);
    EXPECT_FALSE(spy.captureHeldAtRequest) << "the label's press took the mouse, the drag gave it up";
    Release(hwnd, tk::kLeftButton, Centre(note->labTime().Rect()));

    // Other buttons, and the menu label, do not drag.
    Press(hwnd, tk::kRightButton, POINT{230, 30});
    Release(hwnd, tk::kRightButton, POINT{230, 30});
    Press(hwnd, tk::kRightButton, Centre(note->labTime().Rect()));
    Release(hwnd, tk::kRightButton, Centre(note->labTime().Rect()));
    SendMessageW(hwnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(230, 30));
    SendMessageW(hwnd, WM_MBUTTONUP, 0, MAKELPARAM(230, 30));
    Press(hwnd, tk::kLeftButton, Centre(note->Label1().Rect()));
    EXPECT_EQ(spy.requests, 3);
    SendMessageW(hwnd, WM_CANCELMODE, 0, 0);  // no release: no menu
    ReleaseCapture();

    // The text box and the pickers lie over the card: a press there reaches them, not the
    // note.
    note->mnopt().Click(frmNote::mnuSetDateTime);
    for (HWND control : {note->txtNote().Handle(), note->myDate().Handle(), note->myTime().Handle()}) {
        RECT r = ChildRect(hwnd, control);
        POINT inside = {r.left + 5, r.top + 5};
        EXPECT_EQ(ChildWindowFromPointEx(hwnd, inside, CWP_SKIPINVISIBLE), control);
        POINT screen = inside;
        ClientToScreen(hwnd, &screen);
        EXPECT_NE(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), HTCAPTION);
    }
    EXPECT_EQ(spy.requests, 3);
}

TEST_F(NoteTest, TheCloseCrossClosesAtOnceWithoutAskingAndLeavesTheOthers) {
    frmNote* keep = NewNote();
    frmNote* note = NewNote();
    note->txtNote().SetText(L"未保存的文字");
    note->mnopt().Click(frmNote::mnuSetDateTime);
    note->lblMinimise_Click();  // armed and hidden
    note->Show();
    HWND hwnd = note->Handle();
    ASSERT_EQ(tk::LoadedForms::Count(), 3);

    Click(*note, note->lblClose());  // `note` is gone from here on
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(tk::LoadedForms::Count(), 2);
    EXPECT_EQ(tk::LoadedForms::Item(1), keep);
    EXPECT_TRUE(keep->IsVisible());
    EXPECT_TRUE(IsWindow(main->Handle())) << "the program goes on";
    EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr) << "no question was asked";

    Click(*keep, keep->lblClose());
    EXPECT_EQ(tk::LoadedForms::Count(), 1) << "closing the last note leaves the main window";
    EXPECT_TRUE(IsWindow(main->Handle()));
}

TEST_F(NoteTest, ThePressMustBeReleasedOnTheMarkToClose) {
    frmNote* note = NewNote();
    HWND hwnd = note->Handle();
    Press(hwnd, tk::kLeftButton, Centre(note->lblClose().Rect()));
    Release(hwnd, tk::kLeftButton, POINT{150, 30});  // slid off the cross
    EXPECT_TRUE(IsWindow(hwnd));
    Click(hwnd, Centre(note->lblClose().Rect()), tk::kRightButton);
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(NoteTest, TheMinimiseStrokeHidesAndArmsWithTheMarkOn) {
    frmNote* note = NewNote();
    ASSERT_TRUE(note->mnopt().Checked(frmNote::mnuHideMin));
    Click(*note, note->lblMinimise());
    EXPECT_FALSE(note->IsVisible());
    EXPECT_FALSE(note->IsMinimised());
    EXPECT_TRUE(note->tmrEvent().Enabled()) << "hiding always arms, even without a reminder";
    EXPECT_EQ(tk::LoadedForms::Count(), 2) << "hidden, not closed";

    // The tray's show-all brings it back.
    mnuShowAll_Click();
    EXPECT_TRUE(note->IsVisible());
}

TEST_F(NoteTest, TheMinimiseStrokeMinimisesWithTheMarkOffAndArmsOnlyAfterATimeChange) {
    frmNote* note = NewNote();
    note->mnopt().Click(frmNote::mnuHideMin);
    Click(*note, note->lblMinimise());
    EXPECT_TRUE(note->IsMinimised());
    EXPECT_TRUE(note->IsVisible()) << "minimised, still in the taskbar";
    EXPECT_FALSE(note->tmrEvent().Enabled());

    // The system's restore brings it back; a changed time is armed by the next stroke.
    SendMessageW(note->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(note->IsMinimised());
    note->myTime_Change();
    Click(*note, note->lblMinimise());
    EXPECT_TRUE(note->IsMinimised());
    EXPECT_TRUE(note->tmrEvent().Enabled());
    EXPECT_FALSE(note->TimeChanged()) << "armed: the change is used up";
}

TEST_F(NoteTest, TheFrameOutsideTheShapeGivesATaskbarEntryAndTheSystemsRestore) {
    frmNote* note = NewNote();
    const LONG_PTR style = GetWindowLongPtrW(note->Handle(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(note->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME) << "no sizing border";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW) << "a taskbar entry";
    EXPECT_EQ(GetWindow(note->Handle(), GW_OWNER), nullptr) << "no owner";
    EXPECT_EQ(note->Caption(), L"Gluma Note");
}

TEST_F(NoteTest, TheKeyboardComesBackToWhereItWasWhenTheNoteIsActivatedAgain) {
    frmNote* note = NewNote();
    frmNote* other = NewNote();
    EXPECT_EQ(GetFocus(), other->txtNote().Handle());
    note->Show();
    EXPECT_EQ(GetFocus(), note->txtNote().Handle());
    note->mnopt().Click(frmNote::mnuSetDateTime);
    SetFocus(note->myTime().Handle());
    other->Show();
    EXPECT_EQ(GetFocus(), other->txtNote().Handle());
    note->Show();
    EXPECT_EQ(GetFocus(), note->myTime().Handle());
    // Hiding the pickers sends the keyboard back to the text next time.
    note->mnopt().Click(frmNote::mnuSetDateTime);
    other->Show();
    note->Show();
    EXPECT_EQ(GetFocus(), note->txtNote().Handle());
}

TEST_F(NoteTest, TextTypedIntoTheNoteStaysInItsTextBoxChineseIncluded) {
    frmNote* note = NewNote();
    HWND edit = note->txtNote().Handle();
    for (wchar_t c : std::wstring(L"买菜 abc"))
        SendMessageW(edit, WM_CHAR, c, 0);
    SendMessageW(edit, WM_CHAR, L'\r', 0);
    SendMessageW(edit, WM_CHAR, L'x', 0);
    EXPECT_EQ(note->txtNote().Text(), L"买菜 abc\r\nx");
}

TEST_F(NoteTest, TwoNotesAreIndependent) {
    frmNote* a = NewNote();
    frmNote* b = NewNote();
    RECT bBefore;
    GetWindowRect(b->Handle(), &bBefore);

    // Move a, make it topmost, show its pickers, change its time, arm and hide it.
    SetWindowPos(a->Handle(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    a->mnopt().Click(frmNote::mnuStayOnTop);
    a->mnopt().Click(frmNote::mnuSetDateTime);
    a->myTime_Change();
    a->txtNote().SetText(L"a");
    Click(*a, a->lblMinimise());
    ASSERT_FALSE(a->IsVisible());
    ASSERT_TRUE(a->tmrEvent().Enabled());

    RECT bAfter;
    GetWindowRect(b->Handle(), &bAfter);
    EXPECT_TRUE(bAfter == bBefore);
    EXPECT_TRUE(b->IsVisible());
    EXPECT_FALSE(TopMost(b->Handle()));
    EXPECT_FALSE(b->mnopt().Checked(frmNote::mnuStayOnTop));
    EXPECT_FALSE(b->mnopt().Checked(frmNote::mnuSetDateTime));
    EXPECT_FALSE(b->myTime().Visible());
    EXPECT_EQ(b->txtNote().Height(), frmNote::kTextHeight);
    EXPECT_FALSE(b->TimeChanged());
    EXPECT_FALSE(b->tmrEvent().Enabled());
    EXPECT_EQ(b->txtNote().Text(), L"");

    // Closing b leaves a armed, hidden and topmost.
    Click(*b, b->lblClose());
    EXPECT_TRUE(a->tmrEvent().Enabled());
    EXPECT_FALSE(a->IsVisible());
    EXPECT_TRUE(TopMost(a->Handle()));
    EXPECT_EQ(a->txtNote().Text(), L"a");
}

}  // namespace
