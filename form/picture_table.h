// SPDX-License-Identifier: GPL-3.0-or-later
// Form1's five pictures as data: the name the layout uses, the SVG file in
// window/assets/, the size in pixels and what it shows, in German, for
// screen readers. Every edition reads its pictures from this one table.
#pragma once

#include <span>
#include <string_view>

namespace galgen {

struct PictureEntry {
    std::string_view name;          // one of picture_name (layout.h)
    std::string_view file;          // the SVG's file name
    int width, height;              // pixels at 96 dots per inch
    std::string_view description;   // German, UTF-8
};

// In a fixed order: the gallows icon first, then the pictures of teil4,
// teil8, teil9 and teil12.
std::span<const PictureEntry> pictureTable();

// The entry of that name; an unknown name is a mistake in the layout and
// throws std::invalid_argument.
const PictureEntry& pictureEntry(std::string_view name);

}  // namespace galgen
