#pragma once
// Conversions of numbers to the program's integers: to the
// nearest value, an exact half going to the even neighbour (12.5 -> 12,
// 13.5 -> 14). A value outside the target type's range is an overflow.

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace tk {

class OverflowError : public std::overflow_error {
public:
    OverflowError() : std::overflow_error("Overflow") {}
};

// Nearest integer, halves to even (the current rounding mode is not trusted).
inline double roundHalfEven(double v) {
    const double fl = std::floor(v);
    const double diff = v - fl;
    if (diff > 0.5) {
        return fl + 1.0;
    }
    if (diff < 0.5) {
        return fl;
    }
    return std::fmod(fl, 2.0) == 0.0 ? fl : fl + 1.0;
}

template <typename Int>
Int roundToInt(double v) {
    if (std::isnan(v)) {
        throw OverflowError();
    }
    const double r = roundHalfEven(v);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw OverflowError();
    }
    return static_cast<Int>(r);
}

inline int32_t roundToInt32(double v) {
    return roundToInt<int32_t>(v);
}

}  // namespace tk
