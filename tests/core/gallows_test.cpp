// SPDX-License-Identifier: GPL-3.0-or-later
// Gallows stages and outcome: one part per miss, the loss and the win
// displays in their order, and hideGallows.
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
    EXPECT_TRUE(display.visibleGallows().empty());
}

TEST_F(Gallows, SevenMissesShowOnePartEach)
{
    game.hideGallows();
    startWith(rowHut);
    const char* const misses = "abcdefg";
    for (int m = 1; m <= 7; ++m) {
        display.log.clear();
        key(misses[m - 1]);
        std::vector<std::string> expected;
        for (int part = 1; part <= m; ++part)
            expected.push_back("teil" + std::to_string(part));
        EXPECT_EQ(display.visibleGallows(), expected);
        ASSERT_EQ(display.log.size(), 2u);   // the mask, then the one part
        EXPECT_EQ(display.log[1], (DisplayCommand{gallows[static_cast<std::size_t>(m - 1)], Property::Visible, true}));
    }
}

TEST_F(Gallows, TheLossShowsItsPicturesAndTheSolutionInOrder)
{
    game.hideGallows();
    startWith(rowElefant);
    type("qwrsdgh");
    display.log.clear();
    type("z");
    const std::vector<DisplayCommand> expected = {
        {Fragewort, Property::Text, Text::fromCp1252("-------")},
        {teil8, Property::Visible, true},
        {teil9, Property::Visible, true},
        {teil10, Property::Visible, true},
        {teil4, Property::Visible, false},
        {Fragewort, Property::Text, Text::fromCp1252("Elefant")},
    };
    EXPECT_EQ(display.log, expected);
    EXPECT_EQ(display.visibleGallows(), (std::vector<std::string>{"teil1", "teil2", "teil3", "teil5", "teil6",
                                                                  "teil7", "teil8", "teil9", "teil10"}));
}

TEST_F(Gallows, ADisplayFailureInsideTheLossLeavesTheRoundRunning)
{
    startWith(rowElefant);
    type("qwrsdgh");
    display.failOn(teil10, Property::Visible);
    EXPECT_EQ(errorOf([&] { type("z"); }), ErrorKind::DisplayFailed);
    EXPECT_EQ(state.stage, 8);
    EXPECT_EQ(state.revealedCount, 0);            // the loss never got to end the round
    EXPECT_TRUE(display.visible(teil8));          // what ran before stays
    EXPECT_TRUE(display.visible(teil9));
    EXPECT_EQ(display.text(Fragewort), "-------");
}

TEST_F(Gallows, TheWinClearsEveryPartThenShowsItsLabelAndPicture)
{
    startWith(rowHut);
    type("abcdefg");
    display.log.clear();
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

TEST_F(Gallows, AnUnknownControlNameIsADisplayFailure)
{
    EXPECT_EQ(errorOf([&] { setVisible(display, "teil13", true); }), ErrorKind::DisplayFailed);
    // A text box has no caption.
    EXPECT_EQ(errorOf([&] { setCaption(display, textin, Text::fromCp1252("x")); }), ErrorKind::DisplayFailed);
}

}  // namespace
}  // namespace galgen::testing
