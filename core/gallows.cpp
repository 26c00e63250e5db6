// SPDX-License-Identifier: GPL-3.0-or-later
// Gallows stages and outcome: one more part of the drawing for each of the
// first seven misses, the loss at the eighth, the win when the word is
// complete, and hideGallows, which clears the whole drawing.
//
// These procedures only switch the twelve gallows controls on and off (and
// the loss writes the solution into the word box); what each part looks like
// is the window's business.
#include "controls.h"
#include "game.h"

namespace galgen {

void Game::drawStage()
{
    switch (state.stage) {
    case 1: showTeil1(); break;
    case 2: showTeil2(); break;
    case 3: showTeil3(); break;
    case 4: showTeil4(); break;
    case 5: showTeil5(); break;
    case 6: showTeil6(); break;
    case 7: showTeil7(); break;
    case missesToLose: showLoss(); break;
    case stageWon: showWin(); break;
    default: break;   // no part belongs to any other value
    }
}

void Game::showTeil1() { setVisible(display_, control::teil1, true); }
void Game::showTeil2() { setVisible(display_, control::teil2, true); }
void Game::showTeil3() { setVisible(display_, control::teil3, true); }
void Game::showTeil4() { setVisible(display_, control::teil4, true); }
void Game::showTeil5() { setVisible(display_, control::teil5, true); }
void Game::showTeil6() { setVisible(display_, control::teil6, true); }
void Game::showTeil7() { setVisible(display_, control::teil7, true); }

void Game::showLoss()
{
    setVisible(display_, control::teil8, true);
    setVisible(display_, control::teil9, true);
    setVisible(display_, control::teil10, true);
    setVisible(display_, control::teil4, false);
    setText(display_, control::Fragewort, state.currentWord.value_or(Text()));
    // Ends the round: from here the guard turns every key away.
    state.revealedCount = state.wordLength;
}

void Game::showWin()
{
    hideGallows();
    setVisible(display_, control::teil11, true);
    setVisible(display_, control::teil12, true);
}

void Game::hideGallows()
{
    for (const std::string_view part : control::gallows)
        setVisible(display_, part, false);
}

}  // namespace galgen
