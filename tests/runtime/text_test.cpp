// SPDX-License-Identifier: GPL-3.0-or-later
// cp1252 text: the string operations the rules use, and the conversion to
// and from UTF-8 at the boundaries.
#include <gtest/gtest.h>

#include <string>

#include "error_of.h"
#include "text.h"

namespace galgen {
namespace {

using testing::errorOf;


TEST(Text, OneBytePerCharacter)
{
    const Text t = Text::fromUtf8("Löffel");
    EXPECT_EQ(t.length(), 6);
    EXPECT_EQ(t.bytes(), std::string("L\xF6" "ffel"));
    EXPECT_EQ(t.charAt(2).code(), 246);
    EXPECT_EQ(t.charAt(6), Text::fromCp1252("l"));
    EXPECT_EQ(t.toUtf8(), "Löffel");
}

TEST(Text, ReplaceKeepsTheLength)
{
    Text mask = Text::fromCp1252("------");
    mask.replaceAt(2, Text::fromCode(246));
    mask.replaceAt(6, Text::fromUtf8("l"));
    EXPECT_EQ(mask.toUtf8(), "-ö---l");
    EXPECT_EQ(mask.length(), 6);
}

TEST(Text, PositionsOutsideTheTextAreErrors)
{
    Text t = Text::fromCp1252("abc");
    EXPECT_EQ(errorOf([&] { t.charAt(0); }), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { t.charAt(4); }), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { t.replaceAt(4, Text::fromCp1252("x")); }), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { Text().code(); }), ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(t.toUtf8(), "abc");
}

TEST(Text, ConcatenationAndExactComparison)
{
    const Text a = Text::fromCp1252("Ha");
    EXPECT_EQ((a + Text::fromCp1252("se")).toUtf8(), "Hase");
    EXPECT_EQ(Text() + Text(), Text());
    EXPECT_FALSE(Text::fromCp1252("1") == Text::fromCp1252("1 "));
    EXPECT_FALSE(Text::fromCp1252("a") == Text::fromCp1252("A"));
}

TEST(Text, CharacterCodesRoundTripForEveryByte)
{
    for (int code = 0; code <= 255; ++code) {
        const Text c = Text::fromCode(static_cast<i16>(code));
        EXPECT_EQ(c.length(), 1);
        EXPECT_EQ(c.code(), code);
        EXPECT_EQ(Text::fromUtf8(c.toUtf8()), c) << code;
    }
    EXPECT_EQ(errorOf([] { Text::fromCode(256); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { Text::fromCode(-1); }), ErrorKind::Overflow);
}

TEST(Text, Cp1252MappingOfUnicode)
{
    const struct { char32_t unicode; int code; } cases[] = {
        {U'A', 65}, {U'ö', 246}, {U'Ö', 214}, {U'ü', 252}, {U'ß', 223}, {U'€', 128},
        {U'„', 132}, {U'Ÿ', 159}, {U'\b', 8}, {U'\r', 13}, {U'\x1b', 27},
        {U'ł', 63}, {U'→', 63}, {U'😀', 63}, {U'\u00A0', 160},
    };
    for (const auto& c : cases)
        EXPECT_EQ(unicodeToCp1252(c.unicode), c.code) << static_cast<unsigned>(c.unicode);
    EXPECT_EQ(cp1252ToUnicode(128), U'€');
    EXPECT_EQ(Text::fromUtf8("Straße ☺ €").toUtf8(), "Straße ? €");
}

TEST(Text, MalformedUtf8BecomesQuestionMarks)
{
    EXPECT_EQ(Text::fromUtf8("a\xC3").toUtf8(), "a?");          // cut off
    EXPECT_EQ(Text::fromUtf8("\xFF" "b").toUtf8(), "?b");       // no lead byte
    EXPECT_EQ(Text::fromUtf8("\xC3(").toUtf8(), "?(");          // bad continuation
}

// Typed text reaches the engines as UTF-8; each character, of one to four
// bytes, is one key, and a broken sequence is one replacement character.
TEST(Text, Utf8ToUnicodeGivesOneCharacterPerSequence)
{
    EXPECT_EQ(utf8ToUnicode("aö€😀"), U"aö€😀");
    EXPECT_EQ(utf8ToUnicode("a\xC3"), U"a\uFFFD");
    EXPECT_EQ(utf8ToUnicode("\xC3(b"), U"\uFFFD(b");
    EXPECT_EQ(unicodeToUtf8(U"aö€😀"), "aö€😀");
}

// A file is UTF-8 only if every sequence is well formed: the shortest form,
// no surrogate, nothing past U+10FFFF.
TEST(Text, WellFormedUtf8Only)
{
    EXPECT_EQ(wellFormedUtf8ToUnicode("aö€😀"), U"aö€😀");
    EXPECT_EQ(wellFormedUtf8ToUnicode(""), U"");
    for (const char* malformed : {"a\xC3", "\xC3(", "\xFF", "\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                                  "\xF4\x90\x80\x80", "M\xF6we"})
        EXPECT_EQ(wellFormedUtf8ToUnicode(malformed), std::nullopt) << malformed;
}

}  // namespace
}  // namespace galgen
