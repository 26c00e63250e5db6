// SPDX-License-Identifier: GPL-3.0-or-later
#include "display.h"

#include <string>

#include "errors.h"

namespace galgen {

namespace {
std::string_view propertyName(Property p)
{
    switch (p) {
    case Property::Caption: return "Caption";
    case Property::Text: return "Text";
    case Property::Visible: return "Visible";
    }
    return "?";
}
}  // namespace

void failDisplay(const DisplayCommand& command, std::string_view why)
{
    std::string detail(command.control);
    detail += '.';
    detail += propertyName(command.property);
    detail += ": ";
    detail += why;
    raise(ErrorKind::DisplayFailed, detail);
}

}  // namespace galgen
