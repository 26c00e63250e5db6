// SPDX-License-Identifier: GPL-3.0-or-later
// What screen readers learn of the engine's controls beyond what Qt tells
// them: roles and names for the painted kinds and the picture boxes, the
// text boxes' text and their click as an action, the notification role of
// the announcement, and the visibility that Qt 6.4 leaves out.
#pragma once

class QWidget;

namespace galgen::form {

// Makes screen readers see the engine's own kinds with a fitting role.
// Idempotent.
void installAccessibility();

// Tells AT-SPI screen readers that a control has become visible or
// invisible. Qt 6.4 sends only "showing" when a widget is shown or hidden,
// never "visible"; a screen reader that first met a control while it was
// hidden then keeps it invisible, and its review skips it. Does nothing
// while Qt has no connection to the accessibility bus.
void reportVisibility(QWidget* widget, bool visible);

}  // namespace galgen::form
