// SPDX-License-Identifier: GPL-3.0-or-later
// Writes Form1's markup for the site at build time, run under node: its
// elements on the start screen (html) or the style sheet that places them
// (css), on standard output.
//   node galgen_markup.js html|css
#include <cstdio>
#include <cstring>

#include "form1.h"
#include "layout.h"
#include "page_markup.h"
#include "random.h"

int main(int argc, char** argv)
{
    if (argc != 2 || (std::strcmp(argv[1], "html") != 0 && std::strcmp(argv[1], "css") != 0)) {
        std::fprintf(stderr, "usage: galgen_markup html|css\n");
        return 2;
    }
    galgen::ClockRandom random;   // no word is drawn while the form loads
    galgen::web::PageMarkup markup(galgen::form1Layout(), "pictures/");
    galgen::Form1 form1(markup.engine(), random);
    markup.load();
    const std::string text = std::strcmp(argv[1], "html") == 0 ? markup.html() : markup.css();
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
