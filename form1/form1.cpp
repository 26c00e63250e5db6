// SPDX-License-Identifier: GPL-3.0-or-later
// The handlers of Form1, in the order the rules tell them.
#include "form1.h"

#include "controls.h"
#include "spoken_status.h"
#include "word_file.h"

namespace galgen {

// A handler in the engine's signature, which after the handler itself tells
// the engine what the player should hear.
template <typename Handler>
auto Form1::thenSpeak(Spoken spoken, Handler handler)
{
    return [this, spoken, handler](const auto&... args) {
        const bool wasRunning = roundRunning(game_.state);
        handler(args...);
        if (const auto status = spokenStatus(spoken, wasRunning, game_.state))
            engine_.announce(*status);
    };
}

// The seven events the game has handlers for; every other event of every
// control is left to the engine. Five of them are followed by what a
// screen reader should tell the player; a handler that ends in a run-time
// error tells nothing.
Form1::Form1(form::Engine& engine, RandomSource& random) : engine_(engine), game_(engine, random)
{
    engine.onLoad([this] { Form_Load(); });
    engine.onClick(control::textin, thenSpeak(Spoken::RoundStart, [this] { textin_Click(); }));
    engine.onKeyPress(control::textin,
                      thenSpeak(Spoken::Key, [this](const i16& keyAscii) { textin_KeyPress(keyAscii); }));
    engine.onClick(control::spielneu, thenSpeak(Spoken::NewGame, [this] { spielneu_Click(); }));
    engine.onClick(control::ende, [this] { ende_Click(); });
    engine.onFileDrop(thenSpeak(Spoken::WordList, [this](const FileBytes& file) { Form_FileDrop(file); }));
    engine.onClick(control::spielwoerter, thenSpeak(Spoken::BuiltInWords, [this] { spielwoerter_Click(); }));
}

void Form1::ende_Click() { engine_.unload(); }

// A word list file: its words replace the list, every one of them not drawn
// yet, and the start screen shows. A faulty file raises its error before
// anything changes, and the game goes on with the words it had.
void Form1::Form_FileDrop(const FileBytes& file)
{
    game_.loadWords(readWordFile(file));
    spielneu_Click();
}

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

// The menu's way back from an own list: the built-in words, every one of
// them not drawn yet, and the start screen.
void Form1::spielwoerter_Click()
{
    game_.loadWords(builtInWords());
    spielneu_Click();
}

// The key is only read; the text box applies it to its text afterwards.
void Form1::textin_KeyPress(const i16& keyAscii) { game_.evaluateGuess(keyAscii); }

void Form1::textin_Click() { game_.startRound(); }

}  // namespace galgen
