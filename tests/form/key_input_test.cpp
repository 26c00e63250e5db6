// SPDX-License-Identifier: GPL-3.0-or-later
// Key input: the characters a text box hands on for the events a toolkit
// reports, each exactly once, whatever mix of key presses and input events
// the toolkit sends for one keystroke.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "key_input.h"

namespace galgen::form {
namespace {

// One event of a toolkit, as the table writes it.
struct Event {
    enum Kind { Key, Up, Before, Input, Commit } kind;
    std::string name{};        // Key: a named key
    std::u32string text{};     // Key: what the key types
    int modifiers = 0;         // Key
    std::string inputType{};   // Before, Input
    std::string data{};        // Before, Input, Commit (UTF-8)
};

Event key(std::u32string text, int modifiers = 0) { return {Event::Key, {}, std::move(text), modifiers}; }
Event named(std::string name, int modifiers = 0) { return {Event::Key, std::move(name), {}, modifiers}; }
Event up() { return {Event::Up}; }
Event before(std::string type, std::string data = {}) { return {Event::Before, {}, {}, 0, std::move(type), std::move(data)}; }
Event input(std::string type, std::string data = {}) { return {Event::Input, {}, {}, 0, std::move(type), std::move(data)}; }
Event commit(std::string data) { return {Event::Commit, {}, {}, 0, {}, std::move(data)}; }

// A keystroke as browsers send it: the key, then its input events.
std::vector<Event> typed(char32_t ch, std::string utf8)
{
    return {key(std::u32string(1, ch)), before("insertText", utf8), input("insertText", utf8), up()};
}

struct Case {
    const char* what;
    std::vector<Event> events;
    std::u32string delivered;
};

std::vector<Event> operator+(std::vector<Event> a, const std::vector<Event>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(KeyInput, DeliversEachTypedCharacterOnce)
{
    const std::vector<Case> cases = {
        {"a letter with its input events", typed(U'a', "a"), U"a"},
        {"a key alone, as the desktop sends it", {key(U"Ö"), up()}, U"Ö"},
        {"a key whose input event comes without the one before it", {key(U"x"), input("insertText", "x"), up()}, U"x"},
        {"two keystrokes", typed(U'ä', "ä") + typed(U'ß', "ß"), U"äß"},
        {"Backspace, with the deletion it causes",
         {named("Backspace"), before("deleteContentBackward"), input("deleteContentBackward"), up()}, U"\b"},
        {"Enter and Escape", {named("Enter"), up(), named("Escape"), up()}, U"\r\x1b"},
        {"keys that type nothing",
         {named("Tab"), named("Delete"), named("ArrowLeft"), named("Shift"), named("F2"), named("Unidentified")}, U""},
        {"Alt and Meta combinations are commands", {key(U"a", Alt), key(U"b", Meta), key(U"c", Alt | Control)}, U""},
        {"Meta's letter is no character, even where the toolkit types it",
         {key(U"b", Meta), before("insertText", "b"), input("insertText", "b"), up()}, U""},
        {"Alt's character, where it types one, comes with its input events",
         {key(U"a", Alt), before("insertText", "å"), input("insertText", "å"), up()}, U"å"},
        {"a keystroke that inserts in two halves counts once",
         {key(U"😀"), before("insertText", "a"), input("insertText", "a"), before("insertText", "b"),
          input("insertText", "b"), up()},
         U"😀"},
        {"AltGr types, even where it reports Control and Alt", {key(U"@", Alt | Control | AltGraph), key(U"€", AltGraph)},
         U"@€"},
        {"Control with a letter types its control character",
         {key(U"a", Control), key(U"Z", Control), key(U"\x01", Control)}, U"\x01\x1a\x01"},
        {"Control with anything else is a shortcut", {key(U"1", Control), key(U"ö", Control), key(U"ab", Control)}, U""},
        {"a key typing several characters", {key(U"ab")}, U"ab"},
        {"text from an input event alone", {before("insertText", "lf"), input("insertText", "lf")}, U"lf"},
        {"text from an input event that comes without the one before it", {input("insertText", "lf")}, U"lf"},
        {"after a key's release, input events alone count again", typed(U'a', "a") + std::vector{input("insertText", "b")},
         U"ab"},
        {"a line break and a deletion without keys",
         {before("insertLineBreak"), input("insertLineBreak"), input("deleteContentBackward")}, U"\r\b"},
        {"other input types type nothing", {input("insertFromPaste", "xyz"), input("deleteByCut")}, U""},
        {"a dead key gives only what it composes",
         {named("Dead"), before("insertCompositionText", "^"), input("insertCompositionText", "^"), up(),
          key(U"e", Composing), before("insertCompositionText", "ê"), commit("ê"), input("insertCompositionText", "ê")},
         U"ê"},
        {"a commit with no composition before it", {commit("äÄ")}, U"äÄ"},
        {"an on-screen keyboard composing a word, letter by letter",
         {before("insertCompositionText", "l"), before("insertCompositionText", "lf"), commit("lf")}, U"lf"},
        {"a composition the keyboard corrects: erased and typed anew from where it differs",
         {before("insertCompositionText", "hut"), before("insertCompositionText", "hit"), commit("hit")},
         U"hut\b\bit"},
        {"a composition that shrinks", {before("insertCompositionText", "ab"), before("insertCompositionText", "a"), commit("a")},
         U"ab\b"},
        {"after a commit, a new composition starts empty",
         {before("insertCompositionText", "a"), commit("a"), before("insertCompositionText", "b"), commit("b")}, U"ab"},
    };
    for (const Case& c : cases) {
        std::u32string delivered;
        KeyInput keys([&](char32_t ch) { delivered += ch; });
        for (const Event& e : c.events) {
            switch (e.kind) {
            case Event::Key: keys.keyDown({e.name, e.text, e.modifiers}); break;
            case Event::Up: keys.keyUp(); break;
            case Event::Before: keys.beforeInput(e.inputType, e.data); break;
            case Event::Input: keys.input(e.inputType, e.data); break;
            case Event::Commit: keys.compositionEnd(e.data); break;
            }
        }
        EXPECT_EQ(delivered, c.delivered) << c.what;
    }
}

}  // namespace
}  // namespace galgen::form
