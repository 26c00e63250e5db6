// SPDX-License-Identifier: GPL-3.0-or-later
// Packing a list's words into a link's code and back. The decoder reads
// anything a link may hold, refusing all that is not exactly a code the
// encoder writes; the list reader then checks the words as a file's.
#include "word_link.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "errors.h"

namespace galgen {

namespace {

constexpr std::uint8_t version = 1;

// The characters of a code, with how often German writes them: small
// letters as in running text, capitals as the first letters of nouns, and a
// line end after a word of about seven letters. Only the order of the
// weights matters for the code, not their exact sizes.
struct Weighted {
    char32_t character;
    int weight;
};
constexpr std::array<Weighted, 60> alphabet = {{
    {U'\n', 1400}, {U'e', 1740}, {U'n', 978}, {U'i', 755}, {U's', 727}, {U'r', 700}, {U'a', 651}, {U't', 615},
    {U'd', 508},   {U'h', 476},  {U'u', 435}, {U'l', 344}, {U'c', 306}, {U'g', 301}, {U'm', 253}, {U'o', 251},
    {U'b', 189},   {U'w', 189},  {U'f', 166}, {U'k', 121}, {U'z', 113}, {U'p', 79},  {U'v', 67},  {U'ü', 65},
    {U'ä', 54},    {U'ß', 31},   {U'ö', 30},  {U'j', 27},  {U'y', 4},   {U'x', 3},   {U'q', 2},   {U'S', 154},
    {U'K', 112},   {U'B', 112},  {U'M', 98},  {U'A', 84},  {U'H', 84},  {U'T', 84},  {U'P', 70},  {U'F', 70},
    {U'W', 70},    {U'G', 70},   {U'R', 70},  {U'E', 56},  {U'L', 56},  {U'D', 56},  {U'N', 42},  {U'Z', 42},
    {U'U', 28},    {U'V', 28},   {U'O', 28},  {U'I', 21},  {U'J', 14},  {U'C', 14},  {U'Ä', 7},   {U'Ö', 4},
    {U'Ü', 4},     {U'Q', 3},    {U'X', 1},   {U'Y', 1},
}};
constexpr std::size_t symbols = alphabet.size();

// The prefix code of the alphabet: Huffman's lengths, given out as a
// canonical code (by length, then by place in the alphabet), which the
// decoder reads from the lengths alone. Integers throughout, so that every
// machine builds the same code.
struct PrefixCode {
    std::array<int, symbols> length{};
    std::array<std::uint32_t, symbols> bits{};
    std::array<std::size_t, symbols> byCode{};   // symbols in canonical order
    std::array<int, 33> ofLength{};               // how many symbols have each length
    int longest = 0;
};

PrefixCode makeCode()
{
    PrefixCode code;
    // Huffman: join the two lightest trees, the earlier first on a tie,
    // until one is left; a symbol's length is its depth.
    struct Tree {
        long weight;
        std::vector<std::size_t> leaves;
    };
    std::vector<Tree> trees;
    for (std::size_t s = 0; s < symbols; ++s)
        trees.push_back({alphabet[s].weight, {s}});
    while (trees.size() > 1) {
        const auto lightest = [&trees](std::size_t skip) {
            std::size_t best = trees.size();
            for (std::size_t t = 0; t < trees.size(); ++t)
                if (t != skip && (best == trees.size() || trees[t].weight < trees[best].weight))
                    best = t;
            return best;
        };
        const std::size_t a = lightest(trees.size());
        const std::size_t b = lightest(a);
        Tree joined{trees[a].weight + trees[b].weight, trees[a].leaves};
        joined.leaves.insert(joined.leaves.end(), trees[b].leaves.begin(), trees[b].leaves.end());
        for (const std::size_t leaf : joined.leaves)
            ++code.length[leaf];
        trees.erase(trees.begin() + std::ptrdiff_t(std::max(a, b)));
        trees.erase(trees.begin() + std::ptrdiff_t(std::min(a, b)));
        trees.push_back(std::move(joined));
    }
    for (std::size_t s = 0; s < symbols; ++s)
        code.byCode[s] = s;
    std::stable_sort(code.byCode.begin(), code.byCode.end(),
                     [&code](std::size_t x, std::size_t y) { return code.length[x] < code.length[y]; });
    std::uint32_t next = 0;
    int previous = code.length[code.byCode[0]];
    for (const std::size_t s : code.byCode) {
        next <<= code.length[s] - previous;
        previous = code.length[s];
        code.bits[s] = next++;
        ++code.ofLength[std::size_t(previous)];
    }
    code.longest = previous;
    return code;
}

const PrefixCode& prefixCode()
{
    static const PrefixCode code = makeCode();
    return code;
}

std::uint32_t crc32(const std::string& bytes)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char byte : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFU;
}

constexpr std::string_view base64url = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string toBase64url(const std::string& bytes)
{
    std::string text;
    std::uint32_t buffer = 0;
    int held = 0;
    for (const char byte : bytes) {
        buffer = (buffer << 8) | static_cast<unsigned char>(byte);
        for (held += 8; held >= 6; held -= 6)
            text += base64url[(buffer >> (held - 6)) & 0x3F];
    }
    if (held > 0)
        text += base64url[(buffer << (6 - held)) & 0x3F];
    return text;
}

// Only what toBase64url writes: no other character, no padding, and no bit
// set past the last byte, so that no two codes mean the same bytes.
std::optional<std::string> fromBase64url(std::string_view text)
{
    if (text.size() % 4 == 1)
        return std::nullopt;
    std::string bytes;
    std::uint32_t buffer = 0;
    int held = 0;
    for (const char c : text) {
        const std::size_t value = base64url.find(c);
        if (value == std::string_view::npos)
            return std::nullopt;
        buffer = (buffer << 6) | std::uint32_t(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes += static_cast<char>((buffer >> held) & 0xFF);
        }
    }
    if ((buffer & ((1U << held) - 1)) != 0)
        return std::nullopt;
    return bytes;
}

std::size_t symbolOf(char32_t c)
{
    for (std::size_t s = 0; s < symbols; ++s)
        if (alphabet[s].character == c)
            return s;
    raise(ErrorKind::Internal, "kein Buchstabe einer Wortliste");
}

// Reads a code's bits, the highest of each byte first.
class BitReader {
public:
    BitReader(std::string_view bytes) : bytes_(bytes) {}
    std::optional<int> bit()
    {
        if (at_ >= bytes_.size() * 8)
            return std::nullopt;
        const int value = (static_cast<unsigned char>(bytes_[at_ / 8]) >> (7 - at_ % 8)) & 1;
        ++at_;
        return value;
    }
    // True if what is left are the zero bits up to the byte's end.
    bool atPadding() const
    {
        if (bytes_.size() * 8 - at_ >= 8)
            return false;
        for (std::size_t at = at_; at < bytes_.size() * 8; ++at)
            if ((static_cast<unsigned char>(bytes_[at / 8]) >> (7 - at % 8)) & 1)
                return false;
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// The characters the code's bytes hold, or nothing where they are not
// exactly what the encoder writes.
std::optional<std::u32string> unpacked(std::string_view bytes)
{
    if (bytes.empty() || static_cast<unsigned char>(bytes[0]) != version)
        return std::nullopt;
    std::size_t count = 0, at = 1;
    for (int shift = 0;; shift += 7) {
        if (at == bytes.size() || shift > 21)
            return std::nullopt;
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        count |= std::size_t(byte & 0x7F) << shift;
        if (!(byte & 0x80)) {
            // A last byte of nothing but zeros is one the encoder never
            // writes: the same count would have two codes.
            if (byte == 0 && shift > 0)
                return std::nullopt;
            break;
        }
    }
    if (count > fileByteLimit)
        return std::nullopt;
    const PrefixCode& code = prefixCode();
    BitReader bits(bytes.substr(at));
    std::u32string text;
    for (std::size_t n = 0; n < count; ++n) {
        // Canonical decoding: the codes of one length are consecutive
        // numbers, following on from the shorter ones.
        std::uint32_t value = 0, first = 0;
        std::size_t index = 0;
        std::optional<std::size_t> symbol;
        for (std::size_t length = 1; !symbol && length <= std::size_t(code.longest); ++length) {
            const std::optional<int> bit = bits.bit();
            if (!bit)
                return std::nullopt;
            value = (value << 1) | std::uint32_t(*bit);
            const auto count = std::uint32_t(code.ofLength[length]);
            if (value - first < count)
                symbol = code.byCode[index + (value - first)];
            index += count;
            first = (first + count) << 1;
        }
        if (!symbol)
            return std::nullopt;
        text.push_back(alphabet[*symbol].character);
    }
    if (!bits.atPadding())
        return std::nullopt;
    return text;
}

}  // namespace

std::string wordLinkCode(const std::vector<Text>& words)
{
    const PrefixCode& code = prefixCode();
    std::string bytes(1, static_cast<char>(version));
    std::size_t count = words.empty() ? 0 : words.size() - 1;
    for (const Text& word : words)
        count += word.bytes().size();
    for (std::size_t rest = count;; rest >>= 7) {
        bytes += static_cast<char>((rest & 0x7F) | (rest >= 0x80 ? 0x80 : 0));
        if (rest < 0x80)
            break;
    }
    std::uint32_t buffer = 0;
    int held = 0;
    const auto put = [&](char32_t c) {
        const std::size_t s = symbolOf(c);
        for (int bit = code.length[s] - 1; bit >= 0; --bit) {
            buffer = (buffer << 1) | ((code.bits[s] >> bit) & 1);
            if (++held == 8) {
                bytes += static_cast<char>(buffer & 0xFF);
                held = 0;
            }
        }
    };
    for (std::size_t w = 0; w < words.size(); ++w) {
        if (w > 0)
            put(U'\n');
        for (const char byte : words[w].bytes())
            put(cp1252ToUnicode(static_cast<unsigned char>(byte)));
    }
    if (held > 0)
        bytes += static_cast<char>((buffer << (8 - held)) & 0xFF);
    return sealedWordLinkCode(bytes);
}

std::string sealedWordLinkCode(std::string_view packed)
{
    std::string bytes(packed);
    const std::uint32_t check = crc32(bytes);
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((check >> shift) & 0xFF);
    return toBase64url(bytes);
}

FileBytes wordLinkFile(std::string_view code)
{
    FileBytes file{std::string(wordLinkListName), {}, FileFault::Damaged, {}};
    if (code.size() > maxWordLinkCode)
        return file;
    const std::optional<std::string> bytes = fromBase64url(code);
    if (!bytes || bytes->size() < 5)
        return file;
    const std::string body = bytes->substr(0, bytes->size() - 4);
    std::uint32_t check = 0;
    for (std::size_t i = body.size(); i < bytes->size(); ++i)
        check = (check << 8) | static_cast<unsigned char>((*bytes)[i]);
    if (crc32(body) != check)
        return file;
    if (const std::optional<std::u32string> text = unpacked(body)) {
        file.bytes = unicodeToUtf8(*text);
        file.fault = FileFault::None;
    }
    return file;
}

}  // namespace galgen
