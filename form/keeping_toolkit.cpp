// SPDX-License-Identifier: GPL-3.0-or-later
#include "keeping_toolkit.h"

#include "text.h"

namespace galgen::form {

KeepingToolkit::KeepingToolkit(const FormLayout& layout)
{
    for (const ControlRow& row : layout.controls)
        texts_.emplace_back(row.text);
}

void KeepingToolkit::carryOut(int control, const CheckedCommand& command)
{
    if (command.change != Change::Visible)
        texts_.at(std::size_t(control)) = command.text->toUtf8();
}

}  // namespace galgen::form
