// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_rules.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <variant>

#include "errors.h"

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

LinePlacement placeLine(const ControlRow& row)
{
    const int reach = row.lineWidth / 2 + 1;
    const int x1 = toPixels(row.x1), y1 = toPixels(row.y1), x2 = toPixels(row.x2), y2 = toPixels(row.y2);
    const int left = std::min(x1, x2) - reach, top = std::min(y1, y2) - reach;
    return {left, top, std::abs(x2 - x1) + 1 + 2 * reach, std::abs(y2 - y1) + 1 + 2 * reach,
            x1 - left, y1 - top, x2 - left, y2 - top};
}

PixelRect pixelRect(const ControlRow& row)
{
    if (row.kind == Kind::Line) {
        const LinePlacement place = placeLine(row);
        return {place.left, place.top, place.width, place.height};
    }
    return {toPixels(row.left), toPixels(row.top), toPixels(row.width), toPixels(row.height)};
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

std::vector<const ControlRow*> stackingOrder(const FormLayout& layout)
{
    std::vector<const ControlRow*> bottomUp;
    for (bool painted : {true, false})
        for (auto row = layout.controls.rbegin(); row != layout.controls.rend(); ++row)
            if (isPainted(row->kind) == painted)
                bottomUp.push_back(&*row);
    return bottomUp;
}

const Picture& findPicture(const FormLayout& layout, std::string_view name)
{
    for (const Picture& picture : layout.pictures)
        if (picture.name == name)
            return picture;
    raise(ErrorKind::Internal, "Das Formular hat kein Bild namens „" + std::string(name) + "“");
}

}  // namespace galgen::form
