// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The program's rounding words and checked 32-bit integer arithmetic. Every
// conversion between inches, doubles and device pixels goes through these so
// that layout, painting and printing agree to the pixel.

// Nearest integer, halves to the even neighbour; "Range check error" when the
// result does not fit in 32 bits (NaN included).
int32_t Round(double x);
// Drops the fraction; "Range check error" when the result does not fit.
int32_t Trunc(double x);
// Integer division truncating toward zero; "Division by zero" for b = 0 and
// "Integer overflow" for INT32_MIN div -1.
int32_t Div(int32_t a, int32_t b);

// Sums, differences and products that leave the signed 32-bit range raise
// "Integer overflow".
int32_t CheckedAdd(int32_t a, int32_t b);
int32_t CheckedSub(int32_t a, int32_t b);
int32_t CheckedMul(int32_t a, int32_t b);
