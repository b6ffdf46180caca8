#include "note/frmNote.h"

#include "imaging/Module1.h"
#include "imaging/core/RunScan.h"
#include "note/NoteOnScreen.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/Help.h"
#include "toolkit/WindowOrder.h"

namespace {

tk::FormStyle NoteStyle() {
    tk::FormStyle style;
    // A caption and a minimise box give the note a taskbar entry and the system's restore
    // while it is minimised; frame and caption lie outside the card's shape, unseen.
    style.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    style.clientWidth = frmNote::kClientWidth;
    style.clientHeight = frmNote::kClientHeight;
    style.scaleMode = tk::ScaleMode::Twips;  // until the skin shapes it
    return style;
}

RECT Rect(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

}  // namespace

frmNote::frmNote()
    : Form(NoteStyle()),
      // The designed fonts are Western faces; asking for the Chinese character set lets
      // the font mapper pick a face that has the characters of the captions and the text.
      m_font(tk::CreatePointFont(L"MS Sans Serif", 8.25, true, false, GB2312_CHARSET)),
      m_pickerFont(tk::CreatePointFont(L"MS Serif", 6, true, false, GB2312_CHARSET)),
      m_reminder(*this, [this] { ReminderDue(); }) {
    BuildMenu();
}

void frmNote::BuildMenu() {
    m_mnopt.AddItem(mnuOpenNotes, L"打开文件中保存的格卢玛", [this] { mnuOpenNotes_Click(); });
    m_mnopt.AddItem(mnuSaveNotes, L"保存格卢玛的内容到文件", [this] { mnuSaveNotes_Click(); });
    m_mnopt.AddItem(mnuSetDateTime, L"设置定时提醒功能", [this] { mnuSetDateTime_Click(); });
    m_mnopt.AddSeparator();  // mnubar1
    m_mnopt.AddItem(mnuHelpForGluma, L"使用帮助", [this] { mnuHelpForGluma_Click(); });
    m_mnopt.AddItem(mnuStayOnTop, L"始终在最前面", [this] { mnuStayOnTop_Click(); });
    m_mnopt.AddItem(mnuHideMin, L"当最小化的时候隐藏标签", [this] { mnuHideMin_Click(); }, true);
}

void frmNote::OnCreate() {
    SetCaption(L"Note");
    SetPicture(tk::ProgramBitmap(IDB_SKIN));  // one skin, read once and shared by every note
    CreateControls();  // the text box first: it is first in the focus order
    CreateLabelsAndLines();
    DescribeForReaders();
}

void frmNote::CreateControls() {
    tk::TextBoxArgs text;
    text.id = idTxtNote;
    text.rect = Rect(16, 40, 249, kTextHeight);
    text.font = m_font.Get();
    text.name = L"格卢玛内容";
    text.onCtrlKey = [this](UINT key) { return OnCtrlKey(key); };
    m_txtNote.Create(*this, text);

    note::NoteReminder::Layout pickers;
    pickers.dateId = idMyDate;
    pickers.timeId = idMyTime;
    pickers.date = Rect(48, 168, 81, 17);
    pickers.time = Rect(152, 168, 81, 17);
    pickers.font = m_pickerFont.Get();
    m_reminder.Create(pickers);
}

void frmNote::CreateLabelsAndLines() {
    tk::LabelArgs menu;
    menu.rect = Rect(16, 16, 33, 17);
    menu.caption = L"菜单";
    menu.font = m_font.Get();
    menu.onClick = [this] { Label1_Click(); };
    AddLabel(menu);

    tk::LabelArgs stamp;
    stamp.rect = Rect(56, 16, 153, 17);
    stamp.caption = L"创建于";
    stamp.font = m_font.Get();
    // One line: the stamp is never wrapped into a second line that the label cannot show.
    stamp.format = DT_LEFT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
    stamp.onMouseDown = [this](int button) {
        if (button == tk::kLeftButton) DragWindow();
    };
    m_labTime = &AddLabel(stamp);

    tk::LabelArgs minimise;
    minimise.rect = Rect(240, 16, 9, 9);
    minimise.onClick = [this] { lblMinimise_Click(); };
    AddLabel(minimise);

    tk::LabelArgs close;
    close.rect = Rect(256, 16, 9, 9);
    close.onClick = [this] { lblClose_Click(); };
    AddLabel(close);

    AddLine(tk::Line{{240, 24}, {248, 24}, 2, RGB(0, 0, 0)});  // Line3: the minimise stroke
    AddLine(tk::Line{{256, 16}, {264, 24}, 2, RGB(0, 0, 0)});  // Line1 and Line2: the close cross
    AddLine(tk::Line{{256, 24}, {264, 16}, 2, RGB(0, 0, 0)});
}

void frmNote::OnLoad() {
    m_reminder.Load();
    if (Picture()) {
        int32_t keyColour = imaging::kKeyFromPicture;
        ShapeFormToPicture(*this, keyColour);
    }
}

void frmNote::SetCreationStamp(std::wstring text) { SetLabelCaption(*m_labTime, std::move(text)); }

void frmNote::OnMouseDown(int button, int shift, double x, double y) {
    (void)shift, (void)x, (void)y;
    if (button == tk::kLeftButton) DragWindow();
}

void frmNote::DragWindow() {
    // Give up the mouse and let the system run its move loop as for a press on a caption
    // bar: the window follows the pointer until the button is released.
    ReleaseCapture();
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void frmNote::Label1_Click() { ShowMenu(false); }

void frmNote::mnuOpenNotes_Click() {
    m_files.Open(Handle(), m_txtNote.MaxLength(),
                 [this](const std::wstring& text) { return m_txtNote.ReplaceText(text); });
}

void frmNote::mnuSaveNotes_Click() {
    m_files.Save(Handle(), [this] { return m_txtNote.Text(); });
}

void frmNote::lblClose_Click() {
    // At once: nothing is asked, the text is gone and an armed reminder with it.
    Unload();
}

void frmNote::lblMinimise_Click() {
    m_reminder.ArmIfChanged();
    if (!m_mnopt.Checked(mnuHideMin)) {
        Minimise();
    } else {
        m_reminder.Arm();  // a hidden note always keeps watch for its reminder
        Hide();
    }
}

void frmNote::mnuSetDateTime_Click() {
    const bool show = !m_mnopt.Checked(mnuSetDateTime);
    if (show) {
        m_reminder.ShowPickers();
    } else {
        m_reminder.HidePickers();
    }
    m_mnopt.SetChecked(mnuSetDateTime, show);
    m_txtNote.SetHeight(show ? kTextHeightWithPickers : kTextHeightWithoutPickers);
    tk::NotifyReaders(EVENT_OBJECT_REORDER, Handle());  // the note's children changed
}

// The note's own options: stay on top, hide instead of minimising, and the help file.
void frmNote::mnuStayOnTop_Click() {
    const bool onTop = !m_mnopt.Checked(mnuStayOnTop);
    tk::SetTopmost(Handle(), onTop);
    // The mark records what this command did, whatever the system made of it.
    m_mnopt.SetChecked(mnuStayOnTop, onTop);
    m_txtNote.SetFocus();
}

void frmNote::mnuHideMin_Click() { m_mnopt.SetChecked(mnuHideMin, !m_mnopt.Checked(mnuHideMin)); }

void frmNote::mnuHelpForGluma_Click() { tk::ShowProgramHelp(Handle()); }

void frmNote::ReminderDue() {
    // A minimised note would only be "shown" in the taskbar, and the reminder would fire
    // unseen: bring it back to its card.
    if (IsMinimised()) ShowWindow(Handle(), SW_RESTORE);
    Show();
    tk::SetTopmost(Handle(), true);
}

void frmNote::OnTimer(UINT_PTR id) {
    if (id == note::NoteReminder::kTimerId) m_reminder.Tick();
}

void frmNote::RestoreFocus() {
    HWND target = m_txtNote.Handle();
    if (m_lastFocus && IsWindow(m_lastFocus) && IsWindowVisible(m_lastFocus)) target = m_lastFocus;
    SetFocus(target);
}

LRESULT frmNote::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (m_access.Handle(msg, wParam, lParam, answer)) return answer;
    switch (msg) {
    case WM_SYSCOMMAND:
        if (OnSysCommand(wParam, lParam)) return 0;
        break;
    case WM_CTLCOLOREDIT:
        if (HBRUSH brush = m_txtNote.OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ACTIVATE:
        // Remember where the keyboard was, so coming back to the note continues there.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus)) m_lastFocus = focus;
        }
        break;
    case WM_SETFOCUS:
        // The window itself takes no typing: pass the keyboard on to the text box.
        RestoreFocus();
        return 0;
    case WM_DISPLAYCHANGE:
        // A monitor gone or a smaller screen must not strand the note where nobody can reach it.
        note::KeepCardOnScreen(Handle());
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}
