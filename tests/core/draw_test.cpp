// SPDX-License-Identifier: GPL-3.0-or-later
// The draw of the round start: wordCount * r rounded half to even, and the
// distribution of rows it gives with the real generator.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "error_of.h"
#include "game.h"
#include "scripted_random.h"

namespace galgen::testing {
namespace {

TEST(Draw, ProductIsRoundedHalfToEven)
{
    const struct { int words; float r; int row; } cases[] = {
        {150, 0.25f, 38},                  // 37.5
        {150, 0.75f, 112},                 // 112.5
        {150, 0.0f, 0},
        {150, 1.0f / 301.0f, 0},           // below 1/300: rejected by the caller
        {150, 0.999f, 150},                // 149.85
        {150, std::nextafter(1.0f, 0.0f), 150},
        // Own lists, from one word to a full table.
        {1, 0.5f, 0},                      // 0.5: a one-word list draws row 0 half the time
        {1, 0.75f, 1},
        {3, 0.5f, 2},                      // 1.5
        {1000, 0.8125f, 812},              // 812.5
        {1000, std::nextafter(1.0f, 0.0f), 1000},
    };
    for (const auto& c : cases) {
        ScriptedRandom random{c.r};
        EXPECT_EQ(drawRowNumber(i16(c.words), random), c.row) << c.words << " words, r = " << c.r;
        EXPECT_EQ(random.reseeds, 1);
    }
}

TEST(Draw, ScriptedValuesForRowsHitTheirRows)
{
    for (int row = 0; row <= 150; ++row) {
        ScriptedRandom random{ScriptedRandom::forRow(row)};
        ASSERT_EQ(drawRowNumber(150, random), row);
    }
}

TEST(Draw, RowsOutsideTheWordTableAreErrors)
{
    const auto drawError = [](i16 wordCount, float r) {
        ScriptedRandom random{r};
        return errorOf([&] { drawRowNumber(wordCount, random); });
    };
    EXPECT_EQ(drawError(2000, 0.6f), ErrorKind::SubscriptOutOfRange);   // row 1200; 1000 is the last
    EXPECT_EQ(drawError(-10, 0.5f), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(drawError(32767, 0.99999f), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(drawError(150, std::numeric_limits<float>::quiet_NaN()), ErrorKind::FloatingPoint);
    EXPECT_EQ(drawError(150, std::numeric_limits<float>::infinity()), ErrorKind::Overflow);
    ScriptedRandom edge{0.5f};
    EXPECT_EQ(drawRowNumber(2000, edge), 1000);
}

// The real generator through the real draw, rows not marked used. With a
// fixed seed and clock the counts are the same on every run; the bounds are
// several standard deviations wide.
TEST(Draw, RealGeneratorGivesEveryRowItsShare)
{
    std::uint64_t tick = 0;
    ClockRandom random(12345, [&] { return tick++ / 16; });
    constexpr int draws = 300'000;
    std::array<int, 151> counts{};
    for (int i = 0; i < draws; ++i) {
        const int row = drawRowNumber(150, random);
        ASSERT_TRUE(row >= 0 && row <= 150) << "row " << row << " of 150 words";
        ++counts[static_cast<std::size_t>(row)];
    }

    const double full = draws / 150.0;   // rows 1..149
    for (int row = 1; row <= 149; ++row)
        EXPECT_NEAR(counts[static_cast<std::size_t>(row)], full, full * 0.12) << row;
    EXPECT_NEAR(counts[0], full / 2, full / 2 * 0.18);
    EXPECT_NEAR(counts[150], full / 2, full / 2 * 0.18);
}

}  // namespace
}  // namespace galgen::testing
