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
// by table. Returns false for a character without a partner, whose partner
// column is then left as it was.
bool casePartner(i16 c, i16& partner)
{
    if (c >= 97 && c <= 122) { partner = add16(c, -32); return true; }
    if (c >= 65 && c <= 90) { partner = add16(c, 32); return true; }
    switch (c) {
    case 246: partner = 214; return true;   // ö -> Ö
    case 214: partner = 246; return true;   // Ö -> ö
    case 228: partner = 196; return true;   // ä -> Ä
    case 196: partner = 228; return true;   // Ä -> ä
    case 252: partner = 220; return true;   // ü -> Ü
    case 220: partner = 252; return true;   // Ü -> ü
    default: return false;
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
        i16 partner = 0;
        if (casePartner(state.letterTable.at(k, 0), partner))
            state.letterTable.at(k, 1) = partner;
    }

    state.stage = 0;
    state.revealedCount = 0;
}

}  // namespace galgen
