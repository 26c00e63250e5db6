// Form1's event handlers and its start screen: the game's side of the
// window. It owns the game (and with it the game state), issues display
// commands by control name and knows nothing of the toolkit; the form engine
// calls these handlers when the player loads, clicks and types.
#pragma once

#include <functional>

#include "display.h"
#include "game.h"
#include "int16.h"
#include "random.h"

namespace galgen {

class Form1 {
public:
    // unload closes the window, and with it the program.
    Form1(Display& display, RandomSource& random, std::function<void()> unload);

    void ende_Click();
    void Form_Load();
    void resetScreen();
    void spielneu_Click();
    void textin_KeyPress(const i16& keyAscii);
    void textin_Click();

    const GameState& state() const { return game_.state; }

private:
    Display& display_;
    Game game_;
    std::function<void()> unload_;
};

}  // namespace galgen
