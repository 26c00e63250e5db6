// SPDX-License-Identifier: GPL-3.0-or-later
// What the control kinds do, the same in every edition: which display
// commands and events each kind has, which kinds are painted on their
// container, how siblings stack, which controls take the focus, the tab
// and reading orders, where a line lies, and what a border looks like.
// Controls are named by their number, their place in the layout (0 for the
// first row), as the form core names them.
#pragma once

#include <span>
#include <string_view>
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

// A control's rectangle on its container, in pixels; a line's is the box
// placeLine gives it.
struct PixelRect {
    int left, top, width, height;
    bool contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};
PixelRect pixelRect(const ControlRow& row);

// The controls that have a tab position, in tab order.
std::vector<int> tabOrder(const FormLayout& layout);

// The controls in a container (empty: the form itself) in the order a
// screen reader reads them: those with a tab position in tab order, then
// the others in the layout's order.
std::vector<int> readingOrder(const FormLayout& layout, std::string_view container);

// Every control, the lowest first: among siblings the painted kinds
// beneath the windowed ones, and within each of the two layers the
// layout's first-listed on top. A control's place in this list is its
// stacking level; only siblings are compared.
std::vector<int> stackingOrder(const FormLayout& layout);

// One line of a control's border: one pixel wide, along the whole of one
// side, `inset` pixels in from the control's outer edge. A border lies
// inside the control's rectangle, so that what a frame holds keeps the
// rectangle's corner as its origin.
enum class Side : std::uint8_t { Top, Left, Bottom, Right };
struct BorderLine {
    Side side;
    int inset;
    Rgb colour;
};

// The lines of the control's border, each drawn over the ones before it;
// none without a border. A frame's border is etched, as a sunken box: a
// grey line with a white one inside it at the top and the left and outside
// it at the bottom and the right. A text box's border is the toolkit's own
// frame of a text box, which also shows its focus and whether it is
// enabled, as the toolkit's button does; it has no lines here.
std::span<const BorderLine> borderLines(const ControlRow& row);

// Where a border line of a control of that size lies on the control.
PixelRect placeBorderLine(const BorderLine& line, int width, int height);

// The picture of that name; a name the form lacks is a mistake in the
// layout and raises a run-time error.
const Picture& findPicture(const FormLayout& layout, std::string_view name);

}  // namespace galgen::form
