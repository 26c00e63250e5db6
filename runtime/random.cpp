// SPDX-License-Identifier: GPL-3.0-or-later
#include "random.h"

#include <chrono>

namespace galgen {

namespace {

// SplitMix64 (Steele, Lea and Flood): a fast generator whose output function
// also serves to scatter a clock reading over all 64 bits.
std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr std::uint64_t golden = 0x9E3779B97F4A7C15ULL;

}  // namespace

std::uint64_t ClockRandom::systemClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

ClockRandom::ClockRandom(std::uint64_t seed, Clock clock) : state_(mix(seed)), clock_(std::move(clock)) {}

void ClockRandom::reseed()
{
    state_ = mix(state_ ^ mix(clock_() + golden));
}

float ClockRandom::next()
{
    state_ += golden;
    // The top 24 bits fill a float's mantissa exactly: 0 <= r <= 1 - 2^-24.
    const auto bits = static_cast<std::uint32_t>(mix(state_) >> 40);
    return static_cast<float>(bits) * 0x1p-24f;
}

}  // namespace galgen
