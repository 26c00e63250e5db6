// SPDX-License-Identifier: GPL-3.0-or-later
// What a form engine's toolkit does for the form core: its own calls, and
// nothing else. The core decides; the toolkit carries out, on controls
// that the core numbers in the layout's order (0 for the first row).
#pragma once

#include <string_view>

#include "control_rules.h"
#include "errors.h"

namespace galgen::form {

class Toolkit {
public:
    virtual ~Toolkit() = default;

    // A display command, already checked against the control's kind.
    virtual void carryOut(int control, const CheckedCommand& command) = 0;
    virtual void focus(int control) = 0;
    // Ends the form on the screen; no event reaches the core after it.
    virtual void unload() = 0;
    // A status for screen readers; nothing visible changes.
    virtual void announce(std::string_view utf8) = 0;
    // Shows a run-time error to the player.
    virtual void showError(const RuntimeError& error) = 0;
};

}  // namespace galgen::form
