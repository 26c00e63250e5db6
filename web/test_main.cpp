// SPDX-License-Identifier: GPL-3.0-or-later
// The game for the browser tests: words drawn from values the test script
// pushes instead of the clock, and a log of the key codes that reach
// textin_KeyPress. Only the test page loads this module.
#include <emscripten/emscripten.h>

#include <string>

#include "controls.h"
#include "game_page.h"
#include "scripted_random.h"

namespace {

galgen::testing::ScriptedRandom scripted;
std::string keyLog;   // "246,214," for ö and Ö

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

EMSCRIPTEN_KEEPALIVE void galgen_test_announce(const char* text)
{
    if (auto* form = galgen::web::PageForm::current())
        form->announce(text);
}

}

int main()
{
    auto& page = galgen::web::GamePage::start(scripted);
    page.form().onKeyPress(galgen::control::textin, [&page](const galgen::i16& keyAscii) {
        keyLog += std::to_string(keyAscii) + ",";
        page.form1().textin_KeyPress(keyAscii);
    });
}
