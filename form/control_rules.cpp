// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_rules.h"

#include <algorithm>
#include <climits>
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

namespace {

// The controls that `keep` keeps, those with a tab position in tab order,
// the others after them in the layout's order.
template <typename Keep>
std::vector<int> inTabOrder(const FormLayout& layout, Keep keep)
{
    std::vector<int> ordered;
    for (int control = 0; control < int(layout.controls.size()); ++control)
        if (keep(layout.controls[std::size_t(control)]))
            ordered.push_back(control);
    auto position = [&layout](int control) {
        const int tab = layout.controls[std::size_t(control)].tabIndex;
        return tab < 0 ? INT_MAX : tab;
    };
    std::stable_sort(ordered.begin(), ordered.end(), [&](int a, int b) { return position(a) < position(b); });
    return ordered;
}

}  // namespace

std::vector<int> tabOrder(const FormLayout& layout)
{
    return inTabOrder(layout, [](const ControlRow& row) { return row.tabIndex >= 0; });
}

std::vector<int> readingOrder(const FormLayout& layout, std::string_view container)
{
    return inTabOrder(layout, [container](const ControlRow& row) { return row.container == container; });
}

std::vector<int> stackingOrder(const FormLayout& layout)
{
    std::vector<int> bottomUp;
    for (bool painted : {true, false})
        for (int control = int(layout.controls.size()) - 1; control >= 0; --control)
            if (isPainted(layout.controls[std::size_t(control)].kind) == painted)
                bottomUp.push_back(control);
    return bottomUp;
}

std::span<const BorderLine> borderLines(const ControlRow& row)
{
    constexpr Rgb shadow{159, 159, 159}, light{255, 255, 255};
    static constexpr BorderLine etched[] = {
        {Side::Top, 1, light},     {Side::Left, 1, light},    {Side::Top, 0, shadow}, {Side::Left, 0, shadow},
        {Side::Bottom, 1, shadow}, {Side::Right, 1, shadow}, {Side::Bottom, 0, light}, {Side::Right, 0, light},
    };
    if (row.border && row.kind == Kind::Frame)
        return etched;
    return {};
}

PixelRect placeBorderLine(const BorderLine& line, int width, int height)
{
    switch (line.side) {
    case Side::Top: return {0, line.inset, width, 1};
    case Side::Left: return {line.inset, 0, 1, height};
    case Side::Bottom: return {0, height - 1 - line.inset, width, 1};
    case Side::Right: return {width - 1 - line.inset, 0, 1, height};
    }
    return {};
}

const Picture& findPicture(const FormLayout& layout, std::string_view name)
{
    for (const Picture& picture : layout.pictures)
        if (picture.name == name)
            return picture;
    raise(ErrorKind::Internal, "Das Formular hat kein Bild namens „" + std::string(name) + "“");
}

}  // namespace galgen::form
