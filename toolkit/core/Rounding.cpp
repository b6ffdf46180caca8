#include "toolkit/core/Rounding.h"

#include <cmath>

#include "toolkit/core/Errors.h"

namespace tk {

double RoundHalfEvenToDouble(double v) noexcept {
    double f = std::floor(v);
    double frac = v - f;  // exact for every finite double
    if (frac > 0.5 || (frac == 0.5 && std::fmod(f, 2.0) != 0.0)) f += 1.0;
    return f;
}

int32_t RoundHalfEven(double v) {
    double r = RoundHalfEvenToDouble(v);
    // The comparisons are false for NaN, so NaN is refused too.
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw OverflowError();
    return static_cast<int32_t>(r);
}

}  // namespace tk
