// SPDX-License-Identifier: GPL-3.0-or-later
// An own word list handed on as a link: the words, packed, in the fragment
// of the game's address (…/#woerter=CODE). Browsers never send a fragment to
// a server, so no host keeps the list and no server's log holds it; and the
// packed words are not readable at a glance in the address bar.
//
// The code is base64url of: a version byte (1); the number of characters
// (LEB128); the characters, one word a line, each in a prefix code whose
// shortest bit strings go to the letters German uses most; zero bits to the
// byte's end; and a CRC-32 of all that, so that a link cut short or changed
// in any one character is refused, never played with other words. Thirty
// words make a code of about 170 characters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "file_bytes.h"
#include "text.h"

namespace galgen {

// The fragment's key: …/#woerter=CODE.
inline constexpr std::string_view wordLinkKey = "woerter";
// What a link's list is called in messages.
inline constexpr std::string_view wordLinkListName = "Wörter aus dem Link";
// A code longer than this cannot hold a list of at most 1000 words.
inline constexpr std::size_t maxWordLinkCode = 65536;

// The code of a list's words; they must be words of a checked list
// (word_file.h): letters a key can reveal.
std::string wordLinkCode(const std::vector<Text>& words);

// The code of packed bytes (a version byte, the number of characters and
// their bits, as wordLinkCode packs them), sealed as wordLinkCode seals
// them: with their CRC-32, in base64url. What lies behind the seal is
// reached only through it; a fuzzer seals its bytes to reach it.
std::string sealedWordLinkCode(std::string_view packed);

// The list a link's code carries, as a list file whose words the list
// reader checks like any other file's: its words one a line, in UTF-8. A
// code that is not whole gives the fault Damaged and no bytes.
FileBytes wordLinkFile(std::string_view code);

}  // namespace galgen
