#pragma once
// The about box: the program's icon, name and version, a copyright line, a link to the
// product home page and an OK button. A modeless window with one program-wide instance,
// loaded on first use and unloaded by OK.
#include "shell/AboutAccess.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Gdi.h"
#include "toolkit/IconBox.h"

class frmAbout : public tk::Form {
public:
    enum ControlId : int { Command1Id = IDOK };

    frmAbout();

    // Shows the one about box, loading it first when it is not loaded; never makes a second.
    static void ShowAbout();
    // The loaded about box, or null.
    static frmAbout* Loaded();

    const tk::Label& Label1() const { return *m_label1; }  // the home page link
    const tk::Label& Label2() const { return *m_label2; }  // name and version
    const tk::Label& Label4() const { return *m_label4; }  // copyright
    const tk::IconBox& Picture1() const { return m_picture1; }
    const tk::Button& Command1() const { return m_command1; }

protected:
    void OnCreate() override;
    void OnLoad() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged() override { LayOut(); }
    void OnColoursChanged() override { ApplyColours(); }

private:
    void LayOut();
    void Label1_Click();
    void Command1_Click();
    void CentreOnScreen();
    void ApplyColours();  // the texts and the link in colours that read on the box's face

    // Fonts outlive the controls that draw with them: members go after the window.
    tk::ScopedGdiObject<HFONT> m_textFont;
    tk::ScopedGdiObject<HFONT> m_linkFont;
    tk::OwnedIcon m_largeIcon;  // the program icon at the box's DPI
    tk::OwnedIcon m_smallIcon;
    tk::OwnedIcon m_hand;       // the link's pointer
    tk::Label* m_label1 = nullptr;  // the labels belong to the form
    tk::Label* m_label2 = nullptr;
    tk::Label* m_label4 = nullptr;
    tk::IconBox m_picture1;
    tk::Button m_command1;
    AboutAccess m_access;  // the link for the keyboard and for screen readers
};

// The about box's caption and texts.
extern const wchar_t kAboutCaption[];
extern const wchar_t kAboutVersion[];
extern const wchar_t kAboutCopyright[];
