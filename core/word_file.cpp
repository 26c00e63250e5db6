// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and checking a word list file, and the German message that names
// its faults.
#include "word_file.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "errors.h"

namespace galgen {

namespace {

// A word is quoted up to this many characters.
constexpr std::size_t quotedLength = 40;

std::string quoted(std::u32string_view text, std::size_t limit = quotedLength)
{
    if (text.size() > limit)
        return "„" + unicodeToUtf8(text.substr(0, limit)) + "…“";
    return "„" + unicodeToUtf8(text) + "“";
}

bool revealable(char32_t c) { return allowedLetters.find(c) != std::u32string_view::npos; }

// Latin letters with accents, Greek and Cyrillic: a player who writes them
// has written letters, only not ones the game knows.
bool otherLetter(char32_t c)
{
    return (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x52F);
}

bool blank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == U'\v' || c == U'\f' || c == 0xA0; }

std::string nameOf(char32_t c)
{
    if (c == U' ')
        return "ein Leerzeichen";
    if (c == U'\t')
        return "einen Tabulator";
    if (c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || (c >= 0x2000 && c <= 0x200F) || c == 0xFEFF) {
        constexpr char hex[] = "0123456789ABCDEF";
        std::string code = "das unsichtbare Zeichen U+";
        for (int shift = 12; shift >= 0; shift -= 4)
            code += hex[(c >> shift) & 0xF];
        return code;
    }
    return quoted(std::u32string(1, c));
}

// "a", "a und b", "a, b und c".
std::string listed(const std::vector<std::string>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " und " : ", ";
        text += items[i];
    }
    return text;
}

// The same word in any case: capitals and umlauts folded to small ones.
std::u32string folded(std::u32string word)
{
    for (char32_t& c : word) {
        if ((c >= U'A' && c <= U'Z') || c == U'Ä' || c == U'Ö' || c == U'Ü')
            c += 32;
    }
    return word;
}

std::u32string decoded(std::string_view bytes)
{
    if (std::optional<std::u32string> text = wellFormedUtf8ToUnicode(bytes)) {
        if (!text->empty() && text->front() == 0xFEFF)
            text->erase(0, 1);
        return *text;
    }
    std::u32string text;
    for (const char byte : bytes)
        text.push_back(cp1252ToUnicode(static_cast<unsigned char>(byte)));
    return text;
}

// A control character that no text file holds: a binary file.
bool binary(std::string_view bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char byte) {
        const auto b = static_cast<unsigned char>(byte);
        return b < 0x20 && b != '\t' && b != '\n' && b != '\v' && b != '\f' && b != '\r';
    });
}

std::string readFault(const FileBytes& file)
{
    switch (file.fault) {
    case FileFault::None: break;
    case FileFault::Missing: return "Die Datei gibt es nicht.";
    case FileFault::Folder: return "Das ist ein Ordner, keine Datei.";
    case FileFault::NoPermission: return "Die Datei darf nicht gelesen werden: keine Berechtigung.";
    case FileFault::Unreadable: return "Die Datei lässt sich nicht lesen (" + file.detail + ").";
    case FileFault::Refused:
        return "Eine Wortliste muss auf derselben Website im Ordner des Spiels liegen (oder darunter).";
    case FileFault::NotFetched: return "Die Datei ließ sich nicht laden (" + file.detail + ").";
    }
    return {};
}

struct Line {
    int number;
    std::u32string word;
};

class Faults {
public:
    void add(std::string fault) { named_.push_back(std::move(fault)); }
    void at(int line, const std::string& fault) { add("Zeile " + std::to_string(line) + ": " + fault); }
    bool any() const { return !named_.empty(); }

    [[noreturn]] void raiseFor(const std::string& fileName) const
    {
        std::string message = "Die Wortliste " + quoted(utf8ToUnicode(fileName), 80) + " wird nicht verwendet:";
        for (const std::string& fault : named_)
            message += "\n" + fault;
        message += "\nDas Spiel geht mit den bisherigen Wörtern weiter.";
        raise(ErrorKind::WordList, message);
    }

private:
    std::vector<std::string> named_;
};

std::vector<Line> wordLines(const std::u32string& text)
{
    std::vector<Line> lines;
    int number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(U'\n', start), text.size());
        ++number;
        std::size_t from = start, to = end;
        while (from < to && blank(text[from]))
            ++from;
        while (to > from && blank(text[to - 1]))
            --to;
        if (from < to && text[from] != U'#')
            lines.push_back({number, text.substr(from, to - from)});
        start = end + 1;
    }
    return lines;
}

void checkWord(const Line& line, Faults& faults)
{
    std::vector<char32_t> wrong;
    for (const char32_t c : line.word)
        if (!revealable(c) && std::find(wrong.begin(), wrong.end(), c) == wrong.end())
            wrong.push_back(c);
    if (!wrong.empty()) {
        std::vector<std::string> names;
        for (const char32_t c : wrong)
            names.push_back(nameOf(c));
        const bool lettersOnly = std::all_of(wrong.begin(), wrong.end(), otherLetter);
        faults.at(line.number, quoted(line.word) + " enthält " + listed(names)
                                   + (lettersOnly ? "; erlaubt sind nur A bis Z, Ä, Ö, Ü und ß."
                                                  : "; erlaubt sind nur Buchstaben."));
    }
    if (line.word.size() > std::size_t(maxWordLetters))
        faults.at(line.number, quoted(line.word) + " ist mit " + std::to_string(line.word.size())
                                   + " Zeichen zu lang; ins Wortfeld passen höchstens "
                                   + std::to_string(maxWordLetters) + ".");
}

}  // namespace

std::vector<Text> readWordFile(const FileBytes& file)
{
    Faults faults;
    const std::string_view bytes = file.bytes;
    if (file.fault != FileFault::None)
        faults.add(readFault(file));
    else if (bytes.size() > fileByteLimit)
        faults.add("Die Datei ist größer als 1 MB.");
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        faults.add("Die Datei ist in UTF-16 gespeichert; bitte als UTF-8 speichern.");
    else if (binary(bytes))
        faults.add("Die Datei ist keine Textdatei.");
    if (faults.any())
        faults.raiseFor(file.name);

    const std::vector<Line> lines = wordLines(decoded(bytes));
    if (lines.empty())
        faults.add("Die Datei enthält kein Wort.");
    else if (lines.size() > std::size_t(maxListWords))
        faults.add("Die Datei enthält " + std::to_string(lines.size()) + " Wörter; eine Wortliste hat höchstens "
                   + std::to_string(maxListWords) + ".");
    std::map<std::u32string, int> seen;
    for (const Line& line : lines) {
        checkWord(line, faults);
        const auto [first, isNew] = seen.emplace(folded(line.word), line.number);
        if (!isNew)
            faults.at(line.number, quoted(line.word) + " steht schon in Zeile " + std::to_string(first->second) + ".");
    }
    if (faults.any())
        faults.raiseFor(file.name);

    std::vector<Text> words;
    for (const Line& line : lines) {
        std::string cp1252;
        for (const char32_t c : line.word)
            cp1252 += static_cast<char>(unicodeToCp1252(c));
        words.push_back(Text::fromCp1252(std::move(cp1252)));
    }
    return words;
}

}  // namespace galgen
