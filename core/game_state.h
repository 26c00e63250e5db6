// SPDX-License-Identifier: GPL-3.0-or-later
// GameState: the one record of all the game's variables.
//
// It belongs to the window, comes into being zero-filled with it and is
// discarded with it; nothing of it is saved. It has no behaviour: the
// procedures of Game (game.h) read and write its fields directly. The fields
// stand in the order the rules introduce them.
#pragma once

#include <optional>

#include "int16.h"
#include "table.h"
#include "text.h"

namespace galgen {

// Column 0 the word, column 1 its used flag "0" or "1". Row 0 is never used.
using WordTable = Table<Text, 1000>;
// Per position of the secret word (row 1 = first character): column 0 the
// character's cp1252 code, column 1 the code of its case partner. Row 0 is
// never used; rows past the word's length keep what earlier words left.
using LetterTable = Table<i16, 50>;

// The used flags of the word table, compared as exact strings.
inline const Text notDrawn = Text::fromCp1252("0");
inline const Text drawn = Text::fromCp1252("1");
// What the mask shows for a letter not yet revealed.
inline const Text hiddenLetter = Text::fromCp1252("-");

// The stage counts the misses of a round; the eighth loses it. For a moment
// inside a key's evaluation it says that the last letter was revealed, and
// a won round keeps its own value.
inline constexpr int missesToLose = 8;
inline constexpr int stageComplete = 99;
inline constexpr int stageWon = 100;
// The key that completes the word counts one step more, which makes the win.
static_assert(stageComplete + 1 == stageWon);

struct GameState {
    i16 wordCount = 0;                 // 150 once the list is loaded; an own list's 1 to 1000
    WordTable wordTable;
    i16 usedCount = 0;                 // rows flagged "1", as last counted
    std::optional<Text> currentWord;   // no value until the first round start
    Text maskText;                     // "-" or the revealed letter per position
    i16 wordLength = 0;
    LetterTable letterTable;
    i16 stage = 0;                     // misses, stageComplete or stageWon
    i16 revealedCount = 0;             // a round runs while this differs from wordLength
};

// The rules' one test of a running round; only then is a key evaluated.
inline bool roundRunning(const GameState& state) { return state.revealedCount != state.wordLength; }

}  // namespace galgen
