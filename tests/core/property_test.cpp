// SPDX-License-Identifier: GPL-3.0-or-later
// Many seeded random games with the real generator and random keys, the
// invariants of the game state checked after every step.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace galgen::testing {
namespace {

using namespace galgen::control;

std::vector<std::string> expectedGallows(int stage)
{
    if (stage == 100)
        return {"teil11", "teil12"};
    std::vector<std::string> parts;
    for (int part = 1; part <= std::min(stage, 7); ++part)
        if (!(stage == 8 && part == 4))
            parts.push_back("teil" + std::to_string(part));
    if (stage == 8)
        for (const char* p : {"teil8", "teil9", "teil10"})
            parts.emplace_back(p);
    return parts;
}

void checkInvariants(const GameState& s, const NullEngine& display, bool evaluated)
{
    ASSERT_TRUE((s.stage >= 0 && s.stage <= 8) || s.stage == 100) << s.stage;
    if (!s.currentWord)
        return;
    const Text& word = *s.currentWord;
    ASSERT_EQ(s.wordLength, word.length());
    ASSERT_EQ(s.maskText.length(), s.wordLength);
    int shown = 0;
    for (int k = 1; k <= s.wordLength; ++k) {
        const Text c = s.maskText.charAt(k);
        ASSERT_TRUE(c == hiddenLetter || c == word.charAt(k)) << s.maskText.toUtf8();
        shown += c == hiddenLetter ? 0 : 1;
    }
    if (evaluated) {
        ASSERT_EQ(s.revealedCount, s.stage == 8 ? s.wordLength : shown);
        ASSERT_EQ(display.text(Fragewort), s.stage == 8 ? word.toUtf8() : s.maskText.toUtf8());
    }
    ASSERT_EQ(gallowsShown(display), expectedGallows(s.stage)) << s.stage;
}

TEST(Property, RandomGamesKeepTheInvariants)
{
    std::mt19937 rng(20261207);
    // How the rounds ended, so that a run that never wins or never loses
    // shows: the invariants of those ends would go unchecked.
    int won = 0, lost = 0;
    long keys = 0;
    for (int run = 0; run < 20; ++run) {
        NullEngine display{form1Layout()};
        std::uint64_t tick = static_cast<std::uint64_t>(run) * 1000;
        ClockRandom random(rng(), [&] { return tick++ / 3; });
        Game game(display.core(), random);
        game.loadWords();
        game.hideGallows();
        std::set<std::string> drawnWords;
        int starts = 0;

        while (starts <= 150) {
            const GameState& s = game.state;
            // A new round from the start screen once the last one ended, now
            // and then over a running one too.
            const bool running = s.revealedCount != s.wordLength;
            if (!running || rng() % 40 == 0) {
                game.hideGallows();
                display.log.clear();
                game.startRound();
                if (starts == 150) {
                    ASSERT_EQ(display.log.size(), 2u);
                    ASSERT_EQ(display.text(Fragewort), "Alle Worte verbraucht !!!");
                } else {
                    ASSERT_TRUE(drawnWords.insert(s.currentWord->toUtf8()).second)
                        << "drawn twice: " << s.currentWord->toUtf8();
                    ASSERT_EQ(s.usedCount, starts);
                }
                ++starts;
                continue;
            }
            // Mostly letters of the word, else any code, some outside 0..255.
            int code;
            const auto pick = rng() % 10;
            if (pick < 4)
                code = s.currentWord->charAt(static_cast<int>(rng() % static_cast<unsigned>(s.wordLength)) + 1).code();
            else if (pick < 9)
                code = static_cast<int>(rng() % 256);
            else
                code = static_cast<int>(rng() % 65536) - 32768;
            const i16 keyCode = static_cast<i16>(code);
            const int stageBefore = s.stage;
            game.evaluateGuess(keyCode);
            ++keys;
            won += s.stage == 100 && stageBefore != 100;
            lost += s.stage == 8 && stageBefore != 8;
            checkInvariants(s, display, true);
            if (HasFatalFailure())
                return;
        }
    }
    // 394 won and 1803 lost of the 3020 rounds with this seed.
    EXPECT_GT(won, 300);
    EXPECT_GT(lost, 1350);
    EXPECT_GT(keys, 20000);
}

}  // namespace
}  // namespace galgen::testing
