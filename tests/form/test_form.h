// SPDX-License-Identifier: GPL-3.0-or-later
// A small form of the form layer's own tests, with no game in it: a box
// beneath a cover that lies over its centre, a button, a panel holding a
// picture box and a shape, and a label.
#pragma once

#include <array>

#include "form_layout.h"

namespace galgen::testing {

using form::ControlRow;
using form::Kind;

// In twips; 15 make a pixel.
inline constexpr std::array testControls = {
    ControlRow{.name = "cover", .kind = Kind::TextBox, .left = 0, .top = 0, .width = 1500, .height = 300,
               .enabled = false, .tabIndex = 3},
    ControlRow{.name = "button", .kind = Kind::CommandButton, .left = 0, .top = 450, .width = 750, .height = 300,
               .text = "Knopf", .tabIndex = 2},
    ControlRow{.name = "panel", .kind = Kind::Frame, .left = 0, .top = 750, .width = 1500, .height = 1500,
               .tabIndex = 5},
    ControlRow{.name = "picture", .kind = Kind::PictureBox, .container = "panel", .left = 150, .top = 150,
               .width = 300, .height = 300, .enabled = false, .picture = "bild"},
    ControlRow{.name = "shape", .kind = Kind::Shape, .container = "panel", .left = 0, .top = 0, .width = 600,
               .height = 600},
    ControlRow{.name = "box", .kind = Kind::TextBox, .left = 600, .top = 0, .width = 300, .height = 300,
               .text = "?", .tabIndex = 1, .shortcut = "F2"},
    ControlRow{.name = "label", .kind = Kind::Label, .left = 0, .top = 300, .width = 1500, .height = 150,
               .tabIndex = 0},
};

inline constexpr std::array testPictures = {form::Picture{"bild", "bild.svg", 20, 20, "Ein Bild"}};

inline constexpr form::FormLayout testForm{
    .name = "Test", .caption = "Test", .clientWidth = 1500, .clientHeight = 2250,
    .controls = testControls, .pictures = testPictures,
};

}  // namespace galgen::testing
