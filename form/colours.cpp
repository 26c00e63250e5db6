// SPDX-License-Identifier: GPL-3.0-or-later
#include "colours.h"

#include <algorithm>
#include <cmath>

namespace galgen::form {

namespace {

// WCAG's relative luminance.
double luminance(Rgb c)
{
    auto linear = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

// What shows inside the container of that name; empty: the form.
Rgb groundIn(const FormLayout& layout, std::string_view container)
{
    if (container.empty())
        return layout.backColor;
    for (const ControlRow& row : layout.controls) {
        if (row.name == container) {
            const std::optional<Rgb> own = paintedGround(row);
            return own ? *own : groundIn(layout, row.container);
        }
    }
    return layout.backColor;
}

}  // namespace

std::optional<Rgb> paintedGround(const ControlRow& row)
{
    if (row.kind == Kind::Label && !row.opaque)
        return std::nullopt;
    return row.backColor;
}

std::optional<Rgb> textColour(const ControlRow& row)
{
    if (row.kind == Kind::Line)
        return std::nullopt;
    return row.foreColor;
}

Rgb textGround(const FormLayout& layout, int control)
{
    const ControlRow& row = layout.controls[std::size_t(control)];
    const std::optional<Rgb> own = paintedGround(row);
    return own ? *own : groundIn(layout, row.container);
}

double contrast(Rgb a, Rgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb darkened(Rgb colour, Rgb ground, double ratio)
{
    for (int step = 255; step > 0 && contrast(colour, ground) < ratio; --step)
        colour = {std::uint8_t(colour.r * step / 256), std::uint8_t(colour.g * step / 256),
                  std::uint8_t(colour.b * step / 256)};
    return colour;
}

std::optional<Rgb> moreContrastText(const FormLayout& layout, int control)
{
    const std::optional<Rgb> own = textColour(layout.controls[std::size_t(control)]);
    if (!own)
        return std::nullopt;
    const Rgb colour = darkened(*own, textGround(layout, control), moreContrast);
    if (colour == *own)
        return std::nullopt;
    return colour;
}

}  // namespace galgen::form
