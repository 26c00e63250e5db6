// SPDX-License-Identifier: GPL-3.0-or-later
// Own word lists: a plain text file with one word per line, which a player
// drops on the form or names when starting the game. The file is read and
// checked here, once for both editions; an edition only hands over its
// bytes. A list is used whole or not at all: one fault, and the game keeps
// the words it had.
#pragma once

#include <string_view>
#include <vector>

#include "file_bytes.h"
#include "game_state.h"
#include "text.h"

namespace galgen {

// A list fills at most the word table's rows.
inline constexpr int maxListWords = WordTable::upperRow;
// The longest word that the word box shows whole in both editions, written
// in its widest letter, "W" (17 of them are 450 of the box's 460 pixels for
// text in DejaVu Sans Bold, 24 px; 18 would be 476). Each edition's own
// tests measure it.
inline constexpr int maxWordLetters = 17;
// The letters a word may hold: those a key can reveal, each with a cp1252
// code and a partner of the other case (ß its own).
inline constexpr std::u32string_view allowedLetters = U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzÄÖÜäöüß";

// The words of a list file, in the file's order, as cp1252 text.
//
// The file is UTF-8, with or without a byte order mark, or, where its bytes
// are not UTF-8, cp1252 as older editors save it; lines end in LF or CRLF.
// Blank lines and lines beginning with "#" are skipped, and spaces around a
// word dropped. A list holds 1 to maxListWords words, each of the letters a
// key can reveal (A to Z, a to z, ä ö ü Ä Ö Ü ß), at most maxWordLetters
// long, and none twice in any case.
//
// A file with any fault, or one that could not be read, raises the
// word-list error: one German message that names every fault with its line.
std::vector<Text> readWordFile(const FileBytes& file);

}  // namespace galgen
