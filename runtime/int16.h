// SPDX-License-Identifier: GPL-3.0-or-later
// Checked 16-bit arithmetic.
//
// Every counter, length and character code of the game is a 16-bit signed
// integer. Nothing wraps: a result outside -32768..32767 raises the overflow
// error instead.
#pragma once

#include <cstdint>

namespace galgen {

using i16 = std::int16_t;

// a + b, or the overflow error. Used for every increment and for the
// case-partner arithmetic (a code plus or minus 32).
i16 add16(i16 a, int b);

// Any whole number as a 16-bit value, or the overflow error.
i16 toInt16(long long value);

// A floating-point value rounded to the nearest integer, halves to the even
// neighbour (0.5 -> 0, 37.5 -> 38, 112.5 -> 112). Outside the 16-bit range
// the overflow error; not a number raises the floating-point error.
i16 roundToInt16(double value);

}  // namespace galgen
