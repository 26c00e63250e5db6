// SPDX-License-Identifier: GPL-3.0-or-later
// The handlers of Form1, in the order the rules tell them.
#include "form1.h"

#include "controls.h"

namespace galgen {

// The five events the game has handlers for; every other event of every
// control is left to the engine.
Form1::Form1(form::Engine& engine, RandomSource& random) : engine_(engine), game_(engine, random)
{
    engine.onLoad([this] { Form_Load(); });
    engine.onClick(control::textin, [this] { textin_Click(); });
    engine.onKeyPress(control::textin, [this](const i16& keyAscii) { textin_KeyPress(keyAscii); });
    engine.onClick(control::spielneu, [this] { spielneu_Click(); });
    engine.onClick(control::ende, [this] { ende_Click(); });
}

void Form1::ende_Click() { engine_.unload(); }

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
    setCaption(engine_, control::Label1, Text::fromUtf8("Worteraten mit dem Galgenmännchen"));
    setVisible(engine_, control::Fragewort, false);
    setCaption(engine_, control::Label2,
               Text::fromUtf8("Starte das Spiel, indem du auf das rote Fragezeichen unter diesem Satz klickst !"));
    game_.hideGallows();
}

void Form1::spielneu_Click()
{
    resetScreen();
    setText(engine_, control::textin, Text::fromUtf8("?"));
}

// The key is only read; the text box applies it to its text afterwards.
void Form1::textin_KeyPress(const i16& keyAscii) { game_.evaluateGuess(keyAscii); }

void Form1::textin_Click() { game_.startRound(); }

}  // namespace galgen
