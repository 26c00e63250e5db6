// SPDX-License-Identifier: GPL-3.0-or-later
// Form1's event handlers and its start screen: the game's side of the
// window. It owns the game (and with it the game state), issues display
// commands by control name and knows nothing of any toolkit; the form engine
// of either edition calls these handlers when the player loads, clicks and
// types.
#pragma once

#include "file_bytes.h"
#include "form_engine.h"
#include "game.h"
#include "int16.h"
#include "random.h"
#include "spoken_status.h"

namespace galgen {

class Form1 {
public:
    // Registers the handlers with the engine's events; the engine must
    // outlive this Form1's use of it.
    Form1(form::Engine& engine, RandomSource& random);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    void ende_Click();
    void Form_FileDrop(const FileBytes& file);
    void Form_Load();
    void resetScreen();
    void spielneu_Click();
    void spielwoerter_Click();
    void textin_KeyPress(const i16& keyAscii);
    void textin_Click();

    const GameState& state() const { return game_.state; }

private:
    // The handler, followed by the spoken status it leads to.
    template <typename Handler>
    auto thenSpeak(Spoken spoken, Handler handler);

    form::Engine& engine_;
    Game game_;
};

}  // namespace galgen
