#pragma once
// Floating point to integer conversions: to the nearest integer, halves to the even
// neighbour. A value that is not a number or does not fit in 32 bits raises OverflowError.
#include <cstdint>

namespace tk {

// Nearest integer as a double, halves to even; NaN and infinities pass through.
double RoundHalfEvenToDouble(double v) noexcept;

int32_t RoundHalfEven(double v);

}  // namespace tk
