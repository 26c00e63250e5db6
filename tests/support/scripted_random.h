// SPDX-License-Identifier: GPL-3.0-or-later
// A random source for tests: hands out the values it was given, in order,
// and counts the re-seeds. Running out of values is a test failure, raised
// as an exception so that a draw loop can never spin forever.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <vector>

#include "random.h"

namespace galgen::testing {

class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : values_(values) {}

    void push(float value) { values_.push_back(value); }
    // A value whose draw gives row `row` of `wordCount` rows (a quarter
    // below the row, so that the last row stays under r = 1).
    static float forRow(int row, int wordCount = 150)
    {
        return row == 0 ? 0.0f : (static_cast<float>(row) - 0.25f) / static_cast<float>(wordCount);
    }
    void pushRow(int row, int wordCount = 150) { push(forRow(row, wordCount)); }

    void reseed() override { ++reseeds; }
    float next() override
    {
        if (next_ >= values_.size())
            throw std::logic_error("ScriptedRandom: no value left");
        return values_[next_++];
    }

    std::size_t remaining() const { return values_.size() - next_; }
    int reseeds = 0;

private:
    std::vector<float> values_;
    std::size_t next_ = 0;
};

}  // namespace galgen::testing
