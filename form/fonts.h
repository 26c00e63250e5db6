// SPDX-License-Identifier: GPL-3.0-or-later
// How every edition renders the layout's fonts: the families the layout
// names, replaced by fonts that Debian ships, and point sizes as pixels at
// 96 dots per inch.
#pragma once

#include <string_view>

#include "form_layout.h"

namespace galgen::form {

// Liberation Sans has Arial's metrics and is close to the small bold system
// sans serif; for Arial Black the heaviest sans at hand is DejaVu Sans in
// bold. A family without a substitute is returned as it is.
constexpr std::string_view substituteFamily(std::string_view family)
{
    constexpr std::string_view substitutes[][2] = {
        {"Arial", "Liberation Sans"},
        {"Arial Black", "DejaVu Sans"},
        {"Sans Serif", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
    };
    for (const auto& [from, to] : substitutes)
        if (family == from)
            return to;
    return family;
}

// The font's size in whole pixels at 96 dots per inch, so that text keeps
// its laid-out size whatever density the screen has: 8.25 pt is 11 px.
constexpr int pixelSize(const Font& font) { return (font.centipoints * 96 + 3600) / 7200; }

static_assert(pixelSize({.centipoints = 825}) == 11 && pixelSize({.centipoints = 1800}) == 24);

}  // namespace galgen::form
