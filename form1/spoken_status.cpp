// SPDX-License-Identifier: GPL-3.0-or-later
// The spoken status, in German. The mask is spelt position by position, so
// that a speech synthesizer never reads it as one word, and a hidden letter
// is named, since most synthesizers keep silent about a lone dash.
#include "spoken_status.h"

#include <string_view>

namespace galgen {

namespace {

constexpr std::string_view hiddenWord = "Strich";
constexpr std::string_view howToStart = "Ein Klick auf das rote Fragezeichen oder F2 startet eine Runde.";

std::string spelt(const Text& mask)
{
    std::string spoken;
    for (int k = 1; k <= mask.length(); ++k) {
        const Text character = mask.charAt(k);
        if (!spoken.empty())
            spoken += ' ';
        spoken += character == hiddenLetter ? std::string(hiddenWord) : character.toUtf8();
    }
    return spoken;
}

std::string solution(const GameState& state) { return state.currentWord.value_or(Text()).toUtf8(); }

std::string afterKey(const GameState& state)
{
    if (state.stage == missesToLose)
        return "Leider verloren. Das Wort war " + solution(state) + ".";
    if (state.stage == stageWon)
        return "Gewonnen! Das Wort ist " + solution(state) + ".";
    return "Wort: " + spelt(state.maskText) + ". " + std::to_string(state.stage) + " von "
           + std::to_string(missesToLose) + " Fehlern.";
}

}  // namespace

std::optional<std::string> spokenStatus(Spoken handler, bool roundWasRunning, const GameState& after)
{
    switch (handler) {
    case Spoken::RoundStart:
        // The exhaustion branch counts every word used and changes nothing
        // else; a round start counts before it marks its own word.
        if (after.usedCount == after.wordCount)
            return "Alle Worte verbraucht.";
        return "Neues Wort mit " + std::to_string(after.wordLength) + " Buchstaben.";
    case Spoken::Key:
        if (!roundWasRunning)
            return std::nullopt;
        return afterKey(after);
    case Spoken::NewGame:
        return "Neues Spiel. " + std::string(howToStart);
    case Spoken::WordList:
        return "Eigene Wortliste mit " + std::to_string(after.wordCount)
               + (after.wordCount == 1 ? " Wort. " : " Wörtern. ") + std::string(howToStart);
    case Spoken::BuiltInWords:
        return "Wieder die " + std::to_string(after.wordCount) + " Wörter des Spiels. " + std::string(howToStart);
    }
    return std::nullopt;
}

}  // namespace galgen
