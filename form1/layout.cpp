// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 as data. The rows stand in the order of the control tree, which is
// also the stacking order among siblings, topmost first; the engine keeps
// the painted kinds (labels, shapes, lines) beneath the windowed ones.
#include "layout.h"

#include <array>

#include "controls.h"
#include "picture_list.h"

namespace galgen {

namespace {

using form::Align;
using form::ControlRow;
using form::Font;
using form::Kind;
using form::MenuAction;
using form::MenuEntry;
using form::Rgb;

constexpr Rgb lightYellow{255, 255, 128};
constexpr Rgb red{255, 0, 0};
constexpr Rgb white{255, 255, 255};
constexpr Rgb darkBlue{0, 0, 64};
constexpr Rgb brown{192, 64, 0};
constexpr Rgb darkRed{64, 0, 0};
constexpr Rgb darkGreen{0, 64, 0};

constexpr Font arial12{"Arial", 1200, 400};
constexpr Font arial24Bold{"Arial", 2400, 700};
constexpr Font arialBlack18Bold{"Arial Black", 1800, 700};
constexpr Font sans18Bold{"Sans Serif", 1800, 700};
constexpr Font sans8Bold{"Sans Serif", 825, 700};

namespace c = control;

constexpr std::array controls = {
    ControlRow{.name = c::Fragewort, .kind = Kind::TextBox,
               .left = 120, .top = 1005, .width = 6990, .height = 555,
               .font = arialBlack18Bold, .backColor = darkBlue, .border = true,
               .align = Align::Center, .enabled = false, .tabIndex = 6,
               .description = "Gesuchtes Wort"},
    ControlRow{.name = c::spielneu, .kind = Kind::CommandButton,
               .left = 60, .top = 1530, .width = 3525, .height = 450,
               .text = "Neues Spiel", .font = sans8Bold, .tabIndex = 5},
    ControlRow{.name = c::ende, .kind = Kind::CommandButton,
               .left = 3720, .top = 1530, .width = 3405, .height = 450,
               .text = "Ende", .font = sans8Bold, .tabIndex = 1},
    ControlRow{.name = c::item9a, .kind = Kind::Frame,
               .left = 30, .top = 1980, .width = 7140, .height = 4695,
               .backColor = white, .border = true, .tabIndex = 0,
               .description = "Spielfeld mit dem Galgen"},

    // On the panel item9a: the picture boxes, then the painted parts.
    ControlRow{.name = c::teil12, .kind = Kind::PictureBox, .container = c::item9a,
               .left = 2430, .top = 1860, .width = 2805, .height = 2700,
               .backColor = white, .enabled = false, .tabIndex = 12,
               .picture = picture_name::acquittal},
    ControlRow{.name = c::teil9, .kind = Kind::PictureBox, .container = c::item9a,
               .left = 2355, .top = 2100, .width = 930, .height = 1935,
               .backColor = white, .enabled = false, .tabIndex = 9,
               .picture = picture_name::executioner},
    ControlRow{.name = c::teil8, .kind = Kind::PictureBox, .container = c::item9a,
               .left = 3555, .top = 375, .width = 915, .height = 1950,
               .backColor = white, .enabled = false, .tabIndex = 8,
               .picture = picture_name::hangedMan},
    ControlRow{.name = c::teil4, .kind = Kind::PictureBox, .container = c::item9a,
               .left = 3630, .top = 1860, .width = 1650, .height = 1755,
               .backColor = white, .enabled = false, .tabIndex = 7,
               .picture = picture_name::condemnedLedAway},
    ControlRow{.name = c::teil11, .kind = Kind::Label, .container = c::item9a,
               .left = 1965, .top = 285, .width = 3285, .height = 1305,
               .text = "Gewonnen !!!", .font = arial24Bold,
               .foreColor = darkGreen, .backColor = white,
               .align = Align::Center, .tabIndex = 11},
    ControlRow{.name = c::teil10, .kind = Kind::Label, .container = c::item9a,
               .left = 285, .top = 510, .width = 2685, .height = 1110,
               .text = "Leider verloren...!", .font = arial24Bold,
               .foreColor = red, .backColor = white, .tabIndex = 10},
    ControlRow{.name = c::teil7, .kind = Kind::Line, .container = c::item9a,
               .x1 = 4830, .y1 = 375, .x2 = 6285, .y2 = 1365, .lineWidth = 10,
               .foreColor = darkRed, .description = "Strebe des Galgens"},
    ControlRow{.name = c::teil6, .kind = Kind::Line, .container = c::item9a,
               .x1 = 6420, .y1 = 300, .x2 = 3450, .y2 = 315, .lineWidth = 10,
               .foreColor = darkRed, .description = "Querbalken des Galgens"},
    ControlRow{.name = c::teil5, .kind = Kind::Line, .container = c::item9a,
               .x1 = 6300, .y1 = 3585, .x2 = 6285, .y2 = 315, .lineWidth = 10,
               .foreColor = darkRed, .description = "Pfosten des Galgens"},
    ControlRow{.name = c::teil3, .kind = Kind::Shape, .container = c::item9a,
               .left = 3495, .top = 3600, .width = 3465, .height = 990,
               .backColor = brown, .description = "Oberste Stufe der Treppe"},
    ControlRow{.name = c::teil2, .kind = Kind::Shape, .container = c::item9a,
               .left = 1845, .top = 4020, .width = 1995, .height = 570,
               .backColor = brown, .description = "Mittlere Stufe der Treppe"},
    ControlRow{.name = c::teil1, .kind = Kind::Shape, .container = c::item9a,
               .left = 195, .top = 4305, .width = 1725, .height = 285,
               .backColor = brown, .description = "Unterste Stufe der Treppe"},

    ControlRow{.name = c::textin, .kind = Kind::TextBox,
               .left = 3450, .top = 1005, .width = 390, .height = 480,
               .text = "?", .font = sans18Bold, .foreColor = red, .backColor = lightYellow,
               .align = Align::Center, .tabIndex = 4, .description = "Eingabe",
               .help = "Ein Klick oder F2 startet eine Runde; dann Buchstaben tippen.",
               .clickAction = "Neues Wort", .shortcut = "F2"},
    ControlRow{.name = c::Label2, .kind = Kind::Label,
               .left = 60, .top = 345, .width = 7140, .height = 645,
               .font = sans8Bold, .foreColor = red, .backColor = lightYellow,
               .align = Align::Center, .tabIndex = 3},
    ControlRow{.name = c::Label1, .kind = Kind::Label,
               .left = 135, .top = 30, .width = 6960, .height = 435,
               .font = arial12, .foreColor = red, .backColor = lightYellow,
               .heading = true, .align = Align::Center, .tabIndex = 2},
};

// Beside the form, not on it: a player's own words, and the way back to the
// game's.
constexpr std::array menu = {
    MenuEntry{.name = c::wortlisteOeffnen, .caption = "Eigene Wortliste öffnen …", .action = MenuAction::OpenFile,
              .shortcut = "Control+O"},
    MenuEntry{.name = c::woerterEingeben, .caption = "Eigene Wörter eingeben …", .action = MenuAction::TypeFile},
    MenuEntry{.name = c::spielwoerter, .caption = "Die Wörter des Spiels"},
};

constexpr form::FormLayout form1{
    .name = c::Form1,
    .caption = "Galgenmännchenspiel",
    .clientWidth = 7245,
    .clientHeight = 6735,
    .backColor = lightYellow,
    .icon = picture_name::gallows,
    .controls = controls,
    .pictures = form1Pictures,
    .menu = menu,
    .fileChoice = {.title = "Eigene Wortliste öffnen", .kind = "Textdateien", .suffix = ".txt",
                   .mediaType = "text/plain"},
};

static_assert(form::wholePixels(form1), "every position and size is a whole number of pixels");

}  // namespace

const form::FormLayout& form1Layout() { return form1; }

}  // namespace galgen
