#include "shell/frmAbout.h"

#include "resources/resource.h"
#include "resources/version.h"
#include "toolkit/Application.h"
#include "toolkit/LoadedForms.h"
#include "toolkit/Dpi.h"
#include "toolkit/SystemColours.h"
#include "toolkit/WebPage.h"

const wchar_t kAboutCaption[] = L"关于 \"ZQ\"桌面格卢玛";
// Version and copyright come from version.h, as the version resource's do.
const wchar_t kAboutVersion[] = L"\"ZQ\"桌面格卢玛 " GLUMA_VERSION_STRING L" 版本";
const wchar_t kAboutCopyright[] = L"" GLUMA_COPYRIGHT;

namespace {

// The layout at 96 dpi; LayOut scales it to the box's DPI.
constexpr int kClientWidth96 = 352;
constexpr int kClientHeight96 = 177;

tk::FormStyle AboutStyle() {
    tk::FormStyle style;
    // A fixed dialog frame: a caption with the close box, no resizing, no minimising.
    style.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
    style.exStyle = WS_EX_DLGMODALFRAME;
    style.clientWidth = kClientWidth96;
    style.clientHeight = kClientHeight96;
    return style;
}

// The program icon at a size (the system's icon sizes for the box's DPI); the caller owns it.
HICON ProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(tk::Instance(), MAKEINTRESOURCEW(IDI_GLUMANOTE), IMAGE_ICON, size, size, 0));
}

}  // namespace

frmAbout::frmAbout() : Form(AboutStyle()), m_access(*this, m_command1, [this] { Label1_Click(); }) {}

frmAbout* frmAbout::Loaded() {
    for (int i = 0; i < tk::LoadedForms::Count(); ++i) {
        if (auto* about = dynamic_cast<frmAbout*>(tk::LoadedForms::Item(i))) return about;
    }
    return nullptr;
}

void frmAbout::ShowAbout() {
    frmAbout* about = Loaded();
    if (!about) about = tk::LoadForm<frmAbout>();
    if (about) about->Show();
}

void frmAbout::OnCreate() {
    m_picture1.Create(*this, RECT{}, nullptr);

    tk::LabelArgs label2;
    label2.caption = kAboutVersion;
    m_label2 = &Labels().Add(label2);

    tk::LabelArgs label4;
    label4.caption = kAboutCopyright;
    m_label4 = &Labels().Add(label4);

    tk::LabelArgs label1;
    label1.caption = tk::kHomePage;
    label1.tooltip = tk::kHomePage;
    label1.onClick = [this] { Label1_Click(); };
    m_label1 = &Labels().Add(label1);

    tk::ButtonArgs command1;
    command1.id = Command1Id;
    command1.caption = L"OK";
    command1.isDefault = true;
    command1.isCancel = true;
    command1.onClick = [this] { Command1_Click(); };
    m_command1.Create(*this, command1);
    LayOut();
    ApplyColours();
    m_access.Describe(*m_label1, *m_label2, *m_label4);
}

// Places the controls, makes the fonts and loads the icons for the box's DPI.
void frmAbout::LayOut() {
    const int dpi = Dpi();
    tk::ScopedGdiObject<HFONT> text(tk::CreatePointFont(L"宋体", 9, false, false, GB2312_CHARSET, dpi));
    tk::ScopedGdiObject<HFONT> link(tk::CreatePointFont(L"宋体", 9, false, true, GB2312_CHARSET, dpi));
    tk::OwnedIcon large(ProgramIcon(tk::SystemMetricForDpi(SM_CXICON, dpi)));
    tk::OwnedIcon small(ProgramIcon(tk::SystemMetricForDpi(SM_CXSMICON, dpi)));
    // The link's pointing hand at the system's pointer size for the DPI.
    const int pointer = tk::SystemMetricForDpi(SM_CXCURSOR, dpi);
    tk::OwnedIcon hand(static_cast<HICON>(
        LoadImageW(tk::Instance(), MAKEINTRESOURCEW(IDC_LINKHAND), IMAGE_CURSOR, pointer, pointer, 0)));
    // The design at 96 dpi: left, top, width and height, each scaled on its own.
    auto at = [dpi](int left, int top, int width, int height) { return tk::ScaleBox(left, top, width, height, dpi); };
    tk::PlaceControl(m_picture1.Handle(), at(8, 16, 41, 33), nullptr);
    m_picture1.SetIcon(large.Get());
    SetIcon(small.Get(), large.Get());
    Labels().SetLayout(*m_label2, at(72, 16, 201, 25), text.Get());
    Labels().SetLayout(*m_label4, at(72, 48, 209, 25), text.Get());
    Labels().SetLayout(*m_label1, at(72, 80, 273, 33), link.Get());
    Labels().SetCursor(*m_label1, hand.Get());
    tk::PlaceControl(m_command1.Handle(), at(120, 128, 81, 33), text.Get());
    // What the window drew with before goes only now that nothing uses it.
    m_textFont.Reset(text.Release());
    m_linkFont.Reset(link.Release());
    m_largeIcon.Reset(large.Release());
    m_smallIcon.Reset(small.Release());
    m_hand.Reset(hand.Release());
}

void frmAbout::ApplyColours() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), hot = GetSysColor(COLOR_HOTLIGHT);
    Labels().SetInk(tk::ReadableOn(face, {GetSysColor(COLOR_BTNTEXT)}));
    // High contrast has a link colour of its own. Otherwise plain link blue: the theme's
    // hot-track colour is too pale to read on some themes, but it is the next best where
    // blue does not read (a dark face).
    Labels().SetColour(*m_label1, tk::HighContrastOn() ? tk::ReadableOn(face, {hot})
                                                       : tk::ReadableOn(face, {RGB(0, 0, 255), hot}));
    tk::RedrawAll(Handle());
}

void frmAbout::OnLoad() {
    SetCaption(kAboutCaption);
    CentreOnScreen();
}

void frmAbout::CentreOnScreen() {
    RECT r;
    GetWindowRect(Handle(), &r);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmAbout::Label1_Click() {
    // The box stays open: the browser comes up beside it.
    tk::OpenWebPage(Handle());
}

void frmAbout::Command1_Click() { Unload(); }

LRESULT frmAbout::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_access.OnMessage(msg, wParam)) return 0;
    const LRESULT result = Form::HandleMessage(msg, wParam, lParam);
    if (msg == WM_PAINT) m_access.PaintFocus();  // the focus mark over the painted link
    return result;
}
