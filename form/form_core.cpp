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
    for (const MenuEntry& entry : layout.menu) {
        if (lookup(entry.name) >= 0)
            mistake(entry.name, "steht zweimal im Formular");
        menuClicks_.emplace_back();
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
    for (std::size_t entry = 0; entry < layout_.menu.size(); ++entry) {
        if (layout_.menu[entry].name != name)
            continue;
        if (layout_.menu[entry].action != MenuAction::Click)
            mistake(name, "löst kein Click aus");
        menuClicks_[entry] = std::move(handler);
        return;
    }
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
    if (key.empty() || unloaded_)
        return false;
    for (int control = 0; control < size(); ++control) {
        if (row(control).shortcut == key) {
            activate(control);
            return true;
        }
    }
    for (const int entry : menu()) {
        if (menuEntry(entry).shortcut == key) {
            choose(entry);
            return true;
        }
    }
    if (!menu().empty() && std::find(menuKeys.begin(), menuKeys.end(), key) != menuKeys.end()) {
        openMenu();
        return true;
    }
    return false;
}

std::vector<std::string_view> FormCore::shortcutKeys() const
{
    std::vector<std::string_view> keys;
    const auto add = [&keys](std::string_view key) {
        if (!key.empty() && std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    };
    for (const Control& c : controls_)
        add(c.row->shortcut);
    for (const int entry : menu())
        add(menuEntry(entry).shortcut);
    if (!menu().empty())
        for (const std::string_view key : menuKeys)
            add(key);
    return keys;
}

std::vector<int> FormCore::menu() const
{
    std::vector<int> offered;
    for (std::size_t entry = 0; entry < layout_.menu.size(); ++entry)
        if (toolkit_.offers(layout_.menu[entry].action))
            offered.push_back(int(entry));
    return offered;
}

void FormCore::openMenu()
{
    if (!unloaded_ && !menu().empty())
        toolkit_.showMenu(menu());
}

void FormCore::choose(int entry)
{
    if (unloaded_ || entry < 0 || std::size_t(entry) >= layout_.menu.size()
        || !toolkit_.offers(menuEntry(entry).action))
        return;
    switch (menuEntry(entry).action) {
    case MenuAction::Click:
        if (menuClicks_[std::size_t(entry)])
            run(menuClicks_[std::size_t(entry)]);
        break;
    case MenuAction::OpenFile: toolkit_.chooseFile(layout_.fileChoice); break;
    case MenuAction::TypeFile: toolkit_.typeFile(); break;
    }
}

KeyInput* FormCore::keys(int control)
{
    if (unloaded_ || control < 0 || control >= size())
        return nullptr;
    return controls_[std::size_t(control)].keys.get();
}

bool FormCore::dropFile(const FileBytes& file)
{
    if (unloaded_ || !fileDrop_)
        return false;
    toolkit_.closeError();
    return run([&] { fileDrop_(file); });
}

bool FormCore::run(const Handler& handler) { return runHandler(handler, report_); }

}  // namespace galgen::form
