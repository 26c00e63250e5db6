// SPDX-License-Identifier: GPL-3.0-or-later
#include "key_input.h"

#include <algorithm>

#include "text.h"

namespace galgen::form {

namespace {

// Named keys that still type a character; every other named key (Tab,
// Delete, arrows, Shift, function keys) types none.
char32_t namedKeyCharacter(std::string_view name)
{
    constexpr std::pair<std::string_view, char32_t> typing[] = {
        {"Backspace", U'\b'}, {"Enter", U'\r'}, {"Escape", U'\x1b'},
    };
    for (const auto& [key, character] : typing)
        if (name == key)
            return character;
    return 0;
}

// Control with a letter types its control character; with anything else it
// is a shortcut. Some toolkits hand over the control character itself.
char32_t controlCharacter(std::u32string_view text)
{
    if (text.size() != 1)
        return 0;
    const char32_t ch = text[0];
    if (ch >= U'\x01' && ch <= U'\x1a')
        return ch;
    const char32_t upper = ch >= U'a' && ch <= U'z' ? ch - 32 : ch;
    return upper >= U'A' && upper <= U'Z' ? upper - 64 : 0;
}

// The characters an insertion types, as the desktop would get them: its
// text, a line break as Enter, a deletion backwards as Backspace. Any other
// change (a paste, a drop, a deletion forwards) types nothing.
std::u32string typedText(std::string_view inputType, std::string_view data)
{
    if (inputType == "insertText")
        return utf8ToUnicode(data);
    if (inputType == "insertLineBreak")
        return U"\r";
    if (inputType == "deleteContentBackward")
        return U"\b";
    return {};
}

}  // namespace

std::string shortcutName(std::string_view key, int modifiers, bool shift)
{
    std::string name;
    if (modifiers & Control)
        name += "Control+";
    if (modifiers & Alt)
        name += "Alt+";
    if (shift)
        name += "Shift+";
    if (modifiers & Meta)
        name += "Meta+";
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z')
        return name + char(key[0] - 32);
    return name.append(key);
}

void KeyInput::deliver(std::u32string_view text)
{
    for (char32_t ch : text)
        deliver_(ch);
}

void KeyInput::keyDown(const KeyPress& key)
{
    keyHandled_ = inputTaken_ = false;
    if (key.modifiers & Composing)
        return;
    // A dead key's character comes with the key after it, in a
    // composition or as that key's own character.
    deadKey_ = key.name == "Dead";
    if (!key.name.empty()) {
        if (const char32_t ch = namedKeyCharacter(key.name)) {
            deliver_(ch);
            keyHandled_ = true;
        }
        return;
    }
    if (key.text.empty())
        return;   // a key the input events report, if it types anything
    const bool altGraph = key.modifiers & AltGraph;
    if (key.modifiers & Meta) {
        // A command, not a character, even where the toolkit types the key's
        // character into the box (WebKitGTK does): the keystroke decides.
        keyHandled_ = true;
        return;
    }
    // A command, not a character; where Alt types one (macOS's Option key),
    // its input events deliver it.
    if ((key.modifiers & Alt) && !altGraph)
        return;
    if ((key.modifiers & Control) && !altGraph) {
        const char32_t ch = controlCharacter(key.text);
        if (ch == 0)
            return;
        deliver_(ch);
    } else {
        deliver(key.text);
    }
    keyHandled_ = true;
}

void KeyInput::beforeInput(std::string_view inputType, std::string_view data)
{
    if (inputType == "insertCompositionText") {
        if (!deadKey_)
            followComposition(utf8ToUnicode(data));
        return;
    }
    // This insertion is taken, whether or not its key press delivered it:
    // the input event that follows reports it again.
    inputTaken_ = true;
    if (!keyHandled_)
        deliver(typedText(inputType, data));
}

void KeyInput::input(std::string_view inputType, std::string_view data)
{
    if (inputType == "insertCompositionText")
        return;   // a composition's text comes with its beforeinput and compositionend
    if (!inputTaken_ && !keyHandled_)
        deliver(typedText(inputType, data));
    inputTaken_ = false;
}

void KeyInput::compositionEnd(std::string_view data)
{
    const std::u32string committed = utf8ToUnicode(data);
    if (deadKey_)
        deliver(committed);
    else
        followComposition(committed);
    deadKey_ = false;
    composition_.clear();
    keyHandled_ = false;
}

// The composition grows by the characters typed and shrinks by Backspace;
// a word the keyboard corrects counts as erased and typed anew from where
// it differs.
void KeyInput::followComposition(const std::u32string& now)
{
    const auto [oldEnd, newEnd] = std::mismatch(composition_.begin(), composition_.end(), now.begin(), now.end());
    const auto erased = composition_.end() - oldEnd;
    for (auto i = 0; i < erased; ++i)
        deliver_(U'\b');
    deliver(std::u32string_view(now).substr(std::size_t(newEnd - now.begin())));
    composition_ = now;
}

}  // namespace galgen::form
