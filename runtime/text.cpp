// SPDX-License-Identifier: GPL-3.0-or-later
#include "text.h"

#include <array>
#include <string>

#include "errors.h"

namespace galgen {

namespace {

// 0x80..0x9F in cp1252; the undefined 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep
// their C1 code points.
constexpr std::array<char32_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t replacement = 0xFFFD;

// Decodes one UTF-8 sequence at s[i], advancing i; a malformed one (a stray
// byte, a sequence cut short, an overlong form, a surrogate, a code beyond
// U+10FFFF) yields U+FFFD, skips one byte and clears wellFormed.
char32_t decodeUtf8(std::string_view s, std::size_t& i, bool& wellFormed)
{
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(s[at]); };
    const unsigned char lead = byte(i);
    int extra = 0;
    char32_t ch = 0;
    if (lead < 0x80) { ++i; return lead; }
    if ((lead & 0xE0) == 0xC0) { extra = 1; ch = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; ch = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; ch = lead & 0x07; }
    const auto malformed = [&] {
        wellFormed = false;
        ++i;
        return replacement;
    };
    if (extra == 0 || i + static_cast<std::size_t>(extra) >= s.size())
        return malformed();
    for (int n = 1; n <= extra; ++n) {
        const unsigned char next = byte(i + static_cast<std::size_t>(n));
        if ((next & 0xC0) != 0x80)
            return malformed();
        ch = (ch << 6) | (next & 0x3F);
    }
    constexpr char32_t shortest[] = {0, 0x80, 0x800, 0x10000};
    if (ch < shortest[extra] || (ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF)
        return malformed();
    i += static_cast<std::size_t>(extra) + 1;
    return ch;
}

void appendUtf8(std::string& out, char32_t ch)
{
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

}  // namespace

char32_t cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return high[byte - 0x80];
    return byte;
}

unsigned char unicodeToCp1252(char32_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<unsigned char>(ch);
    for (std::size_t i = 0; i < high.size(); ++i)
        if (high[i] == ch)
            return static_cast<unsigned char>(0x80 + i);
    return '?';
}

Text Text::fromCp1252(std::string bytes)
{
    Text t;
    t.bytes_ = std::move(bytes);
    return t;
}

Text Text::fromUtf8(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    bool wellFormed = true;
    for (std::size_t i = 0; i < utf8.size();)
        bytes += static_cast<char>(unicodeToCp1252(decodeUtf8(utf8, i, wellFormed)));
    return fromCp1252(std::move(bytes));
}

Text Text::fromCode(i16 code)
{
    if (code < 0 || code > 255)
        raise(ErrorKind::Overflow, "Zeichencode " + std::to_string(code));
    return fromCp1252(std::string(1, static_cast<char>(static_cast<unsigned char>(code))));
}

std::u32string utf8ToUnicode(std::string_view utf8)
{
    bool wellFormed = true;
    std::u32string result;
    for (std::size_t i = 0; i < utf8.size();)
        result.push_back(decodeUtf8(utf8, i, wellFormed));
    return result;
}

std::string unicodeToUtf8(std::u32string_view text)
{
    std::string out;
    for (const char32_t ch : text)
        appendUtf8(out, ch);
    return out;
}

std::optional<std::u32string> wellFormedUtf8ToUnicode(std::string_view utf8)
{
    bool wellFormed = true;
    std::u32string result;
    for (std::size_t i = 0; i < utf8.size() && wellFormed;)
        result.push_back(decodeUtf8(utf8, i, wellFormed));
    if (!wellFormed)
        return std::nullopt;
    return result;
}

std::string Text::toUtf8() const
{
    std::string out;
    out.reserve(bytes_.size() * 2);
    for (const char c : bytes_)
        appendUtf8(out, cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

i16 Text::length() const
{
    return toInt16(static_cast<long long>(bytes_.size()));
}

std::size_t Text::checkPosition(int k) const
{
    if (k < 1 || static_cast<std::size_t>(k) > bytes_.size())
        raise(ErrorKind::SubscriptOutOfRange, "Zeichenposition " + std::to_string(k));
    return static_cast<std::size_t>(k - 1);
}

Text Text::charAt(int k) const
{
    return fromCp1252(std::string(1, bytes_[checkPosition(k)]));
}

void Text::replaceAt(int k, const Text& c)
{
    const std::size_t at = checkPosition(k);
    if (c.empty())
        raise(ErrorKind::SubscriptOutOfRange, "leeres Ersatzzeichen");
    bytes_[at] = c.bytes_.front();
}

i16 Text::code() const
{
    if (bytes_.empty())
        raise(ErrorKind::SubscriptOutOfRange, "Zeichencode eines leeren Textes");
    return static_cast<unsigned char>(bytes_.front());
}

}  // namespace galgen
