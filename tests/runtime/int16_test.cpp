// SPDX-License-Identifier: GPL-3.0-or-later
// Checked 16-bit arithmetic and the rounding conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "error_of.h"
#include "int16.h"

namespace galgen {
namespace {

using testing::errorOf;


TEST(Int16, AdditionIsCheckedAtBothEnds)
{
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_EQ(add16(-32767, -1), -32768);
    EXPECT_EQ(add16(97, -32), 65);     // a -> A
    EXPECT_EQ(add16(90, 32), 122);     // Z -> z
    EXPECT_EQ(errorOf([] { add16(32767, 1); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { add16(-32768, -1); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { add16(32750, 32); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { add16(-32750, -32); }), ErrorKind::Overflow);
}

TEST(Int16, RoundingGoesHalfToEven)
{
    const struct { double in; int out; } cases[] = {
        {0.5, 0},       {1.5, 2},     {2.5, 2},     {37.5, 38},      {112.5, 112},   {149.5, 150},
        {0.49, 0},      {0.51, 1},    {-0.5, 0},    {-1.5, -2},      {-2.5, -2},     {-2.6, -3},
        {149.9, 150},   {0.0, 0},     {32767.4, 32767}, {-32768.5, -32768}, {32766.5, 32766},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundToInt16(c.in), c.out) << c.in;
}

TEST(Int16, RoundingOutsideTheRangeIsAnError)
{
    EXPECT_EQ(errorOf([] { roundToInt16(32767.5); }), ErrorKind::Overflow);   // rounds to 32768
    EXPECT_EQ(errorOf([] { roundToInt16(-32768.6); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { roundToInt16(1e300); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { roundToInt16(std::numeric_limits<double>::infinity()); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { roundToInt16(-std::numeric_limits<double>::infinity()); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { roundToInt16(std::nan("")); }), ErrorKind::FloatingPoint);
}

TEST(Int16, WholeNumbersConvertOnlyInsideTheRange)
{
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(errorOf([] { toInt16(32768); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { toInt16(-32769); }), ErrorKind::Overflow);
}

}  // namespace
}  // namespace galgen
