// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of one text box as the desktop delivers them: every typed
// character once, before the box applies it. A browser reports a keystroke
// as a keydown, usually followed by a beforeinput and an input event for the
// same character; on-screen keyboards and input methods send input events
// alone, often without any key code, and text inserted by a script or a tool
// may come as an input event with no beforeinput before it. KeyInput takes
// all of them and hands on each character exactly once.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace galgen::web {

// Modifier flags of a keydown, as the page passes them.
enum Modifier : int { Alt = 1, Control = 2, Meta = 4, AltGraph = 8, Composing = 16 };

class KeyInput {
public:
    explicit KeyInput(std::function<void(char32_t)> deliver) : deliver_(std::move(deliver)) {}

    // A keydown with the event's key value ("a", "Ä", "Backspace", "Dead").
    void keyDown(std::string_view key, int modifiers);
    void keyUp() { keyHandled_ = inputTaken_ = false; }
    // A beforeinput event: its inputType and data (UTF-8).
    void beforeInput(std::string_view inputType, std::string_view data);
    // An input event, after the box has taken the text: delivered only
    // where no keydown or beforeinput has delivered that insertion already.
    void input(std::string_view inputType, std::string_view data);
    // The text an input method commits when its composition ends.
    void compositionEnd(std::string_view data);

private:
    void deliver(std::u32string_view text);
    void followComposition(const std::u32string& now);

    std::function<void(char32_t)> deliver_;
    // The keydown of the running keystroke has delivered its character (or
    // found the keystroke a command), so whatever the keystroke inserts until
    // its keyup is no new character (Firefox inserts a character outside the
    // BMP in two halves).
    bool keyHandled_ = false;
    // A beforeinput has taken the insertion that its input event reports.
    bool inputTaken_ = false;
    // A dead key started the composition: like the desktop, deliver only
    // what it commits. Otherwise (an on-screen keyboard composing a word)
    // each character is delivered as it joins the composition.
    bool deadKey_ = false;
    std::u32string composition_;
};

}  // namespace galgen::web
