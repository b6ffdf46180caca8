// The about box and the tray's about and home-page commands, driven through the tray
// menu's items as the user reaches them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "WinTestUtil.h"
#include "resources/resource.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/modSysTray.h"
#include "toolkit/Ansi.h"
#include "toolkit/LoadedForms.h"
#include "toolkit/Screen.h"
#include "toolkit/WebPage.h"
#include "toolkit/core/Rounding.h"

namespace {

// What the program asked the shell to open, instead of starting a browser.
struct ShellCall {
    HWND owner;
    std::string verb;
    std::string file;
    bool noParameters;
    bool noDirectory;
    INT show;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordShellOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                 INT show) {
    g_shellCalls.push_back({owner, verb ? verb : "(null)", file ? file : "(null)", parameters == nullptr,
                            directory == nullptr, show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // "success"
}

// A layout rectangle designed in twips, in client pixels.
RECT Twips(double left, double top, double width, double height) {
    int x = tk::RoundHalfEven(left / tk::TwipsPerPixelX());
    int y = tk::RoundHalfEven(top / tk::TwipsPerPixelY());
    return RECT{x, y, x + tk::RoundHalfEven(width / tk::TwipsPerPixelX()),
                y + tk::RoundHalfEven(height / tk::TwipsPerPixelY())};
}

RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring Text(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// Visible top-level windows of this process with the given caption.
int VisibleWindowsCaptioned(const std::wstring& caption) {
    struct Search {
        std::wstring caption;
        int count;
    } search{caption, 0};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && Text(hwnd) == s->caption) ++s->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void ClickAt(HWND hwnd, POINT pt) {
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// The program as it runs: the hidden main window with its tray menu (once for the suite:
// the tray icon is slow to add), and the shell's "open" recorded instead of run.
class AboutBoxTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(tk::LoadedForms::Count(), 0);
        main = tk::LoadForm<frmMain>();
    }
    static void TearDownTestSuite() {
        DeleteTrayIcon();
        if (main) main->Destroy();
        main = nullptr;
        wintest::Pump(20);
    }
    void SetUp() override {
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(tk::LoadedForms::Count(), 1);
        g_shellCalls.clear();
        m_previousOpener = tk::SetShellOpener(RecordShellOpen);
    }
    void TearDown() override {
        if (frmAbout* about = frmAbout::Loaded()) about->Destroy();
        wintest::Pump(20);
        tk::SetShellOpener(m_previousOpener);
    }
    static frmAbout* ChooseAbout() {
        main->mnuOptions().Click(frmMain::mnuAbout);
        wintest::Pump(30);
        return frmAbout::Loaded();
    }
    // Unloaded forms delete themselves once their window is gone.
    static bool WaitUnloaded() {
        wintest::Pump(1000, [] { return frmAbout::Loaded() == nullptr; });
        return frmAbout::Loaded() == nullptr;
    }

    static frmMain* main;
    tk::ShellOpener m_previousOpener = nullptr;
};
frmMain* AboutBoxTest::main = nullptr;

TEST_F(AboutBoxTest, AboutCommandShowsTheBoxCaptionedSizedAndCentred) {
    frmAbout* about = ChooseAbout();
    ASSERT_NE(about, nullptr);
    HWND hwnd = about->Handle();
    EXPECT_TRUE(about->IsVisible());
    EXPECT_EQ(about->Caption(), L"关于 \"ZQ\"桌面格卢玛");
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr) << "modeless and without an owner";

    // Client area 5280 x 2655 twips, in the form's own unit and in pixels.
    EXPECT_EQ(about->GetScaleMode(), tk::ScaleMode::Twips);
    EXPECT_NEAR(about->ClientWidth(), 5280, tk::TwipsPerPixelX() / 2);
    EXPECT_NEAR(about->ClientHeight(), 2655, tk::TwipsPerPixelY() / 2);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, tk::RoundHalfEven(5280 / tk::TwipsPerPixelX()));
    EXPECT_EQ(client.bottom, tk::RoundHalfEven(2655 / tk::TwipsPerPixelY()));
    if (tk::TwipsPerPixelX() == 15 && tk::TwipsPerPixelY() == 15) {
        EXPECT_EQ(client.right, 352);
        EXPECT_EQ(client.bottom, 177);
    }

    // A fixed dialog frame: caption and close box, no sizing, no minimise or maximise.
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));

    RECT outer;
    GetWindowRect(hwnd, &outer);
    POINT centre = Centre(outer);
    EXPECT_NEAR(centre.x, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(centre.y, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(AboutBoxTest, ControlsSitWhereDesignedWithTheirContent) {
    frmAbout* about = ChooseAbout();
    ASSERT_NE(about, nullptr);

    // Picture1: the program icon.
    HWND picture = about->Picture1().Handle();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(GetParent(picture), about->Handle());
    EXPECT_TRUE(IsWindowVisible(picture));
    ExpectRect(ChildRect(picture), Twips(120, 240, 615, 495), "Picture1");
    EXPECT_EQ(_wcsicmp(ClassOf(picture).c_str(), L"Static"), 0);
    HICON programIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GLUMANOTE),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                      GetSystemMetrics(SM_CYICON), LR_SHARED));
    ASSERT_NE(programIcon, nullptr);
    EXPECT_EQ(about->Picture1().Icon(), programIcon);

    // The labels: name and version, copyright, link.
    ExpectRect(about->Label2().Rect(), Twips(1080, 240, 3015, 375), "Label2");
    EXPECT_EQ(about->Label2().Caption(), L"\"ZQ\"桌面格卢玛 1.8 版本");
    ExpectRect(about->Label4().Rect(), Twips(1080, 720, 3135, 375), "Label4");
    EXPECT_NE(about->Label4().Caption().find(L"版权所有"), std::wstring::npos) << "a copyright line";
    ExpectRect(about->Label1().Rect(), Twips(1080, 1200, 4095, 495), "Label1");
    EXPECT_EQ(about->Label1().Caption(), tk::kHomePage);
    EXPECT_EQ(std::wstring(tk::kHomePage).rfind(L"https://", 0), 0u) << "a plain web address";
    EXPECT_EQ(about->Labels().size(), 3u);

    // Command1: a real default push button captioned OK.
    HWND button = about->Command1().Handle();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetParent(button), about->Handle());
    EXPECT_EQ(_wcsicmp(ClassOf(button).c_str(), L"Button"), 0);
    EXPECT_EQ(Text(button), L"OK");
    EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    ExpectRect(ChildRect(button), Twips(1800, 1920, 1215, 495), "Command1");
    if (tk::TwipsPerPixelX() == 15 && tk::TwipsPerPixelY() == 15) ExpectRect(ChildRect(button), {120, 128, 201, 161}, "at 96 dpi");
}

TEST_F(AboutBoxTest, LinkLabelHasItsFontPointerAndTooltip) {
    frmAbout* about = ChooseAbout();
    ASSERT_NE(about, nullptr);
    const tk::LabelArgs& link = about->Label1().Args();

    ASSERT_NE(link.font, nullptr);
    LOGFONTW lf = {};
    ASSERT_EQ(GetObjectW(link.font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    std::wstring face = lf.lfFaceName;
    EXPECT_TRUE(face == L"宋体" || face == L"SimSun") << "face";
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_LE(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(lf.lfHeight, -MulDiv(9, dpi, 72)) << "9 points";

    // The pointing hand from the program's resources, shown over the label.
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINKHAND));
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(link.cursor, hand);
    POINT over = Centre(about->Label1().Rect());
    ClientToScreen(about->Handle(), &over);
    SetCursorPos(over.x, over.y);
    SendMessageW(about->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), hand);

    // The tooltip control of the box holds the address for the label's rectangle.
    EXPECT_EQ(link.tooltip, tk::kHomePage);
    struct Owned {
        HWND owner;
        HWND tooltip;
    } search{about->Handle(), nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Owned*>(lp);
            if (_wcsicmp(ClassOf(hwnd).c_str(), TOOLTIPS_CLASSW) == 0 && GetWindow(hwnd, GW_OWNER) == s->owner)
                s->tooltip = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    HWND tooltip = search.tooltip;
    ASSERT_NE(tooltip, nullptr);
    bool found = false;
    int tools = static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < tools; ++i) {
        wchar_t text[256] = {};
        TTTOOLINFOW ti = {};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.lpszText = text;
        if (SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&ti)) &&
            std::wstring(text) == tk::kHomePage) {
            found = true;
            ExpectRect(ti.rect, about->Label1().Rect(), "tooltip area");
        }
    }
    EXPECT_TRUE(found) << "a tool with the address";
}

TEST_F(AboutBoxTest, AboutCommandTwiceLeavesOneBox) {
    frmAbout* first = ChooseAbout();
    ASSERT_NE(first, nullptr);
    HWND hwnd = first->Handle();
    EXPECT_EQ(tk::LoadedForms::Count(), 2) << "the box counts in LoadedForms";
    EXPECT_EQ(tk::LoadedForms::Item(1), first);

    EXPECT_EQ(ChooseAbout(), first);
    EXPECT_EQ(first->Handle(), hwnd);
    EXPECT_EQ(tk::LoadedForms::Count(), 2);
    EXPECT_EQ(VisibleWindowsCaptioned(L"关于 \"ZQ\"桌面格卢玛"), 1);

    // Hidden (the user cannot, but nothing forbids it): the command shows it again, and
    // so does show-all with the notes.
    first->Hide();
    EXPECT_EQ(ChooseAbout(), first);
    EXPECT_TRUE(first->IsVisible());
    first->Hide();
    main->mnuOptions().Click(frmMain::mnuShowAll);
    EXPECT_TRUE(first->IsVisible());
    EXPECT_FALSE(main->IsVisible());
}

TEST_F(AboutBoxTest, OkUnloadsTheBoxAndTheNextCommandLoadsItAfresh) {
    for (int round = 0; round < 3; ++round) {
        frmAbout* about = ChooseAbout();
        ASSERT_NE(about, nullptr) << round;
        HWND hwnd = about->Handle();
        ASSERT_EQ(tk::LoadedForms::Count(), 2) << round;

        about->Command1().Click();
        ASSERT_TRUE(WaitUnloaded()) << round;
        EXPECT_FALSE(IsWindow(hwnd)) << round;
        EXPECT_EQ(tk::LoadedForms::Count(), 1) << round;
        EXPECT_EQ(tk::LoadedForms::Item(0), main) << round;
        EXPECT_EQ(VisibleWindowsCaptioned(L"关于 \"ZQ\"桌面格卢玛"), 0) << round;
    }
}

TEST_F(AboutBoxTest, EnterEscAndTheCloseBoxAlsoClose) {
    struct Way {
        const char* name;
        void (*close)(frmAbout&);
    };
    const Way ways[] = {
        {"Enter", [](frmAbout& a) { SendMessageW(a.Command1().Handle(), WM_KEYDOWN, VK_RETURN, 1); }},
        {"Esc", [](frmAbout& a) { SendMessageW(a.Command1().Handle(), WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"close box", [](frmAbout& a) { SendMessageW(a.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Way& way : ways) {
        frmAbout* about = ChooseAbout();
        ASSERT_NE(about, nullptr) << way.name;
        way.close(*about);
        EXPECT_TRUE(WaitUnloaded()) << way.name;
        EXPECT_EQ(tk::LoadedForms::Count(), 1) << way.name;
    }
    // Other keys on the button leave the box alone.
    frmAbout* about = ChooseAbout();
    ASSERT_NE(about, nullptr);
    SendMessageW(about->Command1().Handle(), WM_KEYDOWN, 'A', 1);
    SendMessageW(about->Command1().Handle(), WM_KEYDOWN, VK_TAB, 1);
    wintest::Pump(50);
    EXPECT_EQ(frmAbout::Loaded(), about);
}

TEST_F(AboutBoxTest, ActivatedBoxGivesTheFocusToOk) {
    frmAbout* about = ChooseAbout();
    ASSERT_NE(about, nullptr);
    SetFocus(about->Handle());
    EXPECT_EQ(GetFocus(), about->Command1().Handle());
}

TEST_F(AboutBoxTest, LinkClickOpensTheHomePageOwnedByTheBoxAndLeavesItOpen) {
    frmAbout* about = ChooseAbout();
    ASSERT_NE(about, nullptr);

    ClickAt(about->Handle(), Centre(about->Label2().Rect()));  // not a link
    ClickAt(about->Handle(), Centre(about->Label4().Rect()));
    EXPECT_TRUE(g_shellCalls.empty());

    ClickAt(about->Handle(), Centre(about->Label1().Rect()));
    wintest::Pump(30);
    ASSERT_EQ(g_shellCalls.size(), 1u);
    const ShellCall& call = g_shellCalls[0];
    EXPECT_EQ(call.owner, about->Handle());
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.file, tk::ToAnsi(about->Label1().Caption()));
    EXPECT_TRUE(call.noParameters);
    EXPECT_TRUE(call.noDirectory);
    EXPECT_EQ(call.show, 0);

    EXPECT_EQ(frmAbout::Loaded(), about);
    EXPECT_TRUE(about->IsVisible());
    EXPECT_EQ(tk::LoadedForms::Count(), 2);

    // A press that leaves the label before the release is no click.
    SendMessageW(about->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(about->Label1().Rect()).x,
                                                                         Centre(about->Label1().Rect()).y));
    SendMessageW(about->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(g_shellCalls.size(), 1u);
}

TEST_F(AboutBoxTest, HomePageCommandOpensTheAddressOwnedByTheMainWindow) {
    main->mnuOptions().Click(frmMain::mnuHomePage);
    ASSERT_EQ(g_shellCalls.size(), 1u);
    const ShellCall& call = g_shellCalls[0];
    EXPECT_EQ(call.owner, main->Handle());
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.file, tk::ToAnsi(tk::kHomePage));
    EXPECT_EQ(call.file.rfind("https://", 0), 0u);
    EXPECT_TRUE(call.noParameters);
    EXPECT_TRUE(call.noDirectory);
    EXPECT_EQ(call.show, 0);
    EXPECT_EQ(tk::LoadedForms::Count(), 1) << "no window of ours";
}

}  // namespace
