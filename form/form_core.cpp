// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_core.h"

#include <algorithm>

#include "text.h"

namespace galgen::form {

namespace {

[[noreturn]] void mistake(std::string_view control, std::string_view what)
{
    raise(ErrorKind::Internal, "„" + std::string(control) + "“ " + std::string(what));
}

}  // namespace

FormCore::FormCore(const FormLayout& layout, Toolkit& toolkit)
    : layout_(layout), toolkit_(toolkit), report_([&toolkit](const RuntimeError& e) { toolkit.showError(e); })
{
    for (const ControlRow& row : layout.controls) {
        const int container = row.container.empty() ? -1 : lookup(row.container);
        if (!row.container.empty() && container < 0)
            mistake(row.name, "liegt in einem Container, den das Formular vor ihm nicht hat");
        if (!names_.emplace(std::string(row.name), int(controls_.size())).second)
            mistake(row.name, "steht zweimal im Formular");
        controls_.push_back({&row, container, 0, true, nullptr, nullptr});
    }
    const std::vector<int> bottomUp = stackingOrder(layout);
    for (std::size_t level = 0; level < bottomUp.size(); ++level)
        controls_[std::size_t(bottomUp[level])].level = int(level);
}

int FormCore::lookup(std::string_view name) const
{
    const auto found = names_.find(name);
    return found == names_.end() ? -1 : found->second;
}

int FormCore::find(std::string_view name) const
{
    const int control = lookup(name);
    if (control < 0)
        mistake(name, "gibt es im Formular nicht");
    return control;
}

void FormCore::apply(const DisplayCommand& command)
{
    const int control = lookup(command.control);
    const CheckedCommand checked = checkCommand(command, control < 0 ? nullptr : &row(control));
    // A command the toolkit fails to carry out changes nothing.
    toolkit_.carryOut(control, checked);
    if (checked.change == Change::Visible)
        controls_[std::size_t(control)].visible = checked.visible;
}

void FormCore::onClick(std::string_view name, Handler handler)
{
    Control& control = controls_[std::size_t(find(name))];
    if (!raisesClick(control.row->kind))
        mistake(name, "löst kein Click aus");
    control.click = std::move(handler);
}

void FormCore::onKeyPress(std::string_view name, KeyPressHandler handler)
{
    Control& control = controls_[std::size_t(find(name))];
    if (!raisesKeyPress(control.row->kind))
        mistake(name, "löst kein KeyPress aus");
    control.keys = std::make_unique<KeyInput>([this, handler = std::move(handler)](char32_t ch) {
        const i16 keyAscii = unicodeToCp1252(ch);
        run([&] { handler(keyAscii); });
    });
}

void FormCore::unload()
{
    unloaded_ = true;
    toolkit_.unload();
}

bool FormCore::shown(int control) const
{
    for (; control >= 0; control = container(control))
        if (!controls_[std::size_t(control)].visible)
            return false;
    return true;
}

PixelRect FormCore::place(int control) const
{
    PixelRect rect = pixelRect(row(control));
    for (int outer = container(control); outer >= 0; outer = container(outer)) {
        const PixelRect around = pixelRect(row(outer));
        rect.left += around.left;
        rect.top += around.top;
    }
    return rect;
}

int FormCore::controlAt(int x, int y) const
{
    int found = -1;
    for (bool deeper = true; deeper;) {
        deeper = false;
        int top = -1;
        for (int c = 0; c < size(); ++c)
            if (container(c) == found && visible(c) && place(c).contains(x, y) && (top < 0 || level(c) > level(top)))
                top = c;
        if (top >= 0) {
            found = top;
            deeper = true;
        }
    }
    return found;
}

bool FormCore::focusable(int control) const
{
    return canTakeFocus(row(control).kind) && row(control).enabled && shown(control);
}

bool FormCore::clickable(int control) const
{
    const PixelRect own = place(control);
    return !unloaded_ && controls_[std::size_t(control)].click && row(control).enabled && shown(control)
           && controlAt(own.left + own.width / 2, own.top + own.height / 2) == control;
}

void FormCore::load()
{
    if (load_)
        run(load_);
    for (const int control : tabOrder(layout_)) {
        if (focusable(control)) {
            toolkit_.focus(control);
            return;
        }
    }
}

void FormCore::click(int control, int clickCount)
{
    if (clickCount == 0) {
        activate(control);
        return;
    }
    if (unloaded_ || control < 0 || control >= size())
        return;
    const Control& c = controls_[std::size_t(control)];
    if (!c.click || (c.row->kind == Kind::TextBox && clickCount % 2 == 0))
        return;
    run(c.click);
}

void FormCore::activate(int control)
{
    if (control < 0 || control >= size() || !clickable(control))
        return;
    toolkit_.focus(control);
    run(controls_[std::size_t(control)].click);
}

bool FormCore::shortcut(std::string_view key)
{
    for (int control = 0; control < size() && !key.empty(); ++control) {
        if (row(control).shortcut == key) {
            activate(control);
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> FormCore::shortcutKeys() const
{
    std::vector<std::string_view> keys;
    for (const Control& c : controls_)
        if (!c.row->shortcut.empty() && std::find(keys.begin(), keys.end(), c.row->shortcut) == keys.end())
            keys.push_back(c.row->shortcut);
    return keys;
}

KeyInput* FormCore::keys(int control)
{
    if (unloaded_ || control < 0 || control >= size())
        return nullptr;
    return controls_[std::size_t(control)].keys.get();
}

void FormCore::dropFile(const FileBytes& file)
{
    if (!unloaded_ && fileDrop_)
        run([&] { fileDrop_(file); });
}

void FormCore::run(const Handler& handler) { runHandler(handler, report_); }

}  // namespace galgen::form
