// SPDX-License-Identifier: GPL-3.0-or-later
// Own word lists: a plain text file with one word per line, which a player
// drops on the form, opens, types or hands on as a link, or names when
// starting the game. The file is read and checked here, once for both
// editions; an edition only hands over its bytes. A list is used whole or
// not at all: one fault, and the game keeps the words it had.
#pragma once

#include <string>
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
// A message names this many faults, and then how many more there are, so
// that it stays short whatever the file holds.
inline constexpr int maxNamedFaults = 20;
// The letters a word may hold: those a key can reveal, each with a cp1252
// code and a partner of the other case (ß its own).
inline constexpr std::u32string_view allowedLetters = U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzÄÖÜäöüß";

// A list file, checked: its words in the file's order, as cp1252 text, or
// its faults, each a German sentence, the first maxNamedFaults of them and
// then one that counts the rest.
//
// The file is UTF-8, with or without a byte order mark, or cp1252 as older
// editors save it: each line is read as UTF-8 where its bytes are UTF-8,
// and as cp1252 where not, so that one line pasted from elsewhere is read
// as it was written. A letter written as a base letter and a combining mark
// ("a" and U+0308) counts as the one letter ("ä"), as Unicode's composed
// form has it. Lines end in LF, CRLF or CR alone. Blank lines and lines
// beginning with "#" are skipped, and spaces around a word dropped. A list
// holds 1 to maxListWords words, each of the letters a key can reveal (A to
// Z, a to z, ä ö ü Ä Ö Ü ß), at most maxWordLetters long, and none twice in
// any case.
struct WordFileCheck {
    std::vector<Text> words;
    std::vector<std::string> faults;
};
WordFileCheck checkWordFile(const FileBytes& file);

// The words of a list file; a file with any fault, or one that could not be
// read, raises the word-list error, whose message names the faults.
std::vector<Text> readWordFile(const FileBytes& file);

// The one message of a list that is not used: its name, its faults, and
// that the game goes on with the words it had.
std::string wordFileMessage(const std::string& fileName, const std::vector<std::string>& faults);

// A list file as text to edit, in UTF-8, read as checkWordFile reads it;
// or, where the file as a whole is no list (too large, not text, not
// read), those faults and no text.
struct WordFileText {
    std::string utf8;
    std::vector<std::string> faults;
};
WordFileText wordFileText(const FileBytes& file);

}  // namespace galgen
