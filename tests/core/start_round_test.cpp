// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a round: the round texts, the draw without repetition, the mask,
// the letter table, and the exhaustion branch.
#include <gtest/gtest.h>

#include <vector>

#include "error_of.h"
#include "game_fixture.h"

namespace galgen::testing {
namespace {

using namespace galgen::control;
using StartRound = GameTest;

const char* const roundHeadline = "Errate das geheime Wort oder es wird dir schlecht ergehen !!";
const char* const roundInstruction =
    "Es wurde ein geheimes Wort ermittelt, das du raten musst! Drücke die Tasten der Buchstaben, von denen du "
    "meinst, dass sie im Wort vorkommen! Aber hüte dich vor falschen Buchstaben, der Galgen wartet schon!";

void markAllUsedBut(GameState& s, int freeRow)
{
    for (int row = 1; row <= s.wordCount; ++row)
        s.wordTable.at(row, 1) = row == freeRow ? notDrawn : drawn;
}

TEST_F(StartRound, IssuesTheRoundCommandsInOrderAndShowsTheMask)
{
    startWith(rowElefant);
    const std::vector<DisplayCommand> expected = {
        {Label1, Property::Caption, Text::fromUtf8(roundHeadline)},
        {textin, Property::Text, Text::fromCp1252("?")},
        {Fragewort, Property::Visible, true},
        {Label2, Property::Caption, Text::fromUtf8(roundInstruction)},
        {Fragewort, Property::Text, Text::fromCp1252("-------")},
    };
    EXPECT_EQ(display.log, expected);
    EXPECT_EQ(state.currentWord->toUtf8(), "Elefant");
    EXPECT_EQ(state.wordLength, 7);
    EXPECT_EQ(state.stage, 0);
    EXPECT_EQ(state.revealedCount, 0);
    EXPECT_EQ(state.wordTable.at(rowElefant, 1), drawn);
    EXPECT_EQ(state.usedCount, 0);   // counted before the draw
    EXPECT_EQ(random.reseeds, 1);
}

TEST_F(StartRound, LetterTableOfLoeffelHoldsCodesAndCasePartners)
{
    startWith(rowLoeffel);
    const int codes[] = {76, 246, 102, 102, 101, 108};
    const int partners[] = {108, 214, 70, 70, 69, 76};
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(state.letterTable.at(k, 0), codes[k - 1]) << k;
        EXPECT_EQ(state.letterTable.at(k, 1), partners[k - 1]) << k;
    }
    EXPECT_EQ(mask(), "------");
    EXPECT_EQ(display.text(Fragewort), "------");
}

TEST_F(StartRound, CasePartnersOfEveryUmlautPair)
{
    // A word of the two cases of each pair, put in place of row 1.
    game.state.wordTable.at(1, 0) = Text::fromUtf8("ÄäÖöÜüAz");
    startWith(1);
    const int partners[] = {228, 196, 246, 214, 252, 220, 97, 90};
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(state.letterTable.at(k, 1), partners[k - 1]) << k;
}

TEST_F(StartRound, AShortWordLeavesTheLongerWordsRowsAsTheyWere)
{
    startWith(rowSchornstein);
    startWith(rowHut);
    EXPECT_EQ(state.wordLength, 3);
    const Text schornstein = Text::fromUtf8("Schornstein");
    for (int k = 4; k <= 11; ++k)
        EXPECT_EQ(state.letterTable.at(k, 0), schornstein.charAt(k).code()) << k;
    EXPECT_EQ(state.letterTable.at(1, 0), 'H');
    EXPECT_EQ(state.letterTable.at(1, 1), 'h');
    // Nothing reads them: the stale "n" at position 10 is no hit for "Hut".
    key('n');
    EXPECT_EQ(state.stage, 1);
}

TEST_F(StartRound, ACharacterWithoutCasePartnerIsItsOwnPartner)
{
    // Each word follows "Hut", whose letters leave their partners h, U, T at
    // positions 1 to 3; no word may keep one of them, or the key of that
    // letter would reveal it (the table of form cases plays "N" after
    // "Elefant", which must miss the ß of "Strauß").
    const struct {
        const char* word;
        int position;
        int partner;
    } rows[] = {
        {"Fuß", 3, 223},   // ß, not the T of "Hut"
        {"1-x", 1, '1'},
        {"1-x", 2, '-'},
        {"1-x", 3, 'X'},
    };
    for (const auto& row : rows) {
        game.state.wordTable.at(1, 0) = Text::fromUtf8("Hut");
        game.state.wordTable.at(2, 0) = Text::fromUtf8(row.word);
        game.state.wordTable.at(1, 1) = game.state.wordTable.at(2, 1) = notDrawn;
        startWith(1);
        startWith(2);
        EXPECT_EQ(state.letterTable.at(row.position, 1), row.partner) << row.word << " at " << row.position;
    }
}

TEST_F(StartRound, RejectsRowZeroAndUsedRowsAndReseedsBeforeEveryDraw)
{
    startWith(rowHase);
    random.push(0.001f);                 // row 0
    random.pushRow(rowHase);             // used
    random.pushRow(rowHase);             // used
    random.pushRow(rowElefant);
    game.startRound();
    EXPECT_EQ(state.currentWord->toUtf8(), "Elefant");
    EXPECT_EQ(random.reseeds, 5);
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(StartRound, DrawsTheLastFreeRowHoweverManyRejectionsItTakes)
{
    markAllUsedBut(game.state, 77);
    for (int row = 0; row <= 150; ++row)
        if (row != 77)
            for (int again = 0; again < 5; ++again)
                random.pushRow(row);
    random.pushRow(77);
    game.startRound();
    EXPECT_EQ(state.currentWord->toUtf8(), "Toilette");
    EXPECT_EQ(random.remaining(), 0u);

    // And with the real generator.
    markAllUsedBut(game.state, 150);
    ClockRandom real(2024);
    Game withClock(display.core(), real);
    withClock.state = game.state;
    withClock.startRound();
    EXPECT_EQ(withClock.state.currentWord->toUtf8(), "Nagel");
}

TEST_F(StartRound, ExhaustionShowsTheMessageAndChangesNothingElse)
{
    startWith(rowElefant);
    type("ex");
    markAllUsedBut(game.state, -1);
    const GameState before = game.state;
    display.log.clear();

    game.startRound();

    const std::vector<DisplayCommand> expected = {
        {Fragewort, Property::Text, Text::fromUtf8("Alle Worte verbraucht !!!")},
        {Fragewort, Property::Visible, true},
    };
    EXPECT_EQ(display.log, expected);
    EXPECT_EQ(state.usedCount, 150);
    EXPECT_EQ(state.currentWord, before.currentWord);
    EXPECT_EQ(state.maskText, before.maskText);
    EXPECT_EQ(state.wordLength, before.wordLength);
    EXPECT_EQ(state.stage, 1);
    EXPECT_EQ(state.revealedCount, 2);
    EXPECT_EQ(random.reseeds, 1);   // no draw
    EXPECT_EQ(display.text(Label1), roundHeadline);

    // The round behind the message goes on: the next key writes the mask back.
    type("l");
    EXPECT_EQ(display.text(Fragewort), "Ele----");
}

TEST_F(StartRound, AfterAllWordsEveryFurtherStartReportsExhaustion)
{
    for (int row = 1; row <= 150; ++row)
        startWith(row);
    EXPECT_EQ(state.currentWord->toUtf8(), "Nagel");
    for (int again = 0; again < 3; ++again) {
        display.log.clear();
        game.startRound();
        ASSERT_EQ(display.log.size(), 2u);
        EXPECT_EQ(display.text(Fragewort), "Alle Worte verbraucht !!!");
    }
}

TEST_F(StartRound, OverARunningRoundResetsTheCountersAndLeavesTheGallows)
{
    game.hideGallows();
    startWith(rowElefant);
    type("exy");
    ASSERT_EQ(state.stage, 2);
    display.log.clear();
    startWith(rowHase);
    EXPECT_EQ(state.stage, 0);
    EXPECT_EQ(state.revealedCount, 0);
    EXPECT_EQ(display.text(Fragewort), "----");
    EXPECT_EQ(gallowsShown(display), (std::vector<std::string>{"teil1", "teil2"}));
    for (const auto& c : display.log)
        EXPECT_EQ(std::string(c.control).rfind("teil", 0), std::string::npos) << c.control;
    EXPECT_EQ(state.wordTable.at(rowElefant, 1), drawn);
}

TEST_F(StartRound, AWordLongerThan50RaisesAtPosition51AfterFillingFifty)
{
    game.state.wordTable.at(1, 0) = Text::fromCp1252(std::string(51, 'a'));
    random.pushRow(1);
    EXPECT_EQ(errorOf([&] { game.startRound(); }), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(state.letterTable.at(50, 0), 'a');
    EXPECT_EQ(state.letterTable.at(50, 1), 'A');
    EXPECT_EQ(state.wordLength, 51);
    EXPECT_EQ(state.wordTable.at(1, 1), drawn);   // done before the error stays done
}

}  // namespace
}  // namespace galgen::testing
