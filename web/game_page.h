// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 on the web form engine: the page's one game, and the own words the
// page brings it.
#pragma once

#include <string_view>

#include "form1.h"
#include "page_form.h"
#include "random.h"

namespace galgen::web {

// The parameter of the page's address that names a word list beside the
// game: index.html?liste=tiere.txt.
inline constexpr std::string_view listParameter = "liste";

// A player's own words for the form's game: the list file the page's
// address names (?liste=), the list a link carries in the address's
// fragment (#woerter=…, and again whenever it changes), and the page's
// dialog for typing a list (web/words.js).
void takeOwnWords(PageForm& form);

class GamePage {
public:
    // Takes over the page's form and loads it on the start screen, with the
    // own words the page brings. The game lives until "Ende" unloads its
    // form; then it discards itself. A game whose start fails shows why in
    // the page's error dialog.
    static void start(RandomSource& random);

private:
    explicit GamePage(RandomSource& random);

    PageForm form_;
    Form1 form1_;
};

}  // namespace galgen::web
