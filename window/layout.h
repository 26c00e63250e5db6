// The layout of the game's one window, Form1: every control as a row of a
// table, built by the form engine (engine/form.h) in one loop.
#pragma once

#include <string_view>

#include "engine/form_layout.h"

namespace galgen {

// The names by which the layout refers to its pictures; the window's picture
// source (game_window.cpp) knows each of them.
namespace picture_name {
inline constexpr std::string_view gallowsIcon = "gallows-icon";
inline constexpr std::string_view condemnedLedAway = "condemned-led-away";
inline constexpr std::string_view hangedMan = "hanged-man";
inline constexpr std::string_view executioner = "executioner";
inline constexpr std::string_view acquittal = "acquittal";
}  // namespace picture_name

const form::FormLayout& form1Layout();

}  // namespace galgen
