// SPDX-License-Identifier: GPL-3.0-or-later
// Gallows stages and outcome: what drawStage shows for each value of stage,
// in its order, and hideGallows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "error_of.h"
#include "game_fixture.h"

namespace galgen::testing {
namespace {

using namespace galgen::control;
using Gallows = GameTest;

std::vector<DisplayCommand> hiding()
{
    std::vector<DisplayCommand> commands;
    for (const auto part : gallows)
        commands.push_back({part, Property::Visible, false});
    return commands;
}

TEST_F(Gallows, HideGallowsIssuesTwelveCommandsInOrderEveryTime)
{
    game.hideGallows();
    game.hideGallows();   // on an empty gallows: the same twelve again
    std::vector<DisplayCommand> twice = hiding();
    twice.insert(twice.end(), twice.begin(), twice.end());
    EXPECT_EQ(display.log, twice);
    EXPECT_TRUE(gallowsShown(display).empty());
}

// drawStage reads stage and does the one thing its value calls for.
TEST_F(Gallows, EachStageShowsItsOwnPart)
{
    game.hideGallows();
    startWith(rowElefant);
    for (int stage = 1; stage <= 7; ++stage) {
        display.log.clear();
        game.state.stage = i16(stage);
        game.drawStage();
        EXPECT_EQ(display.log, (std::vector<DisplayCommand>{{gallows[std::size_t(stage - 1)], Property::Visible, true}}))
            << stage;
    }
    EXPECT_EQ(state.revealedCount, 0);   // the round goes on
}

TEST_F(Gallows, StageEightShowsTheLossAndTheSolutionAndEndsTheRound)
{
    startWith(rowElefant);
    type("e");
    display.log.clear();
    game.state.stage = 8;
    game.drawStage();
    const std::vector<DisplayCommand> expected = {
        {teil8, Property::Visible, true},
        {teil9, Property::Visible, true},
        {teil10, Property::Visible, true},
        {teil4, Property::Visible, false},
        {Fragewort, Property::Text, Text::fromCp1252("Elefant")},
    };
    EXPECT_EQ(display.log, expected);
    EXPECT_EQ(state.revealedCount, state.wordLength);
}

TEST_F(Gallows, ADisplayFailureInsideTheLossLeavesTheRoundRunning)
{
    game.hideGallows();
    startWith(rowElefant);
    display.failOn(teil10, Property::Visible);
    game.state.stage = 8;
    EXPECT_EQ(errorOf([&] { game.drawStage(); }), ErrorKind::DisplayFailed);
    EXPECT_EQ(state.revealedCount, 0);            // the loss never got to end the round
    EXPECT_TRUE(display.shown(teil8));            // what ran before stays
    EXPECT_TRUE(display.shown(teil9));
    EXPECT_FALSE(display.shown(teil10));          // the failed command changed nothing
    EXPECT_EQ(display.text(Fragewort), "-------");
}

TEST_F(Gallows, StageHundredClearsEveryPartThenShowsTheWin)
{
    game.state.stage = 100;
    game.drawStage();
    std::vector<DisplayCommand> expected = hiding();
    expected.push_back({teil11, Property::Visible, true});
    expected.push_back({teil12, Property::Visible, true});
    EXPECT_EQ(display.log, expected);
}

TEST_F(Gallows, StagesWithoutAPartDoNothing)
{
    for (const int stage : {0, 9, 50, 99, 101, -1, -32768, 32767}) {
        game.state.stage = static_cast<i16>(stage);
        game.drawStage();
        EXPECT_TRUE(display.log.empty()) << stage;
        EXPECT_EQ(state.revealedCount, 0) << stage;
    }
}

}  // namespace
}  // namespace galgen::testing
