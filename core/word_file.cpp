// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and checking a word list file, and the German message that names
// its faults. Whatever the file holds, the message stays short: it quotes
// words up to a length, names the first faults and counts the rest, and
// shows every character a reader could not see by its code.
#include "word_file.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <string_view>

#include "errors.h"

namespace galgen {

namespace {

// A word is quoted up to this many characters.
constexpr std::size_t quotedLength = 40;

// Marks that sit on the character before them.
bool combining(char32_t c) { return c >= 0x300 && c <= 0x36F; }

// Characters a reader cannot see, or that move the text around them:
// controls, spaces of other widths, joiners, direction marks and
// overrides, the byte order mark.
bool invisible(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || (c >= 0x2000 && c <= 0x200F)
           || (c >= 0x2028 && c <= 0x202F) || (c >= 0x205F && c <= 0x206F) || c == 0xFEFF
           || (c >= 0xFFF9 && c <= 0xFFFB);
}

std::string code(char32_t c)
{
    constexpr char hex[] = "0123456789ABCDEF";
    std::string digits;
    for (int shift = 20; shift >= 0; shift -= 4)
        if (shift < 16 || (c >> shift) != 0)
            digits += hex[(c >> shift) & 0xF];
    return "U+" + digits;
}

// The text as a reader sees it: what cannot be seen, by its code.
std::string shown(std::u32string_view text)
{
    std::string out;
    for (const char32_t c : text) {
        if (invisible(c) || combining(c))
            out.append(1, '[').append(code(c)).append(1, ']');
        else
            out += unicodeToUtf8(std::u32string_view(&c, 1));
    }
    return out;
}

std::string quoted(std::u32string_view text, std::size_t limit = quotedLength)
{
    if (text.size() > limit)
        return "„" + shown(text.substr(0, limit)) + "…“";
    return "„" + shown(text) + "“";
}

bool revealable(char32_t c) { return allowedLetters.find(c) != std::u32string_view::npos; }

// Latin letters with accents, Greek and Cyrillic: a player who writes them
// has written letters, only not ones the game knows.
bool otherLetter(char32_t c)
{
    return (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x52F);
}

bool blank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\v' || c == U'\f' || c == 0xA0; }

std::string nameOf(char32_t c)
{
    if (c == U' ')
        return "ein Leerzeichen";
    if (c == U'\t')
        return "einen Tabulator";
    if (combining(c))
        return "das Zusatzzeichen " + code(c);
    if (invisible(c))
        return "das unsichtbare Zeichen " + code(c);
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

// 524288 as a German reads it: "524.288".
std::string grouped(std::size_t number)
{
    const std::string digits = std::to_string(number);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += '.';
        text += digits[i];
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

// Latin-1's capital letters with a mark, as a base letter and a combining
// mark; their small letters lie 32 above both letters.
struct Composition {
    char32_t letter, base, mark;
};
constexpr std::array<Composition, 26> capitals = {{
    {U'À', U'A', 0x300}, {U'Á', U'A', 0x301}, {U'Â', U'A', 0x302}, {U'Ã', U'A', 0x303}, {U'Ä', U'A', 0x308},
    {U'Å', U'A', 0x30A}, {U'Ç', U'C', 0x327}, {U'È', U'E', 0x300}, {U'É', U'E', 0x301}, {U'Ê', U'E', 0x302},
    {U'Ë', U'E', 0x308}, {U'Ì', U'I', 0x300}, {U'Í', U'I', 0x301}, {U'Î', U'I', 0x302}, {U'Ï', U'I', 0x308},
    {U'Ñ', U'N', 0x303}, {U'Ò', U'O', 0x300}, {U'Ó', U'O', 0x301}, {U'Ô', U'O', 0x302}, {U'Õ', U'O', 0x303},
    {U'Ö', U'O', 0x308}, {U'Ù', U'U', 0x300}, {U'Ú', U'U', 0x301}, {U'Û', U'U', 0x302}, {U'Ü', U'U', 0x308},
    {U'Ý', U'Y', 0x301},
}};

// The one letter of a base letter and a mark, or 0 where Latin-1 has none.
char32_t composition(char32_t base, char32_t mark)
{
    if (base == U'y' && mark == 0x308)
        return U'ÿ';
    for (const Composition& c : capitals) {
        if (c.mark == mark && c.base == base)
            return c.letter;
        if (c.mark == mark && c.base + 32 == base)
            return c.letter + 32;
    }
    return 0;
}

// Letters written as a base letter and a combining mark, as some programs
// save "ä", become the one letter, as Unicode's composed form has them.
std::u32string composed(const std::u32string& text)
{
    std::u32string out;
    for (const char32_t c : text) {
        if (combining(c) && !out.empty()) {
            if (const char32_t letter = composition(out.back(), c)) {
                out.back() = letter;
                continue;
            }
        }
        out.push_back(c);
    }
    return out;
}

// A line's characters: UTF-8 where its bytes are UTF-8, cp1252 where not.
// Where a cp1252 line has bytes of 0x80 to 0x9F, which cp1252 gives to
// signs, it was probably saved in an older code page of DOS or the Mac,
// whose umlauts lie there.
struct DecodedLine {
    std::u32string text;
    bool otherCodePage = false;
};

DecodedLine decodedLine(std::string_view bytes)
{
    if (std::optional<std::u32string> text = wellFormedUtf8ToUnicode(bytes))
        return {composed(*text)};
    DecodedLine line;
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        line.otherCodePage = line.otherCodePage || (b >= 0x80 && b <= 0x9F);
        line.text.push_back(cp1252ToUnicode(b));
    }
    line.text = composed(line.text);
    return line;
}

std::string_view withoutByteOrderMark(std::string_view bytes)
{
    return bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
}

// Calls each(number, bytes) for every line, counted from 1; a line ends in
// LF, CRLF or CR alone.
template <typename Each>
void forEachLine(std::string_view bytes, Each&& each)
{
    int number = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        each(++number, bytes.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return;
        start = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
    }
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
    case FileFault::Stalled:
        return "Die Datei kommt nicht zu Ende: Sie wird wohl noch geschrieben (eine Pipe?). "
               "Bitte eine fertige Textdatei nehmen.";
    case FileFault::Refused:
        return "Eine Wortliste muss auf derselben Website im Ordner des Spiels liegen (oder darunter).";
    case FileFault::NotFetched: return "Die Datei ließ sich nicht laden (" + file.detail + ").";
    case FileFault::NotText:
        if (file.detail.empty())
            return "Die Website schickt sie nicht als Textdatei.";
        return "Die Website schickt sie nicht als Textdatei, sondern als " + quoted(utf8ToUnicode(file.detail))
               + ".";
    case FileFault::Damaged:
        return "Der Link ist unvollständig oder verändert; bitte den ganzen Link noch einmal kopieren.";
    }
    return {};
}

class Faults {
public:
    // A fault without a line: the file's as a whole.
    void add(std::string fault)
    {
        if (naming())
            named_.push_back(std::move(fault));
        ++count_;
    }
    // A fault of a line; its text is asked for only while the message still
    // names faults.
    template <typename Fault>
    void at(int line, Fault&& fault)
    {
        if (naming())
            named_.push_back("Zeile " + grouped(std::size_t(line)) + ": " + fault());
        ++count_;
    }
    // What explains the faults, said before them.
    void explain(std::string why) { why_ = std::move(why); }
    bool any() const { return count_ > 0; }

    std::vector<std::string> list() const
    {
        std::vector<std::string> all;
        if (!why_.empty())
            all.push_back(why_);
        all.insert(all.end(), named_.begin(), named_.end());
        if (const std::size_t more = count_ - named_.size(); more > 0)
            all.push_back("… und " + grouped(more) + (more == 1 ? " weiterer Fehler." : " weitere Fehler."));
        return all;
    }

private:
    bool naming() const { return named_.size() < std::size_t(maxNamedFaults); }

    std::vector<std::string> named_;
    std::size_t count_ = 0;
    std::string why_;
};

// The faults of the file as a whole, before any line is read.
void fileFaults(const FileBytes& file, Faults& faults)
{
    const std::string_view bytes = file.bytes;
    if (file.fault != FileFault::None)
        faults.add(readFault(file));
    else if (bytes.size() > fileByteLimit)
        faults.add("Die Datei ist größer als 1 MB.");
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        faults.add("Die Datei ist in UTF-16 gespeichert; bitte als UTF-8 speichern.");
    else if (binary(bytes))
        faults.add("Die Datei ist keine Textdatei.");
}

struct Line {
    int number;
    std::u32string word;
    bool otherCodePage;
};

std::vector<Line> wordLines(std::string_view bytes)
{
    std::vector<Line> lines;
    forEachLine(bytes, [&lines](int number, std::string_view raw) {
        const DecodedLine line = decodedLine(raw);
        const std::u32string& text = line.text;
        std::size_t from = 0, to = text.size();
        while (from < to && blank(text[from]))
            ++from;
        while (to > from && blank(text[to - 1]))
            --to;
        if (from < to && text[from] != U'#')
            lines.push_back({number, text.substr(from, to - from), line.otherCodePage});
    });
    return lines;
}

// True if the word is one the game can play.
bool checkWord(const Line& line, Faults& faults)
{
    std::vector<char32_t> wrong;
    for (const char32_t c : line.word)
        if (!revealable(c) && std::find(wrong.begin(), wrong.end(), c) == wrong.end())
            wrong.push_back(c);
    if (!wrong.empty()) {
        faults.at(line.number, [&] {
            std::vector<std::string> names;
            for (const char32_t c : wrong)
                names.push_back(nameOf(c));
            const bool lettersOnly = std::all_of(wrong.begin(), wrong.end(), otherLetter);
            return quoted(line.word) + " enthält " + listed(names)
                   + (lettersOnly ? "; erlaubt sind nur A bis Z, Ä, Ö, Ü und ß." : "; erlaubt sind nur Buchstaben.");
        });
    }
    const bool tooLong = line.word.size() > std::size_t(maxWordLetters);
    if (tooLong) {
        faults.at(line.number, [&] {
            return quoted(line.word) + " ist mit " + grouped(line.word.size())
                   + " Zeichen zu lang; ins Wortfeld passen höchstens " + std::to_string(maxWordLetters) + ".";
        });
    }
    return wrong.empty() && !tooLong;
}

}  // namespace

WordFileCheck checkWordFile(const FileBytes& file)
{
    Faults faults;
    fileFaults(file, faults);
    if (faults.any())
        return {{}, faults.list()};

    const std::vector<Line> lines = wordLines(withoutByteOrderMark(file.bytes));
    if (lines.empty())
        faults.add("Die Datei enthält kein Wort.");
    else if (lines.size() > std::size_t(maxListWords))
        faults.add("Die Datei enthält " + grouped(lines.size()) + " Wörter; eine Wortliste hat höchstens "
                   + grouped(maxListWords) + ".");
    // A word that cannot be played is named for that, not also as a repeat.
    std::map<std::u32string, int> seen;
    bool otherCodePage = false;
    for (const Line& line : lines) {
        if (!checkWord(line, faults)) {
            otherCodePage = otherCodePage || line.otherCodePage;
            continue;
        }
        const auto [first, isNew] = seen.emplace(folded(line.word), line.number);
        if (!isNew)
            faults.at(line.number, [&, first = first] {
                return quoted(line.word) + " steht schon in Zeile " + grouped(std::size_t(first->second)) + ".";
            });
    }
    if (otherCodePage)
        faults.explain("Die Datei ist wohl in einer älteren Kodierung gespeichert (etwa von DOS oder vom Mac), "
                       "die Umlaute anders schreibt; bitte als UTF-8 speichern.");
    if (faults.any())
        return {{}, faults.list()};

    WordFileCheck check;
    for (const Line& line : lines) {
        std::string cp1252;
        for (const char32_t c : line.word)
            cp1252 += static_cast<char>(unicodeToCp1252(c));
        check.words.push_back(Text::fromCp1252(std::move(cp1252)));
    }
    return check;
}

std::vector<Text> readWordFile(const FileBytes& file)
{
    WordFileCheck check = checkWordFile(file);
    if (!check.faults.empty())
        raise(ErrorKind::WordList, wordFileMessage(file.name, check.faults));
    return std::move(check.words);
}

std::string wordFileMessage(const std::string& fileName, const std::vector<std::string>& faults)
{
    std::string message = "Die Wortliste " + quoted(utf8ToUnicode(fileName), 80) + " wird nicht verwendet:";
    for (const std::string& fault : faults)
        message += "\n" + fault;
    return message + "\nDas Spiel geht mit den bisherigen Wörtern weiter.";
}

WordFileText wordFileText(const FileBytes& file)
{
    Faults faults;
    fileFaults(file, faults);
    if (faults.any())
        return {{}, faults.list()};
    WordFileText text;
    forEachLine(withoutByteOrderMark(file.bytes), [&text](int number, std::string_view raw) {
        if (number > 1)
            text.utf8 += '\n';
        text.utf8 += unicodeToUtf8(decodedLine(raw).text);
    });
    return text;
}

}  // namespace galgen
