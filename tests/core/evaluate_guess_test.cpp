// SPDX-License-Identifier: GPL-3.0-or-later
// Guess evaluation: hits in either case, misses of every kind, the win at
// 99 then 100, and the guard that turns keys away outside a running round.
#include <gtest/gtest.h>

#include <vector>

#include "error_of.h"
#include "game_fixture.h"

namespace galgen::testing {
namespace {

using namespace galgen::control;
using EvaluateGuess = GameTest;

TEST_F(EvaluateGuess, ElefantKeyByKey)
{
    game.hideGallows();
    startWith(rowElefant);
    ASSERT_EQ(mask(), "-------");

    const struct { const char* keys; const char* mask; int revealed; int stage; } steps[] = {
        {"e", "E-e----", 2, 0},      // partner of row 1, letter of row 3
        {"x", "E-e----", 2, 1},
        {"x", "E-e----", 2, 2},      // the same wrong key again
        {"E", "E-e----", 2, 2},      // already revealed: nothing changes
        {"7", "E-e----", 2, 3},
        {"L", "Ele----", 3, 3},
        {"f", "Elef---", 4, 3},
        {"a", "Elefa--", 5, 3},
        {"n", "Elefan-", 6, 3},
        {"T", "Elefant", 7, 100},    // the word's own case, never the typed one
    };
    for (const auto& s : steps) {
        type(s.keys);
        EXPECT_EQ(mask(), s.mask) << s.keys;
        EXPECT_EQ(display.text(Fragewort), s.mask) << s.keys;
        EXPECT_EQ(state.revealedCount, s.revealed) << s.keys;
        EXPECT_EQ(state.stage, s.stage) << s.keys;
    }
    EXPECT_EQ(gallowsShown(display), (std::vector<std::string>{"teil11", "teil12"}));

    // Every further key is turned away.
    display.log.clear();
    type("xyzElefant\b\r");
    EXPECT_TRUE(display.log.empty());
    EXPECT_EQ(state.stage, 100);
}

TEST_F(EvaluateGuess, EitherCaseRevealsTheSamePositionsInTheWordsCase)
{
    startWith(rowHase);
    type("A");
    EXPECT_EQ(mask(), "-a--");
    type("h");
    EXPECT_EQ(mask(), "Ha--");
    startWith(rowLoeffel);
    key(214);   // Ö
    EXPECT_EQ(mask(), "-ö----");
    key(108);   // l: the capital L at 1 through its partner, and the final l
    EXPECT_EQ(mask(), "Lö---l");
    EXPECT_EQ(state.stage, 0);
}

TEST_F(EvaluateGuess, OneKeyRevealsEveryOccurrence)
{
    startWith(rowKartoffel);
    type("f");
    EXPECT_EQ(mask(), "-----ff--");
    EXPECT_EQ(state.revealedCount, 2);
}

TEST_F(EvaluateGuess, KeysThatMatchNoLetterAreMisses)
{
    const int misses[] = {'0', '9', ' ', '-', 8, 13, 27, 223, '!', 0, 255, 128, 196, -1, 300, 32767, -32768};
    for (const int code : misses) {
        game.state.wordTable.at(rowKartoffel, 1) = notDrawn;   // draw it afresh for each key
        startWith(rowKartoffel);
        key(code);
        EXPECT_EQ(state.stage, 1) << code;
        EXPECT_EQ(mask(), "---------") << code;
        EXPECT_EQ(state.revealedCount, 0) << code;
    }
}

TEST_F(EvaluateGuess, KeysAreIgnoredBeforeTheFirstRound)
{
    type("aeiou\b\r1");
    EXPECT_TRUE(display.log.empty());
    EXPECT_EQ(state.stage, 0);
    EXPECT_EQ(state.revealedCount, 0);
    EXPECT_TRUE(state.maskText.empty());
}

// What one key sends, in order and nothing more: the mask always first,
// then the part of the stage that the key's miss reached.
TEST_F(EvaluateGuess, KeysAndTheCommandsTheySend)
{
    const auto text = [](std::string_view control, const char* utf8) {
        return DisplayCommand{control, Property::Text, Text::fromUtf8(utf8)};
    };
    const auto shows = [](std::string_view control, bool visible) {
        return DisplayCommand{control, Property::Visible, visible};
    };
    const struct {
        const char* before;
        char key;
        std::vector<DisplayCommand> sent;
    } rows[] = {
        {"", 'u', {text(Fragewort, "-u-")}},
        {"", 'x', {text(Fragewort, "---"), shows(teil1, true)}},
        {"xyz", 'q', {text(Fragewort, "---"), shows(teil4, true)}},
        {"xyzqwv", 'b', {text(Fragewort, "---"), shows(teil7, true)}},
        {"xyzqwvb", 'k',
         {text(Fragewort, "---"), shows(teil8, true), shows(teil9, true), shows(teil10, true), shows(teil4, false),
          text(Fragewort, "Hut")}},
    };
    for (const auto& row : rows) {
        game.state.wordTable.at(rowHut, 1) = notDrawn;
        startWith(rowHut);
        type(row.before);
        display.log.clear();
        key(row.key);
        EXPECT_EQ(display.log, row.sent) << row.before << row.key;
    }
}

TEST_F(EvaluateGuess, TheWinEndsAt100NeverAt99)
{
    startWith(rowHut);
    type("hu");
    display.log.clear();
    type("t");
    EXPECT_EQ(state.stage, 100);
    EXPECT_EQ(state.revealedCount, 3);
    // The mask first, then the win display: hideGallows, then teil11 and teil12.
    ASSERT_EQ(display.log.size(), 15u);
    EXPECT_EQ(display.log[0].control, Fragewort);
    EXPECT_EQ(display.log[13], (DisplayCommand{teil11, Property::Visible, true}));
    EXPECT_EQ(display.log[14], (DisplayCommand{teil12, Property::Visible, true}));
    EXPECT_EQ(display.text(Fragewort), "Hut");
}

TEST_F(EvaluateGuess, AWinAfterMissesStillEndsAt100)
{
    startWith(rowHut);
    type("xyzqwvb");   // seven misses
    ASSERT_EQ(state.stage, 7);
    type("HUT");
    EXPECT_EQ(state.stage, 100);
    EXPECT_EQ(gallowsShown(display), (std::vector<std::string>{"teil11", "teil12"}));
}

TEST_F(EvaluateGuess, TheEighthMissLosesAndLaterKeysAreIgnored)
{
    game.hideGallows();
    startWith(rowElefant);
    type("e");
    type("qwrsdgh");
    ASSERT_EQ(state.stage, 7);
    type("z");
    EXPECT_EQ(state.stage, 8);
    EXPECT_EQ(state.revealedCount, state.wordLength);
    EXPECT_EQ(display.text(Fragewort), "Elefant");
    EXPECT_EQ(mask(), "E-e----");   // the mask itself keeps what was found
    display.log.clear();
    type("lfant9");
    EXPECT_TRUE(display.log.empty());
    EXPECT_EQ(state.stage, 8);
}

TEST_F(EvaluateGuess, APositionBeyond50IsASubscriptError)
{
    startWith(rowHase);
    game.state.wordLength = 51;
    game.state.maskText = Text::fromCp1252(std::string(51, '-'));
    EXPECT_EQ(errorOf([&] { key('q'); }), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(state.stage, 0);   // ended before the miss was counted
}

TEST_F(EvaluateGuess, TheStageCounterOverflowsInsteadOfWrapping)
{
    startWith(rowHase);
    game.state.stage = 32767;
    EXPECT_EQ(errorOf([&] { key('q'); }), ErrorKind::Overflow);
    EXPECT_EQ(state.stage, 32767);
    EXPECT_EQ(display.text(Fragewort), "----");   // the mask went out before
}

}  // namespace
}  // namespace galgen::testing
