#include "note/frmNote.h"

#include "imaging/Module1.h"
#include "imaging/SkinForDpi.h"
#include "imaging/core/RunScan.h"
#include "note/CardColours.h"
#include "note/NoteOnScreen.h"
#include "toolkit/Application.h"
#include "toolkit/Dpi.h"
#include "toolkit/Help.h"
#include "toolkit/SystemColours.h"
#include "toolkit/WindowOrder.h"

namespace {

tk::FormStyle NoteStyle() {
    tk::FormStyle style;
    // A caption and a minimise box give the note a taskbar entry and the system's restore
    // while it is minimised; frame and caption lie outside the card's shape, unseen.
    style.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    style.clientWidth = frmNote::kClientWidth;
    style.clientHeight = frmNote::kClientHeight;
    return style;
}

// The design at 96 dpi: left, top, width, height.
struct Box96 {
    int left, top, width, height;
};
constexpr Box96 kMyDate = {48, 168, 81, 17};
constexpr Box96 kMyTime = {152, 168, 81, 17};

}  // namespace

frmNote::frmNote()
    : Form(NoteStyle()),
      m_reminder(*this, [this] { ReminderDue(); }),
      m_access(*this, m_mnopt,
               {[this] { lblMinimise_Click(); }, [this] { lblClose_Click(); }, [this] { RestoreFocus(); }}) {
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

RECT frmNote::PartRect(Part part) const {
    Box96 b{};
    switch (part) {
    case Part::MenuLabel: b = {16, 16, 33, 17}; break;  // Label1, "菜单"
    // labTime: 153 wide as designed; its text may run on up to the minimise mark, as the
    // design's stamp did, and ends in an ellipsis rather than running over it.
    case Part::Stamp: b = {56, 16, 178, 17}; break;
    case Part::Minimise: b = {240, 16, 9, 9}; break;   // lblMinimise
    case Part::Close: b = {256, 16, 9, 9}; break;      // lblClose
    case Part::TextBox: b = {16, 40, 249, m_textHeight}; break;  // shorter while the pickers show
    }
    return tk::ScaleBox(b.left, b.top, b.width, b.height, Dpi());
}

void frmNote::OnCreate() {
    SetCaption(L"Note");
    // One skin per DPI, made once and shared by every note at that DPI; shown in the card's colours.
    m_skin = imaging::SkinForDpi(Dpi());
    CreateControls();  // the text box first: it is first in the focus order
    CreateLabelsAndLines();
    LayOut();
    ApplyColours();
    m_access.Describe(m_partLabels);
}

void frmNote::ApplyColours() {
    const note::CardColours colours = note::CardColoursNow();
    SetPicture(note::CardPicture(m_skin, colours));  // keeps the skin's key: the shape stays
    Labels().SetInk(colours.ink);
    m_txtNote.SetColours(colours.textBack, colours.textInk);
    tk::RedrawAll(Handle());
}

void frmNote::CreateControls() {
    tk::TextBoxArgs text;
    text.id = idTxtNote;
    text.name = L"格卢玛内容";
    text.onKey = [this](UINT key) { return m_access.OnKey(key, false); };
    m_txtNote.Create(*this, text);

    note::NoteReminder::Layout pickers;
    pickers.dateId = idMyDate;
    pickers.timeId = idMyTime;
    pickers.onKey = [this](UINT key) { return m_access.OnKey(key, true); };
    m_reminder.Create(pickers);
}

void frmNote::CreateLabelsAndLines() {
    auto add = [this](Part part, const tk::LabelArgs& args) {
        m_partLabels[static_cast<int>(part)] = &Labels().Add(args);
    };
    tk::LabelArgs menu;
    menu.caption = L"菜单";
    menu.onClick = [this] { Label1_Click(); };
    add(Part::MenuLabel, menu);

    tk::LabelArgs stamp;
    stamp.caption = L"创建于";
    // One line: the stamp is never wrapped into a second line that the label cannot show.
    stamp.format = DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
    stamp.onMouseDown = [this](int button) {
        if (button == tk::kLeftButton) DragWindow();
    };
    add(Part::Stamp, stamp);

    tk::LabelArgs minimise;
    minimise.onClick = [this] { lblMinimise_Click(); };
    add(Part::Minimise, minimise);

    tk::LabelArgs close;
    close.onClick = [this] { lblClose_Click(); };
    add(Part::Close, close);
}

// Places every part, makes the fonts and draws the marks for the note's DPI.
void frmNote::LayOut() {
    const int dpi = Dpi();
    // The designed fonts are Western faces; asking for the Chinese character set lets
    // the font mapper pick a face that has the characters of the captions and the text.
    tk::ScopedGdiObject<HFONT> font(tk::CreatePointFont(L"MS Sans Serif", 8.25, true, false, GB2312_CHARSET, dpi));
    tk::ScopedGdiObject<HFONT> pickerFont(tk::CreatePointFont(L"MS Serif", 6, true, false, GB2312_CHARSET, dpi));
    m_txtNote.SetLayout(PartRect(Part::TextBox), font.Get());
    m_reminder.SetLayout(tk::ScaleBox(kMyDate.left, kMyDate.top, kMyDate.width, kMyDate.height, dpi),
                         tk::ScaleBox(kMyTime.left, kMyTime.top, kMyTime.width, kMyTime.height, dpi),
                         pickerFont.Get());
    for (int i = 0; i < note::kLabelCount; ++i)
        Labels().SetLayout(*m_partLabels[i], PartRect(static_cast<Part>(i)), font.Get());
    // The old fonts go only now that nothing draws with them.
    m_font.Reset(font.Release());
    m_pickerFont.Reset(pickerFont.Release());

    auto at = [dpi](int x, int y) { return POINT{tk::Scale(x, dpi), tk::Scale(y, dpi)}; };
    const int width = tk::Scale(2, dpi);
    Labels().SetLines({
        tk::Line{at(240, 24), at(248, 24), width, CLR_INVALID},  // Line3: the minimise stroke
        tk::Line{at(256, 16), at(264, 24), width, CLR_INVALID},  // Line1 and Line2: the close cross
        tk::Line{at(256, 24), at(264, 16), width, CLR_INVALID},
    });
}

void frmNote::OnLoad() {
    m_reminder.Load();
    Shape();
}

void frmNote::Shape() {
    if (Picture()) {
        int32_t keyColour = imaging::kKeyFromPicture;
        ShapeFormToPicture(*this, keyColour);
    }
}

void frmNote::OnDpiChanged() {
    m_skin = imaging::SkinForDpi(Dpi());
    LayOut();
    ApplyColours();
    Shape();  // the window is the new skin's size, cut to its card
}

void frmNote::SetCreationStamp(std::wstring text) {
    Labels().SetCaption(*m_partLabels[static_cast<int>(Part::Stamp)], std::move(text));
}

void frmNote::OnMouseDown(int button) {
    if (button == tk::kLeftButton) DragWindow();
}

void frmNote::DragWindow() {
    // Give up the mouse and let the system run its move loop as for a press on a caption
    // bar: the window follows the pointer until the button is released.
    ReleaseCapture();
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void frmNote::Label1_Click() { m_access.ShowMenu(false); }

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
    m_textHeight = show ? kTextHeightWithPickers : kTextHeightWithoutPickers;
    const RECT text = PartRect(Part::TextBox);
    m_txtNote.SetHeight(text.bottom - text.top);
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
    switch (msg) {
    case WM_SYSCOMMAND:
        if (m_access.OnSysCommand(wParam, lParam)) return 0;
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
