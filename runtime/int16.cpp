// SPDX-License-Identifier: GPL-3.0-or-later
#include "int16.h"

#include <cmath>
#include <limits>
#include <string>

#include "errors.h"

namespace galgen {

i16 toInt16(long long value)
{
    if (value < std::numeric_limits<i16>::min() || value > std::numeric_limits<i16>::max())
        raise(ErrorKind::Overflow, std::to_string(value));
    return static_cast<i16>(value);
}

i16 add16(i16 a, int b)
{
    return toInt16(static_cast<long long>(a) + b);
}

i16 roundToInt16(double value)
{
    if (std::isnan(value))
        raise(ErrorKind::FloatingPoint);
    // Range test first, on the unrounded value, so infinities never reach
    // the rounding. -32768.5 rounds to the even -32768, 32767.5 to 32768.
    if (!(value >= -32768.5 && value <= 32767.5))
        raise(ErrorKind::Overflow);
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    return toInt16(static_cast<long long>(rounded));
}

}  // namespace galgen
