// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 on the web form engine: the page's one game.
#pragma once

#include <string_view>

#include "form1.h"
#include "page_form.h"
#include "random.h"

namespace galgen::web {

// The parameter of the page's address that names a word list beside the
// game: index.html?liste=tiere.txt.
inline constexpr std::string_view listParameter = "liste";

class GamePage {
public:
    // Takes over the page's form and loads it on the start screen, with the
    // word list the page's address names. The game lives until "Ende"
    // unloads its form; then it discards itself. A game whose start fails
    // shows why in the page's error dialog.
    static void start(RandomSource& random);

private:
    explicit GamePage(RandomSource& random);

    PageForm form_;
    Form1 form1_;
};

}  // namespace galgen::web
