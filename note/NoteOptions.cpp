// The note's own options: stay on top, hide instead of minimising, and the help file.
#include "note/frmNote.h"

#include "toolkit/Help.h"
#include "toolkit/WindowOrder.h"

void frmNote::mnuStayOnTop_Click() {
    const bool onTop = !m_mnopt.Checked(mnuStayOnTop);
    tk::SetTopmost(Handle(), onTop);
    // The mark records what this command did, whatever the system made of it.
    m_mnopt.SetChecked(mnuStayOnTop, onTop);
    m_txtNote.SetFocus();
}

void frmNote::mnuHideMin_Click() { m_mnopt.SetChecked(mnuHideMin, !m_mnopt.Checked(mnuHideMin)); }

void frmNote::mnuHelpForGluma_Click() { tk::ShowProgramHelp(Handle()); }
