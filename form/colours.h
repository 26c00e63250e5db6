// SPDX-License-Identifier: GPL-3.0-or-later
// The form's colours as the player sees them, the same in every edition:
// the ground a control paints, the ground its text stands on, and its text
// colour for a player who asks for more contrast than the layout's colours
// give.
#pragma once

#include <optional>

#include "form_layout.h"

namespace galgen::form {

// The colour a control fills its rectangle with: its back colour, but none
// for a label that is not opaque, whose container shows through it; none
// too where the layout leaves the colour to the toolkit.
std::optional<Rgb> paintedGround(const ControlRow& row);

// The colour of the control's text: its fore colour, but none for a line,
// whose fore colour is its pen's, and none where the layout leaves it to
// the toolkit.
std::optional<Rgb> textColour(const ControlRow& row);

// What the control's text stands on: its own painted ground, else its
// container's, else the form's.
Rgb textGround(const FormLayout& layout, int control);

// WCAG's contrast ratio of two colours, from 1 to 21.
double contrast(Rgb a, Rgb b);

// The colour darkened, its hue kept, until it stands at least `ratio`
// against the ground.
Rgb darkened(Rgb colour, Rgb ground, double ratio);

// What a player who asks for more contrast gets: WCAG's enhanced level.
inline constexpr double moreContrast = 7.0;

// The control's text colour for such a player: its own darkened to
// moreContrast against its text ground; none where its own already stands
// so or it has no text colour.
std::optional<Rgb> moreContrastText(const FormLayout& layout, int control);

}  // namespace galgen::form
