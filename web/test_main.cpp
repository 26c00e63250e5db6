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
#include "layout.h"
#include "page_form.h"
#include "scripted_random.h"

namespace {

galgen::testing::ScriptedRandom scripted;
std::string keyLog;   // "246,214," for ö and Ö

// Forwards everything to the page's form and logs each key code on its way
// to the handler.
class KeyLoggingEngine final : public galgen::form::Engine {
public:
    explicit KeyLoggingEngine(galgen::web::PageForm& form) : form_(form) {}

    void apply(const galgen::DisplayCommand& command) override { form_.apply(command); }
    void onLoad(Handler handler) override { form_.onLoad(std::move(handler)); }
    void onClick(std::string_view control, Handler handler) override { form_.onClick(control, std::move(handler)); }
    void onKeyPress(std::string_view control, KeyPressHandler handler) override
    {
        form_.onKeyPress(control, [handler = std::move(handler)](const galgen::i16& keyAscii) {
            keyLog += std::to_string(keyAscii) + ",";
            handler(keyAscii);
        });
    }
    void unload() override { form_.unload(); }
    void announce(std::string_view utf8) override { form_.announce(utf8); }

private:
    galgen::web::PageForm& form_;
};

struct TestGame {
    galgen::web::PageForm form{galgen::form1Layout()};
    KeyLoggingEngine engine{form};
    galgen::Form1 form1{engine, scripted};
};

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void galgen_test_push(float value) { scripted.push(value); }

EMSCRIPTEN_KEEPALIVE void galgen_test_push_row(int row) { scripted.pushRow(row); }

EMSCRIPTEN_KEEPALIVE const char* galgen_test_take_key_log()
{
    static std::string taken;
    taken = std::move(keyLog);
    keyLog.clear();
    return taken.c_str();
}

}

// As the shipped game: the form is discarded once "Ende" has unloaded it.
int main()
{
    auto* game = new TestGame;
    game->form.afterUnload([game] { delete game; });
    game->form.load();
}
