// SPDX-License-Identifier: GPL-3.0-or-later
// Form1's five pictures: the one list of them. Each picture's name is its
// file's name without ".svg"; the files are the drawings in form1/pictures/,
// which the builds ship, and a test checks that this list and that folder
// name the same files. The contact sheet renders what the list names.
#pragma once

#include <array>
#include <string_view>

#include "form_layout.h"

namespace galgen {

namespace picture_name {
inline constexpr std::string_view gallows = "gallows";
inline constexpr std::string_view condemnedLedAway = "condemned-led-away";
inline constexpr std::string_view hangedMan = "hanged-man";
inline constexpr std::string_view executioner = "executioner";
inline constexpr std::string_view acquittal = "acquittal";
}  // namespace picture_name

// The gallows icon first, then the pictures of teil4, teil8, teil9 and
// teil12; sizes in pixels, descriptions in German for screen readers.
inline constexpr std::array<form::Picture, 5> form1Pictures = {{
    {picture_name::gallows, "gallows.svg", 500, 561, "Galgen"},
    {picture_name::condemnedLedAway, "condemned-led-away.svg", 76, 116, "Der Verurteilte wird abgeführt"},
    {picture_name::hangedMan, "hanged-man.svg", 41, 124, "Der Gehängte"},
    {picture_name::executioner, "executioner.svg", 45, 128, "Der Henker"},
    {picture_name::acquittal, "acquittal.svg", 189, 180, "Freispruch"},
}};

}  // namespace galgen
