// SPDX-License-Identifier: GPL-3.0-or-later
// The clock-seeded random source.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "random.h"

namespace galgen {
namespace {

TEST(ClockRandom, ValuesLieInTheHalfOpenUnitInterval)
{
    ClockRandom random(42, [] { return std::uint64_t{7}; });
    double sum = 0;
    const int n = 100000;
    for (int i = 0; i < n; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        sum += r;
    }
    EXPECT_NEAR(sum / n, 0.5, 0.01);
}

TEST(ClockRandom, ReseedingWithAnUnchangedClockDoesNotRepeat)
{
    // The round start re-seeds before every draw, often within one clock tick.
    ClockRandom random(1, [] { return std::uint64_t{1'700'000'000'000'000'000}; });
    std::set<float> seen;
    float previous = -1;
    const int n = 10000;
    for (int i = 0; i < n; ++i) {
        random.reseed();
        const float r = random.next();
        EXPECT_NE(r, previous);
        previous = r;
        seen.insert(r);
    }
    // 24-bit values: a handful of chance collisions, never a cycle.
    EXPECT_GT(seen.size(), static_cast<std::size_t>(n - 50));
}

TEST(ClockRandom, TheClockReadingChangesTheSequence)
{
    std::uint64_t now = 100;
    ClockRandom a(5, [&] { return now; });
    ClockRandom b(5, [&] { return now + 1; });
    a.reseed();
    b.reseed();
    EXPECT_NE(a.next(), b.next());
}

TEST(ClockRandom, TheSameSeedAndClockGiveTheSameValues)
{
    ClockRandom a(9, [] { return std::uint64_t{3}; });
    ClockRandom b(9, [] { return std::uint64_t{3}; });
    for (int i = 0; i < 100; ++i) {
        a.reseed();
        b.reseed();
        ASSERT_EQ(a.next(), b.next());
    }
}

}  // namespace
}  // namespace galgen
