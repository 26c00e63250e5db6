// SPDX-License-Identifier: GPL-3.0-or-later
// A list handed on as a link: its words come back whole from the link's
// code, the code stays short and unreadable, and a code cut short or
// changed anywhere is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game.h"
#include "word_file.h"
#include "word_link.h"

namespace galgen::testing {
namespace {

std::vector<Text> words(const std::vector<std::string>& utf8)
{
    std::vector<Text> list;
    for (const std::string& word : utf8)
        list.push_back(Text::fromUtf8(word));
    return list;
}

std::vector<Text> firstBuiltIn(std::size_t count)
{
    std::vector<Text> list = builtInWords();
    list.resize(count);
    return list;
}

TEST(WordLink, CarriesAListWhole)
{
    std::vector<Text> longest;
    for (int i = 0; i < maxListWords; ++i)
        longest.push_back(Text::fromUtf8(std::string(maxWordLetters - 3, 'W') + char('a' + i / 100 % 10)
                                         + char('a' + i / 10 % 10) + char('a' + i % 10)));
    const struct {
        const char* what;
        std::vector<Text> list;
    } rows[] = {
        {"one word", words({"Igel"})},
        {"every letter a key reveals, in both cases", words({"ABCDEFGHIJKLMNOPQ", "RSTUVWXYZÄÖÜ", "abcdefghijklmnop",
                                                               "rstuvwxyzäöüßq"})},
        {"the game's own 150 words", builtInWords()},
        {"1000 words of 17 letters", longest},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string code = wordLinkCode(row.list);
        const FileBytes file = wordLinkFile(code);
        EXPECT_EQ(file.fault, FileFault::None);
        EXPECT_EQ(file.name, wordLinkListName);
        EXPECT_EQ(readWordFile(file), row.list);
    }
}

// Thirty words fit a link of 500 characters, and no word shows in it.
TEST(WordLink, IsShortAndUnreadable)
{
    const std::vector<Text> thirty = firstBuiltIn(30);
    const std::string code = wordLinkCode(thirty);
    const std::string link = "https://schule.example/galgen/#" + std::string(wordLinkKey) + "=" + code;
    EXPECT_LE(link.size(), 500U) << link;
    std::string lower = code;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const Text& word : thirty) {
        std::string small = word.toUtf8();
        std::transform(small.begin(), small.end(), small.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_EQ(lower.find(small), std::string::npos) << small << " in " << code;
    }
}

// Every code but the one written is refused: cut short, any one character
// changed, one added, or none at all.
TEST(WordLink, RefusesACodeCutShortOrChanged)
{
    const std::string code = wordLinkCode(firstBuiltIn(30));
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_=+/ .%";
    std::vector<std::string> wrong = {"", "A", "AAAA", "%%%", std::string(maxWordLinkCode + 1, 'A'), code + "A",
                                      code + code,
                                      // A count written in one byte more than it needs.
                                      sealedWordLinkCode(std::string("\x01\x83\x00\x83\x00", 5))};
    for (std::size_t length = 0; length < code.size(); ++length)
        wrong.push_back(code.substr(0, length));
    for (std::size_t at = 0; at < code.size(); ++at)
        for (const char c : alphabet)
            if (c != code[at]) {
                std::string changed = code;
                changed[at] = c;
                wrong.push_back(changed);
            }
    for (const std::string& w : wrong) {
        const FileBytes file = wordLinkFile(w);
        ASSERT_EQ(file.fault, FileFault::Damaged) << w;
        ASSERT_TRUE(file.bytes.empty());
    }
    EXPECT_EQ(wordLinkFile(code).fault, FileFault::None);
}

}  // namespace
}  // namespace galgen::testing
