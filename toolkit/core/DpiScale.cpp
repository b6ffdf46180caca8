#include "toolkit/core/DpiScale.h"

#include "toolkit/core/Rounding.h"

namespace tk {

int32_t Scale(int32_t value96, int dpi) { return RoundHalfEven(static_cast<double>(value96) * dpi / kStandardDpi); }

int32_t PointsToPixels(double points, int dpi) { return RoundHalfEven(points * dpi / 72.0); }

}  // namespace tk
