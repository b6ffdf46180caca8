#pragma once
// Sizing a window to its background picture and cutting it to the picture's non-key pixels.
#include <cstdint>

namespace tk {
class Form;
}

// lKeyColour 1 asks for the key from the picture's bottom-left pixel and receives it;
// any other value is the key (blue in the low byte). The window measures in pixels
// afterwards, its client area is the picture's size, and its region is the picture's
// non-key pixels.
void ShapeFormToPicture(tk::Form& frm, int32_t& lKeyColour);
