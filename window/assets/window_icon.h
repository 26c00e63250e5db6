// SPDX-License-Identifier: GPL-3.0-or-later
// The window's icon: the gallows, rendered from its SVG at build time to the
// sizes a title bar, task bar and task switcher ask for. Showing the window
// then decodes a few small PNGs instead of loading the SVG icon engine and
// rendering the drawing four times, which cost more than the rest of the
// start-up together.
#pragma once

#include <QIcon>

namespace galgen {

QIcon windowIcon();

}  // namespace galgen
