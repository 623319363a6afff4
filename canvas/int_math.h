#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kreslix {

// Integer helpers of the rasteriser. Geometry works in doubled coordinates (the centre of pixel
// x is 2x + 1), which stay integral but may need 33 bits, hence int64 throughout.

using Int64 = std::int64_t;

// Division rounding toward minus infinity, for any signs (divisor non-zero).
template <typename T>
constexpr T floorDiv(T num, T den) {
    T q = num / den;
    if ((num % den != 0) && ((num < 0) != (den < 0)))
        --q;
    return q;
}

// Division rounding toward plus infinity, for any signs (divisor non-zero).
template <typename T>
constexpr T ceilDiv(T num, T den) {
    return -floorDiv<T>(-num, den);
}

// A floating coordinate brought into [low, high] before it becomes an integer, so the conversion
// is always defined.
inline Int64 clampToInt64(long double v, Int64 low, Int64 high) {
    if (!(v >= static_cast<long double>(low)))
        return low;
    if (v > static_cast<long double>(high))
        return high;
    return static_cast<Int64>(v);
}

// floor(v) and ceil(v) for v clamped to [low, high], a range small enough for a double to hold
// every integer in it. Going through double keeps the x87 rounding mode alone, which makes
// these much cheaper than a long double floor; the result is the same unless v lies within
// about 2^-20 of an integer.
inline Int64 clampedFloor(long double v, Int64 low, Int64 high) {
    return clampToInt64(std::floor(static_cast<double>(std::clamp<long double>(v, low, high))), low,
                        high);
}

inline Int64 clampedCeil(long double v, Int64 low, Int64 high) {
    return clampToInt64(std::ceil(static_cast<double>(std::clamp<long double>(v, low, high))), low,
                        high);
}

}  // namespace kreslix
