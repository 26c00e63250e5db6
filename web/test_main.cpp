// SPDX-License-Identifier: GPL-3.0-or-later
// The game for the browser tests: words drawn from values the test script
// pushes, instead of the clock. Only the test page loads this module.
#include <emscripten/emscripten.h>

#include "game_page.h"
#include "scripted_random.h"

namespace {

galgen::testing::ScriptedRandom scripted;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void galgen_test_push(float value) { scripted.push(value); }

EMSCRIPTEN_KEEPALIVE void galgen_test_push_row(int row) { scripted.pushRow(row); }

EMSCRIPTEN_KEEPALIVE void galgen_test_announce(const char* text)
{
    if (auto* form = galgen::web::PageForm::current())
        form->announce(text);
}

}

int main() { galgen::web::GamePage::start(scripted); }
