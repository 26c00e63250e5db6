// SPDX-License-Identifier: GPL-3.0-or-later
// Guess evaluation: what one key does to the running round.
//
// The key is compared with the codes of the letter table only, never with
// the word's text; the partner column is the only case folding. A key that
// matches nowhere is a miss: there is no filter on keys and no memory of
// keys tried.
#include "controls.h"
#include "game.h"

namespace galgen {

void Game::evaluateGuess(const i16& keyCode)
{
    const i16 key = keyCode;
    i16 hit = 0;

    // Before the first round, after a win and after a loss no round runs.
    if (!roundRunning(state))
        return;

    state.revealedCount = 0;
    const i16 bound = state.wordLength;
    for (i16 k = 1; k <= bound; k = add16(k, 1)) {
        if (key == state.letterTable.at(k, 1) || key == state.letterTable.at(k, 0)) {
            // Always the word's own character, in the word's own case.
            state.maskText.replaceAt(k, Text::fromCode(state.letterTable.at(k, 0)));
            hit = 1;
        }
        if (!(state.maskText.charAt(k) == hiddenLetter))
            state.revealedCount = add16(state.revealedCount, 1);
    }

    setText(display_, control::Fragewort, state.maskText);

    if (state.revealedCount == state.wordLength)
        state.stage = stageComplete;
    if (state.stage == stageComplete && hit == 1)
        hit = 0;
    if (hit == 1)
        return;
    state.stage = add16(state.stage, 1);
    drawStage();
}

}  // namespace galgen
