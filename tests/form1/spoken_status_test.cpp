// SPDX-License-Identifier: GPL-3.0-or-later
// The spoken status: what a screen reader tells the player after each
// handler, from states written out by hand as the rules leave them.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spoken_status.h"

namespace galgen {
namespace {

// A round of `word` with `mask` shown after `stage` misses, as the rules
// leave it; a round that has ended has revealedCount equal to wordLength.
GameState round(std::string_view word, std::string_view mask, int stage, bool ended = false)
{
    GameState state;
    state.wordCount = 150;
    state.usedCount = 12;
    state.currentWord = Text::fromUtf8(word);
    state.maskText = Text::fromUtf8(mask);
    state.wordLength = state.maskText.length();
    state.stage = i16(stage);
    int revealed = 0;
    for (const char c : state.maskText.bytes())
        revealed += c != '-';
    state.revealedCount = ended ? state.wordLength : i16(revealed);
    return state;
}

GameState allWordsUsed()
{
    GameState state = round("Teller", "------", 0);
    state.usedCount = 150;
    return state;
}

GameState ownList(int words)
{
    GameState state;
    state.wordCount = i16(words);
    return state;
}

struct Case {
    const char* what;
    Spoken handler;
    bool roundWasRunning;
    GameState after;
    std::optional<std::string> spoken;
};

TEST(SpokenStatus, SaysWhatThePlayerMustKnow)
{
    const std::vector<Case> cases = {
        {"round start", Spoken::RoundStart, false, round("Staub", "-----", 0),
         "Neues Wort mit 5 Buchstaben."},
        {"round start over a hidden round", Spoken::RoundStart, true, round("Teller", "------", 0),
         "Neues Wort mit 6 Buchstaben."},
        {"hit", Spoken::Key, true, round("Teller", "-e--e-", 0),
         "Wort: Strich e Strich Strich e Strich. 0 von 8 Fehlern."},
        {"miss", Spoken::Key, true, round("Teller", "-e--e-", 1),
         "Wort: Strich e Strich Strich e Strich. 1 von 8 Fehlern."},
        {"umlaut", Spoken::Key, true, round("Löffel", "-ö----", 7),
         "Wort: Strich ö Strich Strich Strich Strich. 7 von 8 Fehlern."},
        {"loss", Spoken::Key, true, round("Staub", "S-a--", 8, true), "Leider verloren. Das Wort war Staub."},
        {"win", Spoken::Key, true, round("Teller", "Teller", 100, true), "Gewonnen! Das Wort ist Teller."},
        {"exhaustion", Spoken::RoundStart, false, allWordsUsed(), "Alle Worte verbraucht."},
        {"start screen", Spoken::NewGame, true, round("Teller", "-e--e-", 1),
         "Neues Spiel. Ein Klick auf das rote Fragezeichen oder F2 startet eine Runde."},
        {"own list", Spoken::WordList, false, ownList(24),
         "Eigene Wortliste mit 24 Wörtern. Ein Klick auf das rote Fragezeichen oder F2 startet eine Runde."},
        {"own list of one word", Spoken::WordList, true, ownList(1),
         "Eigene Wortliste mit 1 Wort. Ein Klick auf das rote Fragezeichen oder F2 startet eine Runde."},
        {"key after a loss", Spoken::Key, false, round("Staub", "S-a--", 8, true), std::nullopt},
        {"key after a win", Spoken::Key, false, round("Teller", "Teller", 100, true), std::nullopt},
        {"key before the first round", Spoken::Key, false, GameState{}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(spokenStatus(c.handler, c.roundWasRunning, c.after), c.spoken) << c.what;
}

}  // namespace
}  // namespace galgen
