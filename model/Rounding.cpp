// SPDX-License-Identifier: GPL-3.0-or-later
#include "Rounding.h"

#include "VelmoraError.h"

#include <cmath>
#include <limits>

namespace {

int32_t ToInt32(double r)
{
    // Compare in double: both bounds are exactly representable.
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw EVelmoraError::RangeCheck();
    return static_cast<int32_t>(r);
}

int32_t FromInt64(int64_t v)
{
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw EVelmoraError::IntegerOverflow();
    return static_cast<int32_t>(v);
}

} // namespace

int32_t Round(double x)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless somebody changed it; do not rely on that.
    double f = std::floor(x);
    double diff = x - f;
    double r;
    if (diff > 0.5)
        r = f + 1.0;
    else if (diff < 0.5)
        r = f;
    else
        r = (std::fmod(f, 2.0) == 0.0) ? f : f + 1.0;
    return ToInt32(r);
}

int32_t Trunc(double x)
{
    return ToInt32(std::trunc(x));
}

int32_t Div(int32_t a, int32_t b)
{
    if (b == 0)
        throw EVelmoraError::DivisionByZero();
    if (a == std::numeric_limits<int32_t>::min() && b == -1)
        throw EVelmoraError::IntegerOverflow();
    return a / b;
}

int32_t CheckedAdd(int32_t a, int32_t b)
{
    return FromInt64(int64_t(a) + int64_t(b));
}

int32_t CheckedSub(int32_t a, int32_t b)
{
    return FromInt64(int64_t(a) - int64_t(b));
}

int32_t CheckedMul(int32_t a, int32_t b)
{
    return FromInt64(int64_t(a) * int64_t(b));
}
