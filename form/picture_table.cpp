// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_table.h"

#include <array>
#include <stdexcept>
#include <string>

#include "layout.h"

namespace galgen {

namespace {

namespace p = picture_name;

constexpr std::array<PictureEntry, 5> table = {{
    {p::gallowsIcon, "gallows.svg", 500, 561, "Galgen"},
    {p::condemnedLedAway, "condemned-led-away.svg", 76, 116, "Der Verurteilte wird abgeführt"},
    {p::hangedMan, "hanged-man.svg", 41, 124, "Der Gehängte"},
    {p::executioner, "executioner.svg", 45, 128, "Der Henker"},
    {p::acquittal, "acquittal.svg", 189, 180, "Freispruch"},
}};

}  // namespace

std::span<const PictureEntry> pictureTable() { return table; }

const PictureEntry& pictureEntry(std::string_view name)
{
    for (const PictureEntry& entry : table)
        if (entry.name == name)
            return entry;
    throw std::invalid_argument("no picture named " + std::string(name));
}

}  // namespace galgen
