#include "note/frmNote.h"

#include "imaging/Module1.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/Clock.h"

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
      m_tmrEvent(*this, idTmrEvent, 1000) {
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
}

void frmNote::CreateControls() {
    tk::TextBoxArgs text;
    text.id = idTxtNote;
    text.rect = Rect(16, 40, 249, kTextHeight);
    text.font = m_font.Get();
    m_txtNote.Create(*this, text);

    tk::DatePickerArgs date;
    date.id = idMyDate;
    date.rect = Rect(48, 168, 81, 17);
    date.kind = tk::PickerKind::Date;
    date.font = m_pickerFont.Get();
    date.visible = false;
    m_myDate.Create(*this, date);

    tk::DatePickerArgs time = date;
    time.id = idMyTime;
    time.rect = Rect(152, 168, 81, 17);
    time.kind = tk::PickerKind::Time;
    m_myTime.Create(*this, time);
    // As designed: 00:00. The day does not matter, only hours and minutes count.
    SYSTEMTIME midnight = tk::Today();
    m_myTime.SetValue(midnight);
    m_myTime.OnChange([this] { myTime_Change(); });
}

void frmNote::CreateLabelsAndLines() {
    tk::LabelArgs menu;
    menu.rect = Rect(16, 16, 33, 17);
    menu.caption = L"菜单";
    menu.font = m_font.Get();
    menu.onClick = [this] { Label1_Click(); };
    m_Label1 = &AddLabel(menu);

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
    m_lblMinimise = &AddLabel(minimise);

    tk::LabelArgs close;
    close.rect = Rect(256, 16, 9, 9);
    close.onClick = [this] { lblClose_Click(); };
    m_lblClose = &AddLabel(close);

    AddLine(tk::Line{{240, 24}, {248, 24}, 2, RGB(0, 0, 0)});  // Line3: the minimise stroke
    AddLine(tk::Line{{256, 16}, {264, 24}, 2, RGB(0, 0, 0)});  // Line1 and Line2: the close cross
    AddLine(tk::Line{{256, 24}, {264, 16}, 2, RGB(0, 0, 0)});
}

void frmNote::OnLoad() {
    m_myDate.SetValue(tk::Today());
    m_tmrEvent.SetEnabled(false);
    if (Picture()) {
        int32_t keyColour = 1;  // take the key from the picture
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

void frmNote::Label1_Click() { m_mnopt.PopupAtPointer(Handle()); }

void frmNote::lblClose_Click() {
    // At once: nothing is asked, the text is gone and an armed reminder with it.
    Unload();
}

void frmNote::lblMinimise_Click() {
    if (m_bTimeChanged) {
        m_bTimeChanged = false;
        ArmReminder();
    }
    if (!m_mnopt.Checked(mnuHideMin)) {
        Minimise();
    } else {
        ArmReminder();  // a hidden note always keeps watch for its reminder
        Hide();
    }
}

void frmNote::OnTimer(UINT_PTR id) {
    if (id == m_tmrEvent.Id()) tmrEvent_Timer();
}

void frmNote::RestoreFocus() {
    HWND target = m_txtNote.Handle();
    if (m_lastFocus && IsWindow(m_lastFocus) && IsWindowVisible(m_lastFocus)) target = m_lastFocus;
    SetFocus(target);
}

LRESULT frmNote::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
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
    }
    return Form::HandleMessage(msg, wParam, lParam);
}
