// SPDX-License-Identifier: GPL-3.0-or-later
// Word list files: one table of files and what becomes of each, its words or
// the one German message that names its faults.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "error_of.h"
#include "word_file.h"

namespace galgen::testing {
namespace {

// The whole message for these faults of a file of that name.
std::string message(const std::string& name, const std::vector<std::string>& faults)
{
    std::string text = "Die Wortliste „" + name + "“ wird nicht verwendet:";
    for (const std::string& fault : faults)
        text += "\n" + fault;
    return text + "\nDas Spiel geht mit den bisherigen Wörtern weiter.";
}

// `count` different words: W, then the number in letters.
std::vector<std::string> numbered(int count)
{
    std::vector<std::string> words;
    for (int i = 0; i < count; ++i)
        words.push_back({'W', char('a' + i / 26 / 26), char('a' + i / 26 % 26), char('a' + i % 26)});
    return words;
}

std::string lines(const std::vector<std::string>& words)
{
    std::string file;
    for (const std::string& word : words)
        file += word + "\n";
    return file;
}

// A list of 25 signs, each a fault of its own line.
std::string signs()
{
    std::string list;
    for (char c = 'a'; c < 'a' + 25; ++c)
        list += std::string{c, '-', '\n'};
    return list;
}

// The faults of the first twenty signs, and the count of the rest.
std::vector<std::string> twentySigns()
{
    std::vector<std::string> faults;
    for (char c = 'a'; c < 'a' + maxNamedFaults; ++c)
        faults.push_back("Zeile " + std::to_string(c - 'a' + 1) + ": „" + c
                         + "-“ enthält „-“; erlaubt sind nur Buchstaben.");
    faults.push_back("… und 5 weitere Fehler.");
    return faults;
}

// 1 MB of lines that each hold a digit: too many words, each a fault.
std::vector<std::string> everyLineADigit()
{
    std::vector<std::string> faults = {"Die Datei enthält 524.288 Wörter; eine Wortliste hat höchstens 1.000."};
    for (int line = 1; line < maxNamedFaults; ++line)
        faults.push_back("Zeile " + std::to_string(line) + ": „1“ enthält „1“; erlaubt sind nur Buchstaben.");
    faults.push_back("… und 524.269 weitere Fehler.");
    return faults;
}

const std::string olderCodePage = "Die Datei ist wohl in einer älteren Kodierung gespeichert (etwa von DOS oder vom "
                                  "Mac), die Umlaute anders schreibt; bitte als UTF-8 speichern.";

struct Row {
    const char* what;
    std::string bytes;
    std::vector<std::string> words;    // in UTF-8; none where the file has faults
    std::vector<std::string> faults;
    FileFault fault = FileFault::None;
    std::string detail = "Fehler 5";
    std::string name = "liste.txt";
};

TEST(WordFile, ReadsAGoodListAndNamesEveryFaultOfABadOne)
{
    const std::string longest(maxWordLetters, 'W');
    const std::vector<Row> rows = {
        {"UTF-8, comments, blank lines, spaces around words", "# Tiere\n\n  Bär \t\nFuß\n\tIgel\n  # eingerückt\n",
         {"Bär", "Fuß", "Igel"}, {}},
        {"UTF-8 with a byte order mark, CRLF, no last line end", "\xEF\xBB\xBF\xC3\x84pfel\r\n\xC3\x96l",
         {"Äpfel", "Öl"}, {}},
        {"cp1252, where the bytes are not UTF-8", "M\xF6we\r\nSTRAU\xDF\r\n\xC4hre\n", {"Möwe", "STRAUß", "Ähre"}, {}},
        {"the longest word", longest + "\n", {longest}, {}},
        {"one word", "x", {"x"}, {}},
        {"a word too long", longest + "W\n",
         {},
         {"Zeile 1: „" + longest + "W“ ist mit " + std::to_string(maxWordLetters + 1)
          + " Zeichen zu lang; ins Wortfeld passen höchstens " + std::to_string(maxWordLetters) + "."}},
        {"a sign", "Apfel\nBaden-Württemberg\n",
         {},
         {"Zeile 2: „Baden-Württemberg“ enthält „-“; erlaubt sind nur Buchstaben."}},
        {"a space, a digit and an invisible character, shown by its code", "Baden Würt 2\u00AD\n",
         {},
         {"Zeile 1: „Baden Würt 2[U+00AD]“ enthält ein Leerzeichen, „2“ und das unsichtbare Zeichen U+00AD; "
          "erlaubt sind nur Buchstaben."}},
        {"a direction override and a C1 control, shown by their code", "Ab\u202Ec\nx\u0085y\n",
         {},
         {"Zeile 1: „Ab[U+202E]c“ enthält das unsichtbare Zeichen U+202E; erlaubt sind nur Buchstaben.",
          "Zeile 2: „x[U+0085]y“ enthält das unsichtbare Zeichen U+0085; erlaubt sind nur Buchstaben."}},
        {"old Mac line ends: CR alone", "B\xC3\xA4r\rHund\r", {"Bär", "Hund"}, {}},
        {"a letter and a combining mark are the one letter", "Ba\u0308r\nMo\u0308we\nU\u0308bel\n",
         {"Bär", "Möwe", "Übel"}, {}},
        {"a combining mark that makes no letter of Latin-1", "x\u0308\n",
         {},
         {"Zeile 1: „x[U+0308]“ enthält das Zusatzzeichen U+0308; erlaubt sind nur Buchstaben."}},
        {"an accent composed is named as the letter", "Cafe\u0301\n",
         {},
         {"Zeile 1: „Café“ enthält „é“; erlaubt sind nur A bis Z, Ä, Ö, Ü und ß."}},
        {"one cp1252 line in a UTF-8 file", "K\xC3\xA4" "fer\nB\xE4r\nM\xC3\xB6we\n", {"Käfer", "Bär", "Möwe"}, {}},
        {"DOS's code page 850", "B\x84r\nM\x94we\n",
         {},
         {olderCodePage, "Zeile 1: „B„r“ enthält „„“; erlaubt sind nur Buchstaben.",
          "Zeile 2: „M”we“ enthält „”“; erlaubt sind nur Buchstaben."}},
        {"Mac Roman", "B\x8Ar\n", {}, {olderCodePage, "Zeile 1: „BŠr“ enthält „Š“; erlaubt sind nur A bis Z, Ä, Ö, Ü und ß."}},
        {"a long word, quoted shortened", std::string(60, 'a'),
         {},
         {"Zeile 1: „" + std::string(40, 'a') + "…“ ist mit 60 Zeichen zu lang; ins Wortfeld passen höchstens "
          + std::to_string(maxWordLetters) + "."}},
        {"many faults: the first named, the rest counted", signs(), {}, twentySigns()},
        {"1 MB of lines that each hold a digit", lines(std::vector<std::string>(fileByteLimit / 2, "1")), {},
         everyLineADigit()},
        {"a sign in a word too long", "Baden-" + longest + "\n",
         {},
         {"Zeile 1: „Baden-" + longest + "“ enthält „-“; erlaubt sind nur Buchstaben.",
          "Zeile 1: „Baden-" + longest + "“ ist mit " + std::to_string(maxWordLetters + 6)
              + " Zeichen zu lang; ins Wortfeld passen höchstens " + std::to_string(maxWordLetters) + "."}},
        {"letters the game has no key for", "Café\nÆrø\n",
         {},
         {"Zeile 1: „Café“ enthält „é“; erlaubt sind nur A bis Z, Ä, Ö, Ü und ß.",
          "Zeile 2: „Ærø“ enthält „Æ“ und „ø“; erlaubt sind nur A bis Z, Ä, Ö, Ü und ß."}},
        {"a word twice, in any case", "Apfel\nÄhre\n\nAPFEL\nähre\n",
         {},
         {"Zeile 4: „APFEL“ steht schon in Zeile 1.", "Zeile 5: „ähre“ steht schon in Zeile 2."}},
        {"a word that cannot be played is not named twice", "Ba-d\nBa-d\n",
         {},
         {"Zeile 1: „Ba-d“ enthält „-“; erlaubt sind nur Buchstaben.",
          "Zeile 2: „Ba-d“ enthält „-“; erlaubt sind nur Buchstaben."}},
        {"a word twice, its Ö and Ü in the other case", "Übel\nÖl\nüBEL\nöL\n",
         {},
         {"Zeile 3: „üBEL“ steht schon in Zeile 1.", "Zeile 4: „öL“ steht schon in Zeile 2."}},
        {"no word", "# nur ein Kommentar\n\n   \n", {}, {"Die Datei enthält kein Wort."}},
        {"an empty file", "", {}, {"Die Datei enthält kein Wort."}},
        {"1000 words", lines(numbered(1000)), numbered(1000), {}},
        {"1001 words", lines(numbered(1001)),
         {},
         {"Die Datei enthält 1.001 Wörter; eine Wortliste hat höchstens 1.000."}},
        {"1 MB", "Wal\n#" + std::string(fileByteLimit - 5, 'x'), {"Wal"}, {}},
        {"more than 1 MB", "Wal\n#" + std::string(fileByteLimit - 4, 'x'), {}, {"Die Datei ist größer als 1 MB."}},
        {"a binary file", std::string("Wal\0\x01\x02", 6), {}, {"Die Datei ist keine Textdatei."}},
        {"UTF-16", std::string("\xFF\xFEW\0a\0l\0", 8),
         {},
         {"Die Datei ist in UTF-16 gespeichert; bitte als UTF-8 speichern."}},
        {"a missing file", "", {}, {"Die Datei gibt es nicht."}, FileFault::Missing},
        {"a folder", "", {}, {"Das ist ein Ordner, keine Datei."}, FileFault::Folder},
        {"no permission", "", {}, {"Die Datei darf nicht gelesen werden: keine Berechtigung."},
         FileFault::NoPermission},
        {"a read that failed", "", {}, {"Die Datei lässt sich nicht lesen (Fehler 5)."}, FileFault::Unreadable},
        {"another site's address", "", {},
         {"Eine Wortliste muss auf derselben Website im Ordner des Spiels liegen (oder darunter)."}, FileFault::Refused},
        {"a failed fetch", "", {}, {"Die Datei ließ sich nicht laden (Fehler 5)."}, FileFault::NotFetched},
        {"a pipe that does not end", "", {},
         {"Die Datei kommt nicht zu Ende: Sie wird wohl noch geschrieben (eine Pipe?). Bitte eine fertige Textdatei "
          "nehmen."},
         FileFault::Stalled},
        {"a page instead of a text file", "", {},
         {"Die Website schickt sie nicht als Textdatei, sondern als „text/html“."}, FileFault::NotText, "text/html"},
        {"a file sent with no type", "", {}, {"Die Website schickt sie nicht als Textdatei."}, FileFault::NotText, ""},
        {"a damaged link", "", {},
         {"Der Link ist unvollständig oder verändert; bitte den ganzen Link noch einmal kopieren."},
         FileFault::Damaged},
        {"a name with a line end and a direction override", "", {}, {"Die Datei gibt es nicht."}, FileFault::Missing,
         "", "a\nb\u202E.txt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const FileBytes file{row.name, row.bytes, row.fault, row.detail};
        if (row.faults.empty()) {
            std::vector<std::string> read;
            for (const Text& word : readWordFile(file))
                read.push_back(word.toUtf8());
            EXPECT_EQ(read, row.words);
            continue;
        }
        const std::optional<RuntimeError> error = raisedBy([&] { readWordFile(file); });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->kind(), ErrorKind::WordList);
        const std::string shownName = row.name == "liste.txt" ? row.name : "a[U+000A]b[U+202E].txt";
        EXPECT_EQ(std::string(error->what()), message(shownName, row.faults));
    }
}

// A list file as text to edit: read as the list reader reads it.
TEST(WordFile, GivesAFileAsTextToEdit)
{
    const struct {
        const char* what;
        std::string bytes;
        std::string text;
        std::vector<std::string> faults;
    } rows[] = {
        {"UTF-8 with a byte order mark, CRLF", "\xEF\xBB\xBF# Tiere\r\nB\xC3\xA4r\r\n", "# Tiere\nBär\n", {}},
        {"cp1252 and CR alone", "M\xF6we\rIgel", "Möwe\nIgel", {}},
        {"a combining mark", "Ba\u0308r", "Bär", {}},
        {"no text file", std::string("\0\1", 2), "", {"Die Datei ist keine Textdatei."}},
        {"more than 1 MB", std::string(fileByteLimit + 1, 'a'), "", {"Die Datei ist größer als 1 MB."}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const WordFileText text = wordFileText({"liste.txt", row.bytes});
        EXPECT_EQ(text.utf8, row.text);
        EXPECT_EQ(text.faults, row.faults);
    }
}

}  // namespace
}  // namespace galgen::testing
