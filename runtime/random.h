// SPDX-License-Identifier: GPL-3.0-or-later
// The random source of the round start.
//
// The core takes a RandomSource as a dependency: the program passes a
// ClockRandom, tests pass a scripted source with the values they need.
#pragma once

#include <cstdint>
#include <functional>

namespace galgen {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Re-seeds from the system clock.
    virtual void reseed() = 0;
    // The next value: single precision, uniform, 0 <= r < 1.
    virtual float next() = 0;
};

// A generator that re-seeds from the clock by mixing the clock reading into
// its state, never by resetting the state to it: the round start re-seeds
// before every draw, and two draws within one clock tick must still differ.
class ClockRandom final : public RandomSource {
public:
    using Clock = std::function<std::uint64_t()>;

    // The system clock in nanoseconds.
    static std::uint64_t systemClock();

    explicit ClockRandom(std::uint64_t seed = systemClock(), Clock clock = &systemClock);

    void reseed() override;
    float next() override;

private:
    std::uint64_t state_;
    Clock clock_;
};

}  // namespace galgen
