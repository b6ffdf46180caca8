#pragma once
// The colours a note's card is drawn in now, and the card picture in them. In the system's
// ordinary schemes the card is the skin's yellow with its black outline, and what is written
// on it takes the scheme's text colour where that reads on yellow. In high contrast the
// card is drawn in the scheme's own window colours and keeps its shape.
#include <windows.h>

#include "toolkit/Gdi.h"

namespace note {

struct CardColours {
    COLORREF face;      // inside the outline
    COLORREF outline;
    COLORREF ink;       // the menu label, the stamp, the minimise and close marks
    COLORREF textBack;  // the text box
    COLORREF textInk;
};

CardColours CardColoursNow();

// The skin painted in these colours: the skin itself when they are its own; otherwise a
// picture made once for the skin and the colours and shared by every note that shows it,
// for as long as one does. The skin itself, too, when no picture can be made.
tk::SharedBitmap CardPicture(const tk::SharedBitmap& skin, const CardColours& colours);

}  // namespace note
