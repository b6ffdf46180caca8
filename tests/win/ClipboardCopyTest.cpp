// cDIBSection::CopyToClipboard with the real clipboard: the bitmap that arrives, the
// refusal message, and a clipboard held open by someone else.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "DibSectionTestUtil.h"
#include "WinTestUtil.h"
#include "toolkit/Gdi.h"

using dibtest::GdiObjectCount;

namespace {

const wchar_t kMarkerText[] = L"GlumaNote clipboard marker";

// Leaves one text on the clipboard, so a test can tell whether it was touched.
void PutMarkerOnClipboard() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof kMarkerText);
    std::memcpy(GlobalLock(mem), kMarkerText, sizeof kMarkerText);
    GlobalUnlock(mem);
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, mem), nullptr);
    CloseClipboard();
}

bool MarkerIsOnClipboard() {
    if (!OpenClipboard(nullptr)) return false;
    bool found = false;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        auto* text = static_cast<const wchar_t*>(GlobalLock(h));
        found = text && std::wstring(text) == kMarkerText;
        GlobalUnlock(h);
    }
    CloseClipboard();
    return found;
}

std::shared_ptr<cDIBSection> NoisyPicture(int w, int h) {
    auto dib = cDIBSection::New();
    if (!dib->Create(w, h)) return nullptr;
    dib->RandomiseBits(false);
    // A few fixed pixels, so the picture is not all noise
    dibtest::SetColourAt(*dib, 0, 0, 0x0000FF);      // top-left blue
    dibtest::SetColourAt(*dib, w - 1, h - 1, 0xFF0000);  // bottom-right red
    return dib;
}

// What a bitmap shows, as 24-bit bottom-up rows like the DIB's.
std::vector<uint8_t> BitmapBytes(HBITMAP bmp, int w, int h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> bytes(static_cast<size_t>((3 * w + 3) & ~3) * h);
    tk::ScopedGetDC screen(nullptr);
    if (GetDIBits(screen.Get(), bmp, 0, h, bytes.data(), &bi, DIB_RGB_COLORS) != h) return {};
    return bytes;
}

// Watches for the program's message box from a thread timer: records what it says and
// presses its button. Thread timers run inside the box's own message loop.
struct BoxWatch {
    static BoxWatch* current;
    int seen = 0;
    std::wstring caption, text;
    int buttons = 0;
    bool hasOk = false;
    UINT_PTR timer = 0;

    BoxWatch() {
        current = this;
        timer = SetTimer(nullptr, 0, 100, &BoxWatch::Tick);
    }
    ~BoxWatch() {
        KillTimer(nullptr, timer);
        current = nullptr;
    }

    static BOOL CALLBACK Child(HWND child, LPARAM) {
        wchar_t cls[64] = {}, txt[256] = {};
        GetClassNameW(child, cls, 64);
        GetWindowTextW(child, txt, 256);
        if (lstrcmpiW(cls, L"Button") == 0 && IsWindowVisible(child)) {
            ++current->buttons;
            if (GetDlgCtrlID(child) == IDOK) current->hasOk = true;
        } else if (lstrcmpiW(cls, L"Static") == 0 && txt[0]) {
            current->text = txt;
        }
        return TRUE;
    }

    static BOOL CALLBACK Top(HWND hwnd, LPARAM) {
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
        ++current->seen;
        wchar_t cap[256] = {};
        GetWindowTextW(hwnd, cap, 256);
        current->caption = cap;
        EnumChildWindows(hwnd, &BoxWatch::Child, 0);
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return FALSE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current) EnumThreadWindows(GetCurrentThreadId(), &BoxWatch::Top, 0);
    }
};
BoxWatch* BoxWatch::current = nullptr;

// Another thread holds the clipboard open with a window of its own, as another program
// would. (Opened without a window, the clipboard would let any other caller without a
// window in as well.)
class ClipboardHolder {
public:
    ClipboardHolder() : m_thread([this] { Run(); }) {
        while (!m_ready) Sleep(5);
    }
    ~ClipboardHolder() {
        m_release = true;
        m_thread.join();
    }
    HWND Window() const { return m_hwnd; }
    bool Opened() const { return m_opened; }

private:
    void Run() {
        m_hwnd = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        m_opened = m_hwnd && OpenClipboard(m_hwnd);
        m_ready = true;
        while (!m_release) Sleep(5);
        if (m_opened) CloseClipboard();
        if (m_hwnd) DestroyWindow(m_hwnd);
    }

    std::atomic<bool> m_ready{false}, m_release{false}, m_opened{false};
    HWND m_hwnd = nullptr;
    std::thread m_thread;
};

TEST(ClipboardCopy, AsBitmapPutsOneBitmapThatShowsTheDibAndReturnsTrue) {
    PutMarkerOnClipboard();
    auto dib = NoisyPicture(284, 210);
    ASSERT_NE(dib, nullptr);
    GdiFlush();
    const auto* bits = static_cast<const uint8_t*>(dib->DIBSectionBitsPtr());
    std::vector<uint8_t> want(bits, bits + 852 * 210);

    EXPECT_TRUE(dib->CopyToClipboard(false));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "the clipboard was emptied first";
    auto bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(bmp, nullptr);
    BITMAP bm = {};
    ASSERT_NE(GetObjectW(bmp, sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 284);
    EXPECT_EQ(bm.bmHeight, 210);
    std::vector<uint8_t> got = BitmapBytes(bmp, 284, 210);
    CloseClipboard();
    EXPECT_TRUE(got == want) << "the clipboard's bitmap shows other pixels than the DIB";
    EXPECT_EQ(std::memcmp(dib->DIBSectionBitsPtr(), want.data(), want.size()), 0) << "the DIB is unchanged";
}

TEST(ClipboardCopy, AsDibSaysItCannotLeavesTheClipboardAndReturnsFalse) {
    PutMarkerOnClipboard();
    const DWORD sequence = GetClipboardSequenceNumber();
    auto dib = NoisyPicture(20, 10);
    ASSERT_NE(dib, nullptr);
    BoxWatch watch;
    EXPECT_FALSE(dib->CopyToClipboard());  // bAsDIB is true by default
    EXPECT_EQ(watch.seen, 1);
    EXPECT_EQ(watch.caption, L"GlumaNote");
    EXPECT_EQ(watch.text, L"I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!");
    EXPECT_EQ(watch.buttons, 1);
    EXPECT_TRUE(watch.hasOk);
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    EXPECT_TRUE(MarkerIsOnClipboard());
}

TEST(ClipboardCopy, WhileAnotherThreadHoldsTheClipboardItFailsQuietlyAndKeepsNoBitmap) {
    PutMarkerOnClipboard();
    auto dib = NoisyPicture(64, 32);
    ASSERT_NE(dib, nullptr);
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Opened());
        ASSERT_EQ(GetOpenClipboardWindow(), holder.Window()) << "the clipboard is really held";
        const DWORD sequence = GetClipboardSequenceNumber();
        BoxWatch watch;

        EXPECT_FALSE(dib->CopyToClipboard(false));
        // Wine may cache an object for the desktop's DC on the first call; a bitmap lost
        // per call shows as growth over the next ones.
        const int start = GdiObjectCount();
        for (int i = 0; i < 20; ++i) EXPECT_FALSE(dib->CopyToClipboard(false));
        EXPECT_EQ(GdiObjectCount(), start) << "the bitmaps that did not reach the clipboard are deleted";
        wintest::Pump(300);
        EXPECT_EQ(watch.seen, 0) << "no message";
        EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    }
    EXPECT_TRUE(MarkerIsOnClipboard());
}

TEST(ClipboardCopy, AnObjectWithoutAPictureFailsAndLeavesTheClipboard) {
    PutMarkerOnClipboard();
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(30, 20));
    dib->ClearUp();
    const DWORD sequence = GetClipboardSequenceNumber();
    EXPECT_FALSE(dib->CopyToClipboard(false));
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    EXPECT_TRUE(MarkerIsOnClipboard());
}

}  // namespace
