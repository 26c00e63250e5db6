// SPDX-License-Identifier: GPL-3.0-or-later
// A game with the word list loaded, Form1's controls on the null engine to
// record what the rules tell them, and a scripted random source; helpers to
// start a round with a known word and to type.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "game.h"
#include "layout.h"
#include "null_engine.h"
#include "scripted_random.h"

namespace galgen::testing {

// Rows of some words the tests use.
inline constexpr int rowElefant = 3;
inline constexpr int rowSchornstein = 4;
inline constexpr int rowKartoffel = 8;
inline constexpr int rowLoeffel = 17;
inline constexpr int rowHase = 70;
inline constexpr int rowHut = 89;

// The gallows parts shown, by name, in order teil1..teil12.
inline std::vector<std::string> gallowsShown(const NullEngine& display)
{
    return display.shownOf({control::gallows.begin(), control::gallows.end()});
}

class GameTest : public ::testing::Test {
protected:
    GameTest() { game.loadWords(); }

    // Starts a round whose draw lands on `row` at the first attempt.
    void startWith(int row)
    {
        random.pushRow(row);
        game.startRound();
    }

    // Types each character of a UTF-8 string as a key.
    void type(std::string_view keys)
    {
        const Text typed = Text::fromUtf8(keys);
        for (const char c : typed.bytes())
            key(static_cast<unsigned char>(c));
    }

    void key(int code)
    {
        const i16 keyCode = static_cast<i16>(code);
        game.evaluateGuess(keyCode);
    }

    std::string mask() const { return game.state.maskText.toUtf8(); }

    NullEngine display{form1Layout()};
    ScriptedRandom random;
    Game game{display.core(), random};
    const GameState& state = game.state;
};

}  // namespace galgen::testing
