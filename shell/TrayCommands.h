#pragma once
// The commands behind the tray menu's items.
namespace tk {
class Form;
}

void mnuNew_Click();
void mnuShowAll_Click();
void mnuHomePage_Click(tk::Form& owner);
void mnuAbout_Click();
void mnuHelp_Click(tk::Form& owner);
void mnuExit_Click();
