// SPDX-License-Identifier: GPL-3.0-or-later
#include "null_engine.h"

#include <algorithm>
#include <stdexcept>

#include "text.h"

namespace galgen::testing {

namespace {

Property propertyOf(form::Change change)
{
    switch (change) {
    case form::Change::Visible: return Property::Visible;
    case form::Change::BoxText: return Property::Text;
    default: return Property::Caption;
    }
}

}  // namespace

NullEngine::NullEngine(const form::FormLayout& layout) : KeepingToolkit(layout), core_(layout, *this)
{
    for (int control = 0; control < core_.size(); ++control) {
        const form::ControlRow& row = core_.row(control);
        if (row.kind == form::Kind::TextBox) {
            const std::u32string text = utf8ToUnicode(row.text);
            boxes_[control] = {text, text.size(), text.size()};
        }
    }
}

std::string NullEngine::text(std::string_view control) const
{
    const int c = core_.find(control);
    const auto box = boxes_.find(c);
    return box == boxes_.end() ? KeepingToolkit::text(c) : unicodeToUtf8(box->second.text);
}

std::vector<std::string> NullEngine::shownOf(const std::vector<std::string_view>& names) const
{
    std::vector<std::string> result;
    for (std::string_view name : names)
        if (shown(name))
            result.emplace_back(name);
    return result;
}

std::string NullEngine::focus() const
{
    return focused() < 0 ? std::string() : std::string(core_.row(focused()).name);
}

// A click puts the caret at the end of a box's text; a click no mouse made
// leaves the focus to the form core.
void NullEngine::click(int control, int clickCount)
{
    if (core_.unloaded() || !core_.row(control).enabled)
        return;
    if (clickCount > 0 && core_.focusable(control)) {
        focus(control);
        if (Box* box = focusedBox())
            box->caret = box->anchor = box->text.size();
    }
    core_.click(control, clickCount);
}

void NullEngine::clickAt(int x, int y, int clickCount)
{
    if (const int control = core_.controlAt(x, y); control >= 0)
        click(control, clickCount);
}

void NullEngine::focusOn(std::string_view control)
{
    const int target = core_.find(control);
    if (!core_.focusable(target))
        throw std::logic_error(std::string(control) + " cannot take the focus");
    focus(target);
    if (Box* box = focusedBox()) {
        box->anchor = 0;
        box->caret = box->text.size();
    }
}

// Tab and Shift+Tab go round the controls that can take the focus, in the
// layout's tab order, as in a window.
void NullEngine::moveFocus(bool forward)
{
    std::vector<int> order;
    for (const int control : form::tabOrder(core_.layout()))
        if (core_.focusable(control))
            order.push_back(control);
    if (order.empty())
        return;
    const auto at = std::find(order.begin(), order.end(), focused());
    const std::size_t n = order.size();
    const std::size_t next = at == order.end() ? (forward ? 0 : n - 1)
                                               : (std::size_t(at - order.begin()) + (forward ? 1 : n - 1)) % n;
    focusOn(core_.row(order[next]).name);
}

void NullEngine::press(std::string_view key, int modifiers, bool shift)
{
    const std::u32string character = utf8ToUnicode(key);
    const bool types = character.size() == 1;
    const std::string_view name = key == "NumpadEnter" ? "Enter" : key;
    if (!types && modifiers == 0 && !shift && core_.shortcut(name))
        return;
    if (name == "Tab") {
        moveFocus(!shift);
        return;
    }
    if (focused() >= 0 && core_.row(focused()).kind == form::Kind::CommandButton) {
        if ((key == " " || name == "Enter") && modifiers == 0)
            click(focused(), 1);
        return;
    }
    const form::KeyPress press = types ? form::KeyPress{{}, character, modifiers} : form::KeyPress{name, {}, modifiers};
    if (form::KeyInput* k = keys())
        k->keyDown(press);
    edit(press);
    if (form::KeyInput* k = keys())
        k->keyUp();
}

void NullEngine::press(std::string_view key, const std::vector<std::string>& modifierNames)
{
    int modifiers = 0;
    bool shift = false;
    for (const std::string& m : modifierNames) {
        if (m == "Shift")
            shift = true;
        else if (m == "Control")
            modifiers |= form::Control;
        else if (m == "Alt")
            modifiers |= form::Alt;
        else if (m == "Meta")
            modifiers |= form::Meta;
        else
            throw std::invalid_argument("a modifier the null engine does not know: " + m);
    }
    press(key, modifiers, shift);
}

void NullEngine::type(std::string_view utf8)
{
    for (const char32_t ch : utf8ToUnicode(utf8))
        press(unicodeToUtf8(std::u32string(1, ch)));
}

void NullEngine::input(std::string_view utf8)
{
    if (form::KeyInput* k = keys())
        k->beforeInput("insertText", utf8);
    insert(utf8ToUnicode(utf8));
    if (form::KeyInput* k = keys())
        k->input("insertText", utf8);
}

void NullEngine::compose(const std::vector<std::string>& preedits, std::string_view commit)
{
    for (const std::string& preedit : preedits) {
        if (form::KeyInput* k = keys()) {
            k->beforeInput("insertCompositionText", preedit);
            k->input("insertCompositionText", preedit);
        }
    }
    if (form::KeyInput* k = keys())
        k->compositionEnd(commit);
    insert(utf8ToUnicode(commit));
}

void NullEngine::dead(std::string_view commit)
{
    if (form::KeyInput* k = keys()) {
        k->keyDown({.name = "Dead"});
        k->keyUp();
    }
    if (form::KeyInput* k = keys())
        k->compositionEnd(commit);
    insert(utf8ToUnicode(commit));
}

NullEngine::Box* NullEngine::focusedBox()
{
    if (core_.unloaded())
        return nullptr;
    const auto found = boxes_.find(focused());
    return found == boxes_.end() ? nullptr : &found->second;
}

// The text replaces the selection, and the caret follows it.
void NullEngine::insert(std::u32string_view text)
{
    Box* box = focusedBox();
    if (!box)
        return;
    const auto [from, to] = std::minmax(box->caret, box->anchor);
    box->text.replace(from, to - from, text);
    box->caret = box->anchor = from + text.size();
}

// What a key does to the focused box's text after its KeyPress handler.
void NullEngine::edit(const form::KeyPress& key)
{
    Box* box = focusedBox();
    if (!box)
        return;
    const int command = key.modifiers & (form::Control | form::Alt | form::Meta);
    if (command && !(key.modifiers & form::AltGraph)) {
        if (command == form::Control && (key.text == U"a" || key.text == U"A")) {
            box->anchor = 0;
            box->caret = box->text.size();
        }
        return;
    }
    if (!key.text.empty()) {
        insert(key.text);
        return;
    }
    const auto [from, to] = std::minmax(box->caret, box->anchor);
    std::size_t start = from, end = to;
    if (key.name == "Backspace" && from == to && from > 0)
        start = from - 1;
    else if (key.name == "Delete" && from == to && to < box->text.size())
        end = to + 1;
    else if (key.name == "ArrowLeft")
        start = end = from == to && from > 0 ? from - 1 : from;
    else if (key.name == "ArrowRight")
        start = end = from == to && to < box->text.size() ? to + 1 : to;
    else if (key.name == "Home")
        start = end = 0;
    else if (key.name == "End")
        start = end = box->text.size();
    else if (key.name != "Backspace" && key.name != "Delete")
        return;
    if (key.name == "Backspace" || key.name == "Delete")
        box->text.erase(start, end - start);
    box->caret = box->anchor = start;
}

void NullEngine::carryOut(int control, const form::CheckedCommand& command)
{
    const std::string_view name = core_.row(control).name;
    const Property property = propertyOf(command.change);
    DisplayCommand done{name, property, command.visible};
    if (command.text)
        done.value = *command.text;
    if (failure_ && failure_->first == name && failure_->second == property) {
        failure_.reset();
        failDisplay(done, "absichtlich im Test");
    }
    log.push_back(done);
    KeepingToolkit::carryOut(control, command);
    if (const auto box = boxes_.find(control); command.text && box != boxes_.end()) {
        box->second.text = utf8ToUnicode(command.text->toUtf8());
        box->second.caret = box->second.anchor = box->second.text.size();
    }
}

}  // namespace galgen::testing
