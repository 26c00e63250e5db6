// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of one text box as the game receives them: every typed character
// once, as a cp1252 code, before the box applies it. A toolkit reports a
// keystroke as a key press, often followed by input events for the same
// text; on-screen keyboards, input methods and tools send input events
// alone, often without any key. KeyInput takes all of them and hands on
// each character exactly once.
//
// Keys are named as the DOM names them ("Backspace", "Enter", "Dead", "F2");
// a key that types text has no name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace galgen::form {

// Modifier flags of a key press.
enum Modifier : int { Alt = 1, Control = 2, Meta = 4, AltGraph = 8, Composing = 16 };

// A key with modifiers as the form's shortcuts name it ("Control+O",
// "Shift+F10", "F2"): the modifiers held, then the key's DOM name, a
// letter as a capital.
std::string shortcutName(std::string_view key, int modifiers, bool shift);

struct KeyPress {
    std::string_view name{};        // a named key; empty for a key that types text
    std::u32string_view text{};     // what a key without a name types
    int modifiers = 0;
};

class KeyInput {
public:
    explicit KeyInput(std::function<void(char32_t)> deliver) : deliver_(std::move(deliver)) {}

    void keyDown(const KeyPress& key);
    void keyUp() { keyHandled_ = inputTaken_ = false; }
    // Input events, before and after the text box changes: the event's
    // inputType ("insertText", "insertCompositionText", ...) and its data
    // (UTF-8). Where both come, the pair counts once; where only the one
    // after the change comes (text a script or a tool inserts, in Firefox),
    // it counts.
    void beforeInput(std::string_view inputType, std::string_view data);
    void input(std::string_view inputType, std::string_view data);
    // The text an input method commits when its composition ends.
    void compositionEnd(std::string_view data);

private:
    void deliver(std::u32string_view text);
    void followComposition(const std::u32string& now);

    std::function<void(char32_t)> deliver_;
    // The key press of the running keystroke has delivered its character (or
    // found the keystroke a command), so whatever the keystroke inserts until
    // its release is no new character (Firefox inserts a character outside
    // the 16-bit plane in two halves).
    bool keyHandled_ = false;
    // An input event before the change has been taken; the one after the
    // change is the same insertion.
    bool inputTaken_ = false;
    // A dead key started the composition: like the desktop, deliver only
    // what it commits. Otherwise (an on-screen keyboard composing a word)
    // each character is delivered as it joins the composition.
    bool deadKey_ = false;
    std::u32string composition_;
};

}  // namespace galgen::form
