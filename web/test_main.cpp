// SPDX-License-Identifier: GPL-3.0-or-later
// The game for the browser tests: words drawn from values the test script
// pushes instead of the clock, and a log of the key codes that reach
// textin_KeyPress. Only the test page loads this module.
//
// The log sits between Form1 and the page's form, so that Form1 registers
// its handlers exactly as in the shipped game, spoken status included.
#include <emscripten/emscripten.h>

#include <string>

#include "form1.h"
#include "game_page.h"
#include "key_log.h"
#include "layout.h"
#include "scripted_random.h"

namespace {

galgen::testing::ScriptedRandom scripted;

struct TestGame {
    galgen::web::PageForm form{galgen::form1Layout()};
    galgen::testing::KeyLoggingEngine log{form.engine()};
    galgen::Form1 form1{log, scripted};
};

TestGame* game = nullptr;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void galgen_test_push(float value) { scripted.push(value); }

// Row `row` of the list in play, the built-in one or an own one.
EMSCRIPTEN_KEEPALIVE void galgen_test_push_row(int row)
{
    scripted.pushRow(row, game ? game->form1.state().wordCount : 150);
}

// The codes since the last call, as "246,214," for ö and Ö.
EMSCRIPTEN_KEEPALIVE const char* galgen_test_take_key_log()
{
    static std::string taken;
    taken.clear();
    if (game)
        for (const int code : game->log.take())
            taken += std::to_string(code) + ",";
    return taken.c_str();
}

// As the shipped game: the form is discarded once "Ende" has unloaded it.
EMSCRIPTEN_KEEPALIVE void galgen_test_start()
{
    galgen::web::guarded([] {
        game = new TestGame;
        game->form.afterUnload([] {
            delete game;
            game = nullptr;
        });
        game->form.load();
        galgen::web::takeOwnWords(game->form);
    });
}

}

// A page whose address asks for it (?held) holds the game's start until the
// test calls galgenTestStart(): the test acts on the start screen before the
// engine is ready, as a player may while the module loads, with the words
// it pushes waiting for the rounds those acts start.
int main()
{
    if (EM_ASM_INT({ return location.search === '?held'; })) {
        EM_ASM({ window.galgenTestStart = Module._galgen_test_start; });
        return 0;
    }
    galgen_test_start();
}
