// SPDX-License-Identifier: GPL-3.0-or-later
// Writes what the site takes from Form1 at build time, run under node: the
// form's elements on the start screen (html), the style sheet that places
// them (css), or, as JSON, the facts the page, the manifest and the icons
// repeat (facts): the form's caption and ground colour, and the message of
// an internal run-time error with "{}" for its detail, which the page's own
// script shows for anything uncaught; and for the browser tests, the longest
// word a list may hold and the letters a word may have.
//   node galgen_markup.js html|css|facts
#include <cstdio>
#include <string>
#include <string_view>

#include "errors.h"
#include "form1.h"
#include "layout.h"
#include "page_markup.h"
#include "random.h"
#include "text.h"
#include "word_file.h"

namespace {

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string facts(const galgen::form::FormLayout& layout)
{
    const galgen::form::Rgb ground = layout.backColor;
    return "{\"caption\": " + quoted(layout.caption) + ", \"ground\": [" + std::to_string(ground.r) + ", "
           + std::to_string(ground.g) + ", " + std::to_string(ground.b) + "], \"internalError\": "
           + quoted(galgen::RuntimeError(galgen::ErrorKind::Internal, "{}").what())
           + ", \"longestWord\": " + std::to_string(galgen::maxWordLetters)
           + ", \"letters\": " + quoted(galgen::unicodeToUtf8(galgen::allowedLetters)) + "}\n";
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view what = argc == 2 ? argv[1] : "";
    if (what != "html" && what != "css" && what != "facts") {
        std::fprintf(stderr, "usage: galgen_markup html|css|facts\n");
        return 2;
    }
    galgen::ClockRandom random;   // no word is drawn while the form loads
    galgen::web::PageMarkup markup(galgen::form1Layout(), "pictures/");
    galgen::Form1 form1(markup.engine(), random);
    markup.load();
    const std::string text = what == "html" ? markup.html() : what == "css" ? markup.css() : facts(galgen::form1Layout());
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
