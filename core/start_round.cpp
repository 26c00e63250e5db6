// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a round: counting the used words, and startRound, which either
// reports that every word is used or draws a word not drawn yet, shows its
// mask and fills the letter table for the key evaluation.
#include "controls.h"
#include "game.h"

namespace galgen {

namespace {

const Text exhausted = Text::fromUtf8("Alle Worte verbraucht !!!");
const Text roundHeadline = Text::fromUtf8("Errate das geheime Wort oder es wird dir schlecht ergehen !!");
const Text roundInstruction = Text::fromUtf8(
    "Es wurde ein geheimes Wort ermittelt, das du raten musst! Drücke die Tasten der Buchstaben, "
    "von denen du meinst, dass sie im Wort vorkommen! Aber hüte dich vor falschen Buchstaben, "
    "der Galgen wartet schon!");
const Text questionMark = Text::fromCp1252("?");

// The case-partner rule: a to z and A to Z differ by 32; the umlauts pair up
// by table. A character without a partner of the other case (ß, or anything
// else a word might hold) is its own partner, so that only its own key
// reveals it.
i16 casePartner(i16 c)
{
    if (c >= 97 && c <= 122) return add16(c, -32);
    if (c >= 65 && c <= 90) return add16(c, 32);
    switch (c) {
    case 246: return 214;   // ö -> Ö
    case 214: return 246;   // Ö -> ö
    case 228: return 196;   // ä -> Ä
    case 196: return 228;   // Ä -> ä
    case 252: return 220;   // ü -> Ü
    case 220: return 252;   // Ü -> ü
    default: return c;
    }
}

}  // namespace

void Game::countUsedWords()
{
    state.usedCount = 0;
    const i16 limit = state.wordCount;
    for (int i = 1; i <= limit; ++i)
        if (state.wordTable.at(i, 1) == drawn)
            state.usedCount = add16(state.usedCount, 1);
}

i16 drawRowNumber(i16 wordCount, RandomSource& random)
{
    random.reseed();
    const float r = random.next();
    // Two floats multiply exactly in double precision; the product is then
    // rounded half to even, so row wordCount and row 0 come up half as often.
    const double product = static_cast<double>(static_cast<float>(wordCount)) * static_cast<double>(r);
    const i16 n = roundToInt16(product);
    if (n < 0 || n > WordTable::upperRow)
        raise(ErrorKind::SubscriptOutOfRange, "Zeile " + std::to_string(n));
    return n;
}

void Game::startRound()
{
    countUsedWords();

    if (state.usedCount == state.wordCount) {
        setText(display_, control::Fragewort, exhausted);
        setVisible(display_, control::Fragewort, true);
        return;
    }

    setCaption(display_, control::Label1, roundHeadline);
    setText(display_, control::textin, questionMark);
    setVisible(display_, control::Fragewort, true);
    setCaption(display_, control::Label2, roundInstruction);

    i16 n = 0;
    do {
        n = drawRowNumber(state.wordCount, random_);
    } while (n == 0 || state.wordTable.at(n, 1) == drawn);

    state.wordTable.at(n, 1) = drawn;
    state.currentWord = state.wordTable.at(n, 0);
    const Text& word = *state.currentWord;

    state.maskText = Text();
    for (int k = 1; k <= word.length(); ++k)
        state.maskText = state.maskText + hiddenLetter;
    state.wordLength = word.length();
    setText(display_, control::Fragewort, state.maskText);

    for (int k = 1; k <= state.wordLength; ++k) {
        const i16 c = word.charAt(k).code();
        state.letterTable.at(k, 0) = c;
        state.letterTable.at(k, 1) = casePartner(state.letterTable.at(k, 0));
    }

    state.stage = 0;
    state.revealedCount = 0;
}

}  // namespace galgen
