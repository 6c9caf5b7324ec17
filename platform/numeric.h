#pragma once

#include <cmath>
#include <cstdint>

// Arithmetic that the painters and date routines share. Rounding is half to even
// everywhere, as the processor rounds by default.
inline int64_t Round(double value) { return static_cast<int64_t>(std::nearbyint(value)); }

inline int64_t Trunc(double value) { return static_cast<int64_t>(std::trunc(value)); }

inline double Int(double value) { return std::trunc(value); }

inline double Frac(double value) { return value - std::trunc(value); }

// a * b / c rounded half away from zero, 64-bit in between; -1 when c is 0.
inline int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t num = product < 0 ? -product : product;
    const int64_t den = c < 0 ? -static_cast<int64_t>(c) : c;
    const int64_t result = (num + den / 2) / den;
    return static_cast<int>(negative ? -result : result);
}
