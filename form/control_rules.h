// SPDX-License-Identifier: GPL-3.0-or-later
// What the control kinds do, the same in every edition: which display
// commands and events each kind has, which kinds are painted on their
// container, which controls take the focus, and the tab order.
#pragma once

#include <vector>

#include "display.h"
#include "form_layout.h"

namespace galgen::form {

// The change a display command makes to a control.
enum class Change : std::uint8_t { Visible, LabelCaption, ButtonCaption, BoxText };

struct CheckedCommand {
    Change change;
    const Text* text;   // the new text; null for Visible
    bool visible;       // the new visibility; only for Visible
};

// Checks a display command against the control it names (null: the form
// has no control of that name) and raises the failed-display-command error
// for anything the control's kind cannot carry out.
CheckedCommand checkCommand(const DisplayCommand& command, const ControlRow* row);

constexpr bool raisesClick(Kind kind) { return kind == Kind::TextBox || kind == Kind::CommandButton; }
constexpr bool raisesKeyPress(Kind kind) { return kind == Kind::TextBox; }
constexpr bool isPainted(Kind kind) { return kind == Kind::Label || kind == Kind::Shape || kind == Kind::Line; }
// Only text boxes and buttons take the focus, and only while enabled.
constexpr bool canTakeFocus(Kind kind) { return kind == Kind::TextBox || kind == Kind::CommandButton; }

// Where a line control lies on its container, in pixels: the box it
// covers, with room for half the pen and the round ends on every side, and
// its end pixels within that box. The pen runs through those pixels' centres.
struct LinePlacement {
    int left, top, width, height;
    int x1, y1, x2, y2;
};
LinePlacement placeLine(const ControlRow& row);

// The controls that have a tab position, in tab order.
std::vector<const ControlRow*> tabOrder(const FormLayout& layout);

}  // namespace galgen::form
