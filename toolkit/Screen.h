#pragma once
// The screen's twips (1/1440 inch) per pixel: 15 at 96 dots per inch.

namespace tk {

// The dots per inch of a screen the system does not describe (and of most screens).
constexpr int kStandardDpi = 96;

double TwipsPerPixelX();
double TwipsPerPixelY();

}  // namespace tk
