// SPDX-License-Identifier: GPL-3.0-or-later
// Display commands: all the core knows of screens.
//
// The core never draws. It tells controls what to show by name: the Caption
// of a label, the Text of a text box, whether a control is Visible. A command
// is a value; a Display carries it out or raises the failed-display-command
// error, never ignoring it: a name no control bears, or a property the
// control's kind does not have, is such a failure.
#pragma once

#include <cstdint>
#include <string_view>
#include <variant>

#include "text.h"

namespace galgen {

enum class Property : std::uint8_t { Caption, Text, Visible };

struct DisplayCommand {
    std::string_view control;          // a name from the control-name table
    Property property;
    std::variant<Text, bool> value;    // Text for Caption and Text, bool for Visible

    friend bool operator==(const DisplayCommand&, const DisplayCommand&) = default;
};

class Display {
public:
    virtual ~Display() = default;
    virtual void apply(const DisplayCommand& command) = 0;
};

inline void setCaption(Display& d, std::string_view control, Text caption)
{
    d.apply({control, Property::Caption, std::move(caption)});
}

inline void setText(Display& d, std::string_view control, Text text)
{
    d.apply({control, Property::Text, std::move(text)});
}

inline void setVisible(Display& d, std::string_view control, bool visible)
{
    d.apply({control, Property::Visible, visible});
}

// Raises the failed-display-command error for a command.
[[noreturn]] void failDisplay(const DisplayCommand& command, std::string_view why);

}  // namespace galgen
