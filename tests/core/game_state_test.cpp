// SPDX-License-Identifier: GPL-3.0-or-later
// The game state at creation and the loaded word list.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "error_of.h"
#include "game_fixture.h"

namespace galgen::testing {
namespace {

TEST(GameState, CreatedZeroFilled)
{
    const GameState s;
    EXPECT_EQ(s.wordCount, 0);
    EXPECT_EQ(s.usedCount, 0);
    EXPECT_FALSE(s.currentWord.has_value());
    EXPECT_TRUE(s.maskText.empty());
    EXPECT_EQ(s.wordLength, 0);
    EXPECT_EQ(s.stage, 0);
    EXPECT_EQ(s.revealedCount, 0);
    for (int row = 0; row <= 1000; ++row)
        ASSERT_TRUE(s.wordTable.at(row, 0).empty() && s.wordTable.at(row, 1).empty()) << row;
    for (int row = 0; row <= 50; ++row)
        ASSERT_TRUE(s.letterTable.at(row, 0) == 0 && s.letterTable.at(row, 1) == 0) << row;
}

using WordList = GameTest;

TEST_F(WordList, FillsRowsOneTo150WithFlagZeroAndNothingElse)
{
    EXPECT_EQ(state.wordCount, 150);
    EXPECT_EQ(state.usedCount, 0);
    EXPECT_TRUE(display.log.empty());
    EXPECT_FALSE(state.currentWord.has_value());
    for (int row = 1; row <= 150; ++row)
        ASSERT_EQ(state.wordTable.at(row, 1), notDrawn) << row;
    for (const int row : {0, 151, 500, 1000}) {
        EXPECT_TRUE(state.wordTable.at(row, 0).empty()) << row;
        EXPECT_TRUE(state.wordTable.at(row, 1).empty()) << row;
    }
    EXPECT_EQ(state.wordTable.at(1, 0).toUtf8(), "Mausefalle");
    EXPECT_EQ(state.wordTable.at(70, 0).toUtf8(), "Hase");
    EXPECT_EQ(state.wordTable.at(150, 0).toUtf8(), "Nagel");
    EXPECT_EQ(state.wordTable.at(40, 0).toUtf8(), "Rharbarber");
    EXPECT_EQ(state.wordTable.at(50, 0).toUtf8(), "Strasse");
}

TEST_F(WordList, AnOwnListTakesThePlaceOfTheWholeListWithEveryWordUndrawn)
{
    startWith(1);
    game.loadWords({Text::fromUtf8("Bär"), Text::fromUtf8("Strauß")});
    EXPECT_EQ(state.wordCount, 2);
    EXPECT_EQ(state.wordTable.at(1, 0).toUtf8(), "Bär");
    EXPECT_EQ(state.wordTable.at(2, 0).toUtf8(), "Strauß");
    EXPECT_TRUE(state.wordTable.at(1, 1) == notDrawn && state.wordTable.at(2, 1) == notDrawn);
    for (const int row : {0, 3, 150, 1000})
        EXPECT_TRUE(state.wordTable.at(row, 0).empty() && state.wordTable.at(row, 1).empty()) << row;
    const std::vector<Text> tooMany(1001, Text::fromUtf8("Wal"));
    EXPECT_EQ(errorOf([&] { game.loadWords(tooMany); }), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(state.wordCount, 2);

    // The longest list the reader takes fills the table, and a round draws
    // its last row.
    game.loadWords(std::vector<Text>(1000, Text::fromUtf8("Wal")));
    EXPECT_EQ(state.wordCount, 1000);
    random.pushRow(1000, 1000);
    game.startRound();
    EXPECT_TRUE(state.wordTable.at(1000, 1) == drawn);
}

// The properties the rules rely on; a slip in the list's transcription
// shows up here.
TEST_F(WordList, WordsHaveTheShapeTheRulesRelyOn)
{
    std::map<int, int> byLength;
    std::set<std::string> distinct;
    std::set<std::string> withUmlaut;
    int characters = 0;
    for (int row = 1; row <= 150; ++row) {
        const Text& word = state.wordTable.at(row, 0);
        const int first = word.code();
        EXPECT_TRUE(first >= 'A' && first <= 'Z') << word.toUtf8();
        for (int k = 2; k <= word.length(); ++k) {
            const int c = word.charAt(k).code();
            EXPECT_TRUE((c >= 'a' && c <= 'z') || c == 246 || c == 252) << word.toUtf8();
            if (c > 127)
                withUmlaut.insert(word.toUtf8());
        }
        ++byLength[word.length()];
        characters += word.length();
        distinct.insert(word.toUtf8());
    }
    EXPECT_EQ(distinct.size(), 150u);
    EXPECT_EQ(characters, 907);
    EXPECT_EQ(byLength, (std::map<int, int>{{3, 1}, {4, 21}, {5, 55}, {6, 25}, {7, 17},
                                            {8, 13}, {9, 9}, {10, 8}, {11, 1}}));
    EXPECT_EQ(withUmlaut, (std::set<std::string>{"Löffel", "Möhre", "Bürste", "Gürtel"}));
    EXPECT_EQ(state.wordTable.at(rowHut, 0).toUtf8(), "Hut");
    EXPECT_EQ(state.wordTable.at(rowSchornstein, 0).toUtf8(), "Schornstein");
}

}  // namespace
}  // namespace galgen::testing
