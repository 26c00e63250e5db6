// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_page.h"

#include "layout.h"

namespace galgen::web {

GamePage::GamePage(RandomSource& random) : form_(form1Layout()), form1_(form_.engine(), random) {}

void GamePage::start(RandomSource& random)
{
    guarded([&] {
        auto* page = new GamePage(random);
        page->form_.afterUnload([page] { delete page; });
        page->form_.load();
        page->form_.dropFileOfAddress(listParameter);
    });
}

}  // namespace galgen::web
