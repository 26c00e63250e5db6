// SPDX-License-Identifier: GPL-3.0-or-later
// The web form's markup, written once at build time: the controls as HTML
// elements in the state the program's Load handler leaves them, and their
// places, fonts and colours as a style sheet. The site's page carries both,
// so that the start screen paints before the module has loaded; the web
// form engine (page_form.h) then takes those elements over.
//
// It is the form core with a toolkit that keeps what it is told, like the
// engine at run time, but writes text instead of calling the page.
#pragma once

#include <string>

#include "form_core.h"
#include "form_layout.h"
#include "keeping_toolkit.h"

namespace galgen::web {

class PageMarkup final : public form::KeepingToolkit {
public:
    // The pictures the layout names are files in pictureFolder, relative to
    // the page.
    PageMarkup(const form::FormLayout& layout, std::string pictureFolder);

    // What the program wires its handlers to.
    form::FormCore& engine() { return core_; }
    // Runs the Load handler and gives the first focus.
    void load() { core_.load(); }

    // The form's elements, to stand inside the page's form ground.
    std::string html() const;
    // The form's menu (#menu), hidden, with the keys the form takes anywhere
    // (data-keys), and the file input of its dialog for opening a file
    // (#file-choice); they stand outside the form ground, which the page
    // scales.
    std::string menuHtml() const;
    // The rules that place and paint them, the ground's size and colour, and
    // the text colours darkened where the player asks for more contrast.
    std::string css() const;

    // Toolkit: the texts and the focus are kept; nothing else shows.
    void announce(std::string_view) override {}
    void showError(const RuntimeError& error) override { throw error; }
    void unload() override {}
    // The page has a dialog for each menu action.
    bool offers(form::MenuAction) const override { return true; }

private:
    void element(std::string& out, int control) const;
    void children(std::string& out, std::string_view container) const;

    form::FormCore core_;
    std::string pictureFolder_;
};

}  // namespace galgen::web
