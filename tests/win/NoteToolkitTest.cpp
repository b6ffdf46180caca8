// The toolkit parts a note is made of: text box, timer, date and time pickers, the clock
// and regional date formatting.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "NoteInputUtil.h"
#include "WinTestUtil.h"
#include "toolkit/Clock.h"
#include "toolkit/DatePicker.h"
#include "toolkit/DateTime.h"
#include "toolkit/TextBox.h"
#include "toolkit/Timer.h"

namespace {

using notetest::At;

// A plain form with one of each control, for the wrappers' own tests.
class ControlsForm : public wintest::TestForm {
public:
    tk::TextBox text;
    tk::DatePicker date;
    tk::DatePicker time;
    tk::Timer timer{*this, 7, 30};
    int ticks = 0;
    int dateChanges = 0;
    int timeChanges = 0;

protected:
    void OnCreate() override {
        tk::TextBoxArgs t;
        t.id = 10;
        t.rect = RECT{10, 10, 210, 110};
        t.background = RGB(255, 255, 255);
        text.Create(*this, t);
        tk::DatePickerArgs d;
        d.id = 11;
        d.rect = RECT{10, 120, 110, 140};
        d.kind = tk::PickerKind::Date;
        date.Create(*this, d);
        d.id = 12;
        d.rect = RECT{120, 120, 220, 140};
        d.kind = tk::PickerKind::Time;
        time.Create(*this, d);
        date.OnChange([this] { ++dateChanges; });
        time.OnChange([this] { ++timeChanges; });
    }
    void OnTimer(UINT_PTR id) override {
        if (id == timer.Id()) ++ticks;
    }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_CTLCOLOREDIT) {
            if (HBRUSH b = text.OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)))
                return reinterpret_cast<LRESULT>(b);
        }
        return TestForm::HandleMessage(msg, wp, lp);
    }
};

class ToolkitTest : public testing::Test {
protected:
    void SetUp() override {
        form = tk::LoadForm<ControlsForm>();
        ASSERT_NE(form, nullptr);
        form->Show();
    }
    void TearDown() override {
        form->Destroy();
        tk::SetClockForTesting(nullptr);
    }
    ControlsForm* form = nullptr;
};

TEST_F(ToolkitTest, TheTextBoxHoldsLongTextAndReportsItsHeight) {
    EXPECT_EQ(form->text.Height(), 100);
    form->text.SetHeight(42);
    EXPECT_EQ(form->text.Height(), 42);
    RECT r;
    GetWindowRect(form->text.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 200) << "the width stays";

    // Beyond the 32,767 characters an edit control takes by default: 500 lines of 80.
    std::wstring longText;
    for (int line = 0; line < 500; ++line) longText += std::wstring(40, L'格') + std::wstring(38, L'x') + L"\r\n";
    ASSERT_EQ(longText.size(), 40000u);
    form->text.SetText(longText);
    EXPECT_EQ(form->text.Text(), longText);
    SendMessageW(form->text.Handle(), EM_SETSEL, 40000, 40000);
    SendMessageW(form->text.Handle(), WM_CHAR, L'!', 0);
    EXPECT_EQ(form->text.Text().size(), 40001u) << "typing goes on past the old limit";
    EXPECT_GT(static_cast<size_t>(SendMessageW(form->text.Handle(), EM_GETLIMITTEXT, 0, 0)), 1000000u);

    form->text.SetFocus();
    EXPECT_TRUE(form->text.HasFocus());
}

TEST_F(ToolkitTest, TheTextBoxPaintsOnWhiteAndLeavesOtherControlsAlone) {
    HDC dc = GetDC(form->text.Handle());
    SetBkColor(dc, RGB(1, 2, 3));
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(form->Handle(), WM_CTLCOLOREDIT,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(form->text.Handle())));
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    // Whatever brush object it is, it fills with white on this DC.
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 4, 4);
    HGDIOBJ old = SelectObject(mem, bmp);
    SetDCBrushColor(mem, GetDCBrushColor(dc));
    RECT r = {0, 0, 4, 4};
    FillRect(mem, &r, brush);
    EXPECT_EQ(GetPixel(mem, 1, 1), RGB(255, 255, 255));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    EXPECT_EQ(form->text.OnCtlColor(dc, form->date.Handle()), nullptr);
    ReleaseDC(form->text.Handle(), dc);
}

TEST_F(ToolkitTest, TheTimerTicksOnlyWhileEnabledAndSwitchingItOnAgainKeepsItsRhythm) {
    EXPECT_FALSE(form->timer.Enabled());
    EXPECT_EQ(form->timer.Interval(), 30u);
    wintest::Pump(100);
    EXPECT_EQ(form->ticks, 0);
    form->timer.SetEnabled(true);
    wintest::Pump(2000, [&] { return form->ticks >= 2; });
    EXPECT_GE(form->ticks, 2);
    form->timer.SetEnabled(false);
    wintest::Pump(10);
    const int stopped = form->ticks;
    wintest::Pump(150);
    EXPECT_EQ(form->ticks, stopped);

    // Switching on a running timer does not restart its interval: with an interval far
    // longer than the test, switching on again and again must not produce ticks sooner.
    form->timer.SetInterval(5000);
    form->timer.SetEnabled(true);
    for (int i = 0; i < 5; ++i) form->timer.SetEnabled(true);
    EXPECT_TRUE(form->timer.Enabled());
    form->timer.SetEnabled(false);
    EXPECT_FALSE(form->timer.Enabled());
}

TEST_F(ToolkitTest, TheDatePickerGivesADayWithoutATimeOfDay) {
    form->date.SetValue(At(2026, 2, 28, 13, 14, 15));
    SYSTEMTIME v = form->date.Value();
    EXPECT_EQ(v.wYear, 2026);
    EXPECT_EQ(v.wMonth, 2);
    EXPECT_EQ(v.wDay, 28);
    EXPECT_EQ(v.wHour + v.wMinute + v.wSecond + v.wMilliseconds, 0);
    EXPECT_EQ(form->dateChanges, 0) << "setting the value is no user change";

    // The user moves the year on: still no time of day.
    notetest::TypeInPicker(form->date.Handle(), VK_UP);
    v = form->date.Value();
    EXPECT_NE(v.wYear * 10000 + v.wMonth * 100 + v.wDay, 20260228);
    EXPECT_EQ(v.wHour + v.wMinute + v.wSecond, 0);
    EXPECT_EQ(form->dateChanges, 1);
    EXPECT_EQ(form->timeChanges, 0);
}

TEST_F(ToolkitTest, TheTimePickerShowsHoursAndMinutesAndReportsOnlyRealChanges) {
    form->time.SetValue(At(2026, 5, 5, 9, 5, 44));
    SYSTEMTIME v = form->time.Value();
    EXPECT_EQ(v.wHour, 9);
    EXPECT_EQ(v.wMinute, 5);
    wchar_t text[32] = {};
    GetWindowTextW(form->time.Handle(), text, 32);
    EXPECT_EQ(std::wstring(text), L"09:05");
    EXPECT_EQ(form->timeChanges, 0);

    notetest::TypeInPicker(form->time.Handle(), VK_UP);
    EXPECT_EQ(form->time.Value().wHour, 10);
    EXPECT_EQ(form->timeChanges, 1);

    // A notification without a new value (a drop-down closing on the same value) is none.
    NMDATETIMECHANGE same = {};
    same.nmhdr.hwndFrom = form->time.Handle();
    same.nmhdr.idFrom = 12;
    same.nmhdr.code = DTN_DATETIMECHANGE;
    same.st = form->time.Value();
    SendMessageW(form->Handle(), WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&same));
    EXPECT_EQ(form->timeChanges, 1);
}

TEST_F(ToolkitTest, ThePickersVisibleFlagIsTheirOwnNotTheirParents) {
    form->date.SetVisible(false);
    EXPECT_FALSE(form->date.Visible());
    form->Hide();
    form->date.SetVisible(true);
    EXPECT_TRUE(form->date.Visible()) << "visible as a control while its window is hidden";
    EXPECT_FALSE(IsWindowVisible(form->date.Handle()));
}

TEST(Clock, TheInjectedClockReplacesTheSystemsAndCanBeTakenAway) {
    SYSTEMTIME fixed = At(2031, 7, 4, 5, 6, 7);
    tk::SetClockForTesting([&] { return fixed; });
    SYSTEMTIME now = tk::Now();
    EXPECT_EQ(now.wYear, 2031);
    EXPECT_EQ(now.wSecond, 7);
    SYSTEMTIME today = tk::Today();
    EXPECT_EQ(today.wDay, 4);
    EXPECT_EQ(today.wHour + today.wMinute + today.wSecond + today.wMilliseconds, 0);

    tk::SetClockForTesting(nullptr);
    SYSTEMTIME system;
    GetLocalTime(&system);
    now = tk::Now();
    FILETIME a, b;
    SystemTimeToFileTime(&system, &a);
    SystemTimeToFileTime(&now, &b);
    const auto diff = static_cast<long long>(ULARGE_INTEGER{{b.dwLowDateTime, b.dwHighDateTime}}.QuadPart -
                                             ULARGE_INTEGER{{a.dwLowDateTime, a.dwHighDateTime}}.QuadPart);
    EXPECT_LT(diff < 0 ? -diff : diff, 50LL * 1000 * 10000) << "the system's local time again";
}

TEST(DateTime, DatesAndTimesFollowTheUsersRegionalFormats) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with Chinese regional settings";
    EXPECT_EQ(tk::FormatShortDate(At(2026, 12, 6, 18, 12, 5)), L"2026/12/6");
    EXPECT_EQ(tk::FormatTime(At(2026, 12, 6, 18, 12, 5)), L"18:12:05");
    // Whatever the locale, the same as the system's own formatting.
    SYSTEMTIME t = At(1999, 1, 31, 23, 59, 58);
    wchar_t date[64], time[64];
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, 64);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, 64);
    EXPECT_EQ(tk::FormatShortDate(t), date);
    EXPECT_EQ(tk::FormatTime(t), time);
}

}  // namespace
