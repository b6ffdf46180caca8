#include "shell/frmAbout.h"

#include "resources/resource.h"
#include "resources/version.h"
#include "toolkit/Application.h"
#include "toolkit/LoadedForms.h"
#include "toolkit/Screen.h"
#include "toolkit/WebPage.h"
#include "toolkit/core/Rounding.h"

const wchar_t kAboutCaption[] = L"关于 \"ZQ\"桌面格卢玛";
// Version and copyright come from version.h, as the version resource's do.
const wchar_t kAboutVersion[] = L"\"ZQ\"桌面格卢玛 " GLUMA_VERSION_STRING L" 版本";
const wchar_t kAboutCopyright[] = L"" GLUMA_COPYRIGHT;

namespace {

// The layout is designed in twips (5280 x 2655 client); the window system wants pixels.
const double kClientWidthTwips = 5280;
const double kClientHeightTwips = 2655;

int PixelsX(double twips) { return tk::RoundHalfEven(twips / tk::TwipsPerPixelX()); }
int PixelsY(double twips) { return tk::RoundHalfEven(twips / tk::TwipsPerPixelY()); }

// Left, top, width and height in twips, each converted on its own as the designer does.
RECT TwipsRect(double left, double top, double width, double height) {
    int x = PixelsX(left), y = PixelsY(top);
    return RECT{x, y, x + PixelsX(width), y + PixelsY(height)};
}

tk::FormStyle AboutStyle() {
    tk::FormStyle style;
    // A fixed dialog frame: a caption with the close box, no resizing, no minimising.
    style.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
    style.exStyle = WS_EX_DLGMODALFRAME;
    style.clientWidth = PixelsX(kClientWidthTwips);
    style.clientHeight = PixelsY(kClientHeightTwips);
    style.scaleMode = tk::ScaleMode::Twips;
    return style;
}

HICON ProgramIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(tk::Instance(), MAKEINTRESOURCEW(IDI_GLUMANOTE), IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

frmAbout::frmAbout() : Form(AboutStyle()) {}

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
    m_textFont.Reset(tk::CreatePointFont(L"宋体", 9, false, false, GB2312_CHARSET));
    m_linkFont.Reset(tk::CreatePointFont(L"宋体", 9, false, true, GB2312_CHARSET));

    m_picture1.Create(*this, TwipsRect(120, 240, 615, 495), ProgramIcon(GetSystemMetrics(SM_CXICON)));

    tk::LabelArgs label2;
    label2.rect = TwipsRect(1080, 240, 3015, 375);
    label2.caption = kAboutVersion;
    label2.font = m_textFont.Get();
    m_label2 = &AddLabel(label2);

    tk::LabelArgs label4;
    label4.rect = TwipsRect(1080, 720, 3135, 375);
    label4.caption = kAboutCopyright;
    label4.font = m_textFont.Get();
    m_label4 = &AddLabel(label4);

    tk::LabelArgs label1;
    label1.rect = TwipsRect(1080, 1200, 4095, 495);
    label1.caption = tk::kHomePage;
    label1.font = m_linkFont.Get();
    // Plain link blue: the theme's hot-track colour is too pale to read on some themes.
    label1.color = RGB(0, 0, 255);
    // A shared resource cursor: the system frees it, not us.
    label1.cursor = LoadCursorW(tk::Instance(), MAKEINTRESOURCEW(IDC_LINKHAND));
    label1.tooltip = tk::kHomePage;
    label1.onClick = [this] { Label1_Click(); };
    m_label1 = &AddLabel(label1);

    tk::ButtonArgs command1;
    command1.id = Command1Id;
    command1.rect = TwipsRect(1800, 1920, 1215, 495);
    command1.caption = L"OK";
    command1.font = m_textFont.Get();
    command1.isDefault = true;
    command1.isCancel = true;
    command1.onClick = [this] { Command1_Click(); };
    m_command1.Create(*this, command1);
    DescribeForReaders();
}

void frmAbout::OnLoad() {
    SetCaption(kAboutCaption);
    SetIcon(ProgramIcon(GetSystemMetrics(SM_CXSMICON)), ProgramIcon(GetSystemMetrics(SM_CXICON)));
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
    LRESULT answer = 0;
    if (m_access.Handle(msg, wParam, lParam, answer)) return answer;
    if (msg == WM_SETFOCUS && !m_linkFocused) {
        // Activation gives the focus to the window itself; the OK button takes it, so
        // Enter and Esc close the box as in any dialog.
        m_command1.Focus();
        return 0;
    }
    if (msg == WM_PAINT) {
        Form::HandleMessage(msg, wParam, lParam);
        OnLinkMessage(msg, wParam);  // the focus mark over the painted link
        return 0;
    }
    if (OnLinkMessage(msg, wParam)) return 0;
    return Form::HandleMessage(msg, wParam, lParam);
}
