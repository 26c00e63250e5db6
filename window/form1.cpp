// The handlers of Form1, in the order the rules tell them.
#include "form1.h"

#include "controls.h"

namespace galgen {

Form1::Form1(Display& display, RandomSource& random, std::function<void()> unload)
    : display_(display), game_(display, random), unload_(std::move(unload))
{
}

void Form1::ende_Click() { unload_(); }

// The start screen comes first, while the word list is still empty; only
// then are the words loaded.
void Form1::Form_Load()
{
    resetScreen();
    game_.loadWords();
}

// Hides Fragewort but leaves its text, and leaves textin alone: a round that
// was running goes on behind the start screen.
void Form1::resetScreen()
{
    game_.countUsedWords();
    setCaption(display_, control::Label1, Text::fromUtf8("Worteraten mit dem Galgenmännchen"));
    setVisible(display_, control::Fragewort, false);
    setCaption(display_, control::Label2,
               Text::fromUtf8("Starte das Spiel, indem du auf das rote Fragezeichen unter diesem Satz klickst !"));
    game_.hideGallows();
}

void Form1::spielneu_Click()
{
    resetScreen();
    setText(display_, control::textin, Text::fromUtf8("?"));
}

// The key is only read; the text box applies it to its text afterwards.
void Form1::textin_KeyPress(const i16& keyAscii) { game_.evaluateGuess(keyAscii); }

void Form1::textin_Click() { game_.startRound(); }

}  // namespace galgen
