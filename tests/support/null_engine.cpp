// SPDX-License-Identifier: GPL-3.0-or-later
#include "null_engine.h"

#include <stdexcept>

#include "text.h"

namespace galgen::testing {

NullEngine::NullEngine(const form::FormLayout& layout) : core_(layout, *this)
{
    for (const form::ControlRow& row : layout.controls)
        texts_.emplace_back(row.text);
}

std::string NullEngine::text(std::string_view control) const { return texts_.at(std::size_t(core_.find(control))); }

std::vector<std::string> NullEngine::shownOf(const std::vector<std::string_view>& names) const
{
    std::vector<std::string> result;
    for (std::string_view name : names)
        if (shown(name))
            result.emplace_back(name);
    return result;
}

std::string NullEngine::focus() const { return focus_ < 0 ? std::string() : std::string(core_.row(focus_).name); }

bool NullEngine::canFocus(int control) const
{
    const form::ControlRow& row = core_.row(control);
    return form::canTakeFocus(row.kind) && row.enabled && core_.shown(control);
}

void NullEngine::focusOn(std::string_view control)
{
    const int target = core_.find(control);
    if (!canFocus(target))
        throw std::logic_error(std::string(control) + " cannot take the focus");
    focus_ = target;
}

void NullEngine::click(std::string_view control, int clickCount)
{
    const int target = core_.find(control);
    if (!core_.unloaded() && canFocus(target))
        focus_ = target;
    core_.click(target, clickCount);
}

void NullEngine::press(const form::KeyPress& key)
{
    if (form::KeyInput* k = keys()) {
        k->keyDown(key);
        k->keyUp();
    }
}

void NullEngine::type(std::string_view utf8)
{
    for (const char32_t ch : utf8ToUnicode(utf8))
        press({.text = std::u32string(1, ch)});
}

void NullEngine::input(std::string_view inputType, std::string_view utf8)
{
    if (form::KeyInput* k = keys())
        k->input(inputType, utf8);
}

void NullEngine::carryOut(int control, const form::CheckedCommand& command)
{
    if (command.change != form::Change::Visible)
        texts_[std::size_t(control)] = command.text->toUtf8();
}

}  // namespace galgen::testing
