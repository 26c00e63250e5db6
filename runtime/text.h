// SPDX-License-Identifier: GPL-3.0-or-later
// Text in the cp1252 code page, one byte per character.
//
// All strings of the game are Text: the words, the mask, the captions. The
// operations are those the game's rules are written in (character at a
// 1-based position, replace one character, length, concatenate, compare,
// character code and character from code). UTF-8 appears only at the
// boundaries: the word list's source text and the window's display.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "int16.h"

namespace galgen {

class Text {
public:
    Text() = default;

    // From UTF-8; a character that cp1252 cannot hold becomes "?" (63).
    static Text fromUtf8(std::string_view utf8);
    // From raw cp1252 bytes.
    static Text fromCp1252(std::string bytes);
    // The one-character text with that cp1252 code (0 to 255); any other
    // code raises the overflow error.
    static Text fromCode(i16 code);

    std::string toUtf8() const;
    const std::string& bytes() const { return bytes_; }

    // Number of characters; a text longer than 32767 raises overflow.
    i16 length() const;
    bool empty() const { return bytes_.empty(); }

    // The one-character text at 1-based position k. Outside 1..length the
    // subscript-out-of-range error.
    Text charAt(int k) const;
    // Overwrites the character at 1-based position k with the first
    // character of c; the length stays. Same bounds as charAt.
    void replaceAt(int k, const Text& c);
    // cp1252 code of the first character; the empty text raises the
    // subscript-out-of-range error.
    i16 code() const;

    friend Text operator+(const Text& a, const Text& b) { return fromCp1252(a.bytes_ + b.bytes_); }
    friend bool operator==(const Text& a, const Text& b) = default;

private:
    std::size_t checkPosition(int k) const;

    std::string bytes_;
};

// Conversion of single characters between cp1252 and Unicode, shared by Text
// and the window's key events. The five bytes that cp1252 leaves undefined
// map to the C1 controls of the same number, so every byte round-trips.
char32_t cp1252ToUnicode(unsigned char byte);
// The cp1252 code of a Unicode character, or 63 ("?") where cp1252 has none.
unsigned char unicodeToCp1252(char32_t ch);

// The Unicode characters of a UTF-8 text, as the engines receive typed text;
// a malformed sequence becomes U+FFFD.
std::u32string utf8ToUnicode(std::string_view utf8);
// The same for a text that must be well-formed UTF-8 throughout (a file);
// nothing where it is not.
std::optional<std::u32string> wellFormedUtf8ToUnicode(std::string_view utf8);
std::string unicodeToUtf8(std::u32string_view text);

}  // namespace galgen
