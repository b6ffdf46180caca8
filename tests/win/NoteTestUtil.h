#pragma once
// Helpers for the note window tests: a fixed clock, a stand-in main window, mouse presses
// on the note as the system delivers them, and a spy on the drag request.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "NoteInputUtil.h"
#include "WinTestUtil.h"
#include "note/frmNote.h"
#include "shell/TrayCommands.h"
#include "toolkit/Clock.h"
#include "toolkit/LoadedForms.h"

namespace notetest {

inline POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A left (or other) press and release at a client point, as the system delivers them to
// the window under the pointer.
inline void Press(HWND hwnd, int button, POINT pt) {
    const UINT down = button == tk::kRightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
    const WPARAM keys = button == tk::kRightButton ? MK_RBUTTON : MK_LBUTTON;
    SendMessageW(hwnd, down, keys, MAKELPARAM(pt.x, pt.y));
}
inline void Release(HWND hwnd, int button, POINT pt) {
    SendMessageW(hwnd, button == tk::kRightButton ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}
inline void Click(HWND hwnd, POINT pt, int button = tk::kLeftButton) {
    Press(hwnd, button, pt);
    Release(hwnd, button, pt);
}
inline void Click(tk::Form& form, const tk::Label& label) { Click(form.Handle(), Centre(label.Rect())); }

// Records the drag requests a window receives (a press on its caption bar, as the note
// asks for one) without starting the system's move loop.
class DragSpy {
public:
    explicit DragSpy(HWND hwnd) : m_hwnd(hwnd) {
        s_self = this;
        m_original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DragSpy::Proc)));
    }
    ~DragSpy() {
        if (IsWindow(m_hwnd)) SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
        s_self = nullptr;
    }
    DragSpy(const DragSpy&) = delete;
    DragSpy& operator=(const DragSpy&) = delete;

    int requests = 0;
    bool captureHeldAtRequest = false;
    LPARAM lastPoint = -1;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCLBUTTONDOWN && wp == HTCAPTION) {
            ++s_self->requests;
            s_self->captureHeldAtRequest = GetCapture() != nullptr;
            s_self->lastPoint = lp;
            return 0;
        }
        return CallWindowProcW(s_self->m_original, hwnd, msg, wp, lp);
    }
    static inline DragSpy* s_self = nullptr;
    HWND m_hwnd;
    WNDPROC m_original;
};

// A stand-in for the hidden main window, an injected clock, and every note made by the
// tests destroyed at the end.
class NoteTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(tk::LoadedForms::Count(), 0);
        main = tk::LoadForm<wintest::TestForm>();
        now = At(2026, 12, 6, 18, 12, 5);
        tk::SetClockForTesting([this] { return now; });
    }
    void TearDown() override {
        while (tk::LoadedForms::Count() > 0) tk::LoadedForms::Item(tk::LoadedForms::Count() - 1)->Destroy();
        tk::SetClockForTesting(nullptr);
        wintest::Pump(20);
    }

    // Runs the new-note command and returns the note it made.
    frmNote* NewNote() {
        const int before = tk::LoadedForms::Count();
        mnuNew_Click();
        EXPECT_EQ(tk::LoadedForms::Count(), before + 1);
        return dynamic_cast<frmNote*>(tk::LoadedForms::Item(tk::LoadedForms::Count() - 1));
    }

    // One tick of the reminder timer at the given time.
    void TickAt(frmNote* note, const SYSTEMTIME& t) {
        now = t;
        SendMessageW(note->Handle(), WM_TIMER, frmNote::idTmrEvent, 0);
    }

    static bool TopMost(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    wintest::TestForm* main = nullptr;
    SYSTEMTIME now{};
};

}  // namespace notetest
