// SPDX-License-Identifier: GPL-3.0-or-later
// The layout of the game's one window, Form1: every control as a row of a
// table, built in one loop by the form engine of each edition.
#pragma once

#include <string_view>

#include "form_layout.h"

namespace galgen {

// The names by which the layout refers to its pictures; each edition's
// picture source knows every one of them.
namespace picture_name {
inline constexpr std::string_view gallowsIcon = "gallows-icon";
inline constexpr std::string_view condemnedLedAway = "condemned-led-away";
inline constexpr std::string_view hangedMan = "hanged-man";
inline constexpr std::string_view executioner = "executioner";
inline constexpr std::string_view acquittal = "acquittal";
}  // namespace picture_name

const form::FormLayout& form1Layout();

}  // namespace galgen
