// SPDX-License-Identifier: GPL-3.0-or-later
// A toolkit that keeps what the form core tells it instead of showing it:
// each control's text, as UTF-8, and which control has the focus. Engines
// without a screen of their own (the page's markup written at build time,
// the null engine of the tests) read the form's state from it; what they
// do with a status, an error or the unload is theirs.
#pragma once

#include <string>
#include <vector>

#include "form_layout.h"
#include "toolkit.h"

namespace galgen::form {

class KeepingToolkit : public Toolkit {
public:
    // Every control starts with its text of the layout and no control with
    // the focus.
    explicit KeepingToolkit(const FormLayout& layout);

    // The control's text as display commands left it; a control without
    // text keeps the empty text.
    const std::string& text(int control) const { return texts_.at(std::size_t(control)); }
    // The control with the focus; -1 before the first focus.
    int focused() const { return focus_; }

    void carryOut(int control, const CheckedCommand& command) override;
    void focus(int control) override { focus_ = control; }

private:
    std::vector<std::string> texts_;
    int focus_ = -1;
};

}  // namespace galgen::form
