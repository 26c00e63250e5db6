// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_rules.h"

#include <algorithm>
#include <variant>

namespace galgen::form {

CheckedCommand checkCommand(const DisplayCommand& command, const ControlRow* row)
{
    if (!row)
        failDisplay(command, "kein Steuerelement dieses Namens");
    if (command.property == Property::Visible) {
        const bool* visible = std::get_if<bool>(&command.value);
        if (!visible)
            failDisplay(command, "Sichtbarkeit braucht einen Wahrheitswert");
        return {Change::Visible, nullptr, *visible};
    }
    const Text* text = std::get_if<Text>(&command.value);
    if (!text)
        failDisplay(command, "Text erwartet");
    if (command.property == Property::Caption && row->kind == Kind::Label)
        return {Change::LabelCaption, text, false};
    if (command.property == Property::Caption && row->kind == Kind::CommandButton)
        return {Change::ButtonCaption, text, false};
    if (command.property == Property::Text && row->kind == Kind::TextBox)
        return {Change::BoxText, text, false};
    failDisplay(command, "diese Eigenschaft hat das Steuerelement nicht");
}

std::vector<const ControlRow*> tabOrder(const FormLayout& layout)
{
    std::vector<const ControlRow*> ordered;
    for (const ControlRow& row : layout.controls)
        if (row.tabIndex >= 0)
            ordered.push_back(&row);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
    return ordered;
}

}  // namespace galgen::form
