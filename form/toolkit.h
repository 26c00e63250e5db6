// SPDX-License-Identifier: GPL-3.0-or-later
// What a form engine's toolkit does for the form core: its own calls, and
// nothing else. The core decides; the toolkit carries out, on controls
// that the core numbers in the layout's order (0 for the first row).
#pragma once

#include <string_view>
#include <vector>

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
    // Closes the error shown, if one is: a new file takes the place of the
    // last, and so does any message about it.
    virtual void closeError() {}

    // Whether the toolkit carries out this action of a menu entry; a Click
    // every toolkit does.
    virtual bool offers(MenuAction action) const { return action == MenuAction::Click; }
    // Shows the form's menu with these entries (numbers in the layout's
    // menu), where the player opened it: at the mouse, or at the control
    // with the focus. A toolkit without menus shows none.
    virtual void showMenu(const std::vector<int>& /*entries*/) {}
    // The toolkit's own dialog for opening a file; a file chosen goes to the
    // form core's dropFile.
    virtual void chooseFile(const FileChoice& /*choice*/) {}
    // The edition's dialog in which the player writes a file.
    virtual void typeFile() {}
};

}  // namespace galgen::form
