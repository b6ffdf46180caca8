// Alone in its file: the Windows tests put their own HighContrastOn in its place, since
// the system under test cannot be switched to high contrast.
#include "toolkit/SystemColours.h"

namespace tk {

bool HighContrastOn() {
    HIGHCONTRASTW hc = {};
    hc.cbSize = sizeof hc;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace tk
