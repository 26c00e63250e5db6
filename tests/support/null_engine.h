// SPDX-License-Identifier: GPL-3.0-or-later
// The null engine: a form engine with no toolkit at all, so that a form and
// everything wired to it run and are tested without a window or a page. It
// is the form core on the form layer's keeping toolkit (texts and the
// focus), which also keeps the display commands in order, the spoken
// statuses, the errors shown and the unload; with a player's hands that do
// what a toolkit does with a mouse and a keyboard: a click reaches whatever
// the form core says lies on top there, Tab follows the layout's tab order,
// a focused button takes Space and Enter, and a text box edits its text
// after its KeyPress handler has seen the key.
//
// Its text boxes are the plainest a toolkit has: a click puts the caret at
// the end, Tab selects the whole text, and a typed character replaces the
// selection.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form_core.h"
#include "keeping_toolkit.h"

namespace galgen::testing {

class NullEngine final : public form::KeepingToolkit {
public:
    explicit NullEngine(const form::FormLayout& layout);

    // What a program wires its handlers to.
    form::FormCore& core() { return core_; }

    // What the player sees and hears.
    std::string text(std::string_view control) const;
    bool shown(std::string_view control) const { return core_.shown(core_.find(control)); }
    // The shown controls among these names, in their order.
    std::vector<std::string> shownOf(const std::vector<std::string_view>& names) const;
    std::string focus() const;
    using KeepingToolkit::focus;
    std::vector<std::string> spoken;
    std::vector<std::string> errors;
    bool unloaded = false;

    // Every display command carried out, in order, for the rules that fix
    // one; and a command made to fail on purpose: the next one to that
    // control and property raises the failed-display-command error.
    std::vector<DisplayCommand> log;
    void failOn(std::string_view control, Property property) { failure_ = {std::string(control), property}; }

    // The player's hands.
    void load() { core_.load(); }
    // A left click on a pixel of the form, the clickCount-th in a row.
    void clickAt(int x, int y, int clickCount = 1);
    // A left click that lands on the control, whatever lies over it.
    void click(std::string_view control, int clickCount = 1) { click(core_.find(control), clickCount); }
    void activate(std::string_view control) { core_.activate(core_.find(control)); }
    bool shortcut(std::string_view key) { return core_.shortcut(key); }
    // Moves the focus there, as the keyboard would.
    void focusOn(std::string_view control);
    // One key, by its DOM name or by the character it types, with the
    // modifiers of KeyPress and Shift held.
    void press(std::string_view key, int modifiers = 0, bool shift = false);
    // The same with the modifiers held named as the DOM names them (Shift,
    // Control, Alt, Meta).
    void press(std::string_view key, const std::vector<std::string>& modifierNames);
    // Each character as a key of a keyboard that has it.
    void type(std::string_view utf8);
    // Text inserted with no key event, as on-screen keyboards send it.
    void input(std::string_view utf8);
    // An input method's composition through these texts, then committed.
    void compose(const std::vector<std::string>& preedits, std::string_view commit);
    // A dead key, then the key that composes with it into this.
    void dead(std::string_view commit);

    // Toolkit
    void carryOut(int control, const form::CheckedCommand& command) override;
    void unload() override { unloaded = true; }
    void announce(std::string_view utf8) override { spoken.emplace_back(utf8); }
    void showError(const RuntimeError& error) override { errors.emplace_back(error.what()); }

private:
    // A text box's text, with its caret and the other end of its selection.
    struct Box {
        std::u32string text;
        std::size_t caret = 0, anchor = 0;
    };

    void click(int control, int clickCount);
    void moveFocus(bool forward);
    form::KeyInput* keys() { return focused() < 0 ? nullptr : core_.keys(focused()); }
    Box* focusedBox();
    void insert(std::u32string_view text);
    void edit(const form::KeyPress& key);

    form::FormCore core_;
    // The text boxes' own texts, which may hold what cp1252 lacks.
    std::map<int, Box> boxes_;
    std::optional<std::pair<std::string, Property>> failure_;
};

}  // namespace galgen::testing
