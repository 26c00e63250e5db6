// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_page.h"

#include <emscripten/emscripten.h>

#include <string>

#include "layout.h"
#include "word_file.h"
#include "word_link.h"
#include "words.h"

namespace galgen::web {

namespace {

// What a list the player types is called in messages.
constexpr std::string_view typedListName = "Eigene Wörter";

FileBytes typedList(const char* utf8) { return {std::string(typedListName), utf8}; }

// Lines for the page, one a line.
const char* lines(const std::vector<std::string>& texts)
{
    static std::string joined;
    joined.clear();
    for (const std::string& text : texts)
        joined += (joined.empty() ? "" : "\n") + text;
    return joined.c_str();
}

}  // namespace

void takeOwnWords(PageForm& form)
{
    form.dropFileOfAddress(listParameter);
    form.onAddress([&form] {
        if (const std::optional<std::string> code = form.fragment(wordLinkKey))
            form.engine().dropFile(wordLinkFile(*code));
    });
    words_attach(int(fileByteLimit + 1));
}

GamePage::GamePage(RandomSource& random) : form_(form1Layout()), form1_(form_.engine(), random) {}

void GamePage::start(RandomSource& random)
{
    guarded([&] {
        auto* page = new GamePage(random);
        page->form_.afterUnload([page] { delete page; });
        page->form_.load();
        takeOwnWords(page->form_);
    });
}

}  // namespace galgen::web

// The dialog for typing a list (words.js) asks the game's list reader, in
// the same German words as for a file.
extern "C" {

// The faults of the list typed so far, one a line; "" for none.
EMSCRIPTEN_KEEPALIVE const char* galgen_words_faults(const char* utf8)
{
    return galgen::web::lines(galgen::checkWordFile(galgen::web::typedList(utf8)).faults);
}

// A file opened into the dialog, as text to edit: "T" and its text, or "F"
// and its faults, one a line, where it is no list as a whole.
EMSCRIPTEN_KEEPALIVE const char* galgen_words_text(const char* bytes, int length)
{
    const galgen::WordFileText text = galgen::wordFileText({"", std::string(bytes, std::size_t(length))});
    static std::string answer;
    answer = text.faults.empty() ? "T" + text.utf8 : std::string("F") + galgen::web::lines(text.faults);
    return answer.c_str();
}

// Plays the list typed: 1 if the game took it, 0 if it showed why not.
EMSCRIPTEN_KEEPALIVE int galgen_words_play(const char* utf8)
{
    bool taken = false;
    galgen::web::guarded([&] {
        if (galgen::web::PageForm* form = galgen::web::PageForm::current()) {
            taken = form->engine().dropFile(galgen::web::typedList(utf8));
            form->finishEvent();
        }
    });
    return taken ? 1 : 0;
}

// The fragment of a link to the list typed ("woerter=…"), or "" where the
// list has faults, which the page's error dialog then shows.
EMSCRIPTEN_KEEPALIVE const char* galgen_words_link(const char* utf8)
{
    static std::string fragment;
    fragment.clear();
    galgen::web::guarded([&] {
        const std::vector<galgen::Text> words = galgen::readWordFile(galgen::web::typedList(utf8));
        fragment = std::string(galgen::wordLinkKey) + "=" + galgen::wordLinkCode(words);
    });
    return fragment.c_str();
}

}
