#pragma once
// The screen's twips (1/1440 inch) per pixel: 15 at 96 dots per inch.

namespace tk {

double TwipsPerPixelX();
double TwipsPerPixelY();

}  // namespace tk
