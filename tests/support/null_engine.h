// SPDX-License-Identifier: GPL-3.0-or-later
// The null engine: a form engine with no toolkit at all, so that a form and
// everything wired to it run and are tested without a window or a page. It
// is the form core with a toolkit that keeps what it is told (texts,
// visibility, the focus, spoken statuses, errors shown, the unload) and a
// player's hands that hand events to the core as a toolkit would.
//
// It is no text box: a key it delivers does not change the box's text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form_core.h"

namespace galgen::testing {

class NullEngine final : public form::Toolkit {
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
    std::vector<std::string> spoken;
    std::vector<std::string> errors;
    bool unloaded = false;

    // The player's hands.
    void load() { core_.load(); }
    // A mouse click: like a toolkit's, it moves the focus to a control that
    // can take it.
    void click(std::string_view control, int clickCount = 1);
    void activate(std::string_view control) { core_.activate(core_.find(control)); }
    bool shortcut(std::string_view key) { return core_.shortcut(key); }
    // Moves the focus, as Tab would, to a control that can take it.
    void focusOn(std::string_view control);
    // Keys and input events, to the control with the focus.
    void press(const form::KeyPress& key);
    void type(std::string_view utf8);
    void input(std::string_view inputType, std::string_view utf8);

    // Toolkit
    void carryOut(int control, const form::CheckedCommand& command) override;
    void focus(int control) override { focus_ = control; }
    void unload() override { unloaded = true; }
    void announce(std::string_view utf8) override { spoken.emplace_back(utf8); }
    void showError(const RuntimeError& error) override { errors.emplace_back(error.what()); }

private:
    form::KeyInput* keys() { return focus_ < 0 ? nullptr : core_.keys(focus_); }
    bool canFocus(int control) const;

    form::FormCore core_;
    std::vector<std::string> texts_;
    int focus_ = -1;
};

}  // namespace galgen::testing
