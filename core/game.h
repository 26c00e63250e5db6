// SPDX-License-Identifier: GPL-3.0-or-later
// The game's rules: loading the word list, starting a round, evaluating a
// key, and showing the gallows stages and the outcome.
//
// Game owns the GameState and works on it through the procedures below, in
// the order the rules are told. It never draws: every visible effect is a
// display command to a control by name. The random source is handed in, so
// that tests can script the draw.
#pragma once

#include <vector>

#include "display.h"
#include "game_state.h"
#include "random.h"

namespace galgen {

class Game {
public:
    Game(Display& display, RandomSource& random) : display_(display), random_(random) {}

    GameState state;

    // Word list (word_list.cpp): the built-in list, or an own list of 1 to
    // 1000 words in its place, every word of it not drawn yet.
    void loadWords();
    void loadWords(const std::vector<Text>& words);

    // Starting a round (start_round.cpp)
    void countUsedWords();
    void startRound();

    // Guess evaluation (evaluate_guess.cpp). The key code is read, never
    // written, so the key still reaches the text box it was typed into.
    void evaluateGuess(const i16& keyCode);

    // Gallows stages and outcome (gallows.cpp)
    void drawStage();
    void showTeil1();
    void showTeil2();
    void showTeil3();
    void showTeil4();
    void showTeil5();
    void showTeil6();
    void showTeil7();
    void showLoss();
    void showWin();
    void hideGallows();

    Display& display() { return display_; }

private:
    Display& display_;
    RandomSource& random_;
};

// The built-in list, as loadWords() loads it: for bringing it back after an
// own list, through loadWords(words).
std::vector<Text> builtInWords();

// One draw of the round start: re-seed, take r, wordCount * r rounded half
// to even, checked against the rows of the word table. The caller rejects
// row 0 and used rows and draws again.
i16 drawRowNumber(i16 wordCount, RandomSource& random);

}  // namespace galgen
