// SPDX-License-Identifier: GPL-3.0-or-later
// Galgenmännchenspiel in the browser: builds the game on the page and
// returns; the page's events drive it from then on.
#include "game_page.h"

int main()
{
    static galgen::ClockRandom random;
    galgen::web::GamePage::start(random);
}
