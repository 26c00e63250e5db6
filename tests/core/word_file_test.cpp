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

// The whole message for these faults of "liste.txt".
std::string message(const std::vector<std::string>& faults)
{
    std::string text = "Die Wortliste „liste.txt“ wird nicht verwendet:";
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

std::vector<std::string> everySign()
{
    std::vector<std::string> faults;
    for (char c = 'a'; c < 'a' + 25; ++c)
        faults.push_back("Zeile " + std::to_string(c - 'a' + 1) + ": „" + c
                         + "-“ enthält „-“; erlaubt sind nur Buchstaben.");
    return faults;
}

struct Row {
    const char* what;
    std::string bytes;
    std::vector<std::string> words;    // in UTF-8; none where the file has faults
    std::vector<std::string> faults;
    FileFault fault = FileFault::None;
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
        {"a space, a digit and an invisible character", "Baden Würt 2\u00AD\n",
         {},
         {"Zeile 1: „Baden Würt 2\u00AD“ enthält ein Leerzeichen, „2“ und das unsichtbare Zeichen U+00AD; "
          "erlaubt sind nur Buchstaben."}},
        {"a long word, quoted shortened", std::string(60, 'a'),
         {},
         {"Zeile 1: „" + std::string(40, 'a') + "…“ ist mit 60 Zeichen zu lang; ins Wortfeld passen höchstens "
          + std::to_string(maxWordLetters) + "."}},
        {"many faults, each named", signs(), {}, everySign()},
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
        {"a word twice, its Ö and Ü in the other case", "Übel\nÖl\nüBEL\nöL\n",
         {},
         {"Zeile 3: „üBEL“ steht schon in Zeile 1.", "Zeile 4: „öL“ steht schon in Zeile 2."}},
        {"no word", "# nur ein Kommentar\n\n   \n", {}, {"Die Datei enthält kein Wort."}},
        {"an empty file", "", {}, {"Die Datei enthält kein Wort."}},
        {"1000 words", lines(numbered(1000)), numbered(1000), {}},
        {"1001 words", lines(numbered(1001)),
         {},
         {"Die Datei enthält 1001 Wörter; eine Wortliste hat höchstens 1000."}},
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
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const FileBytes file{"liste.txt", row.bytes, row.fault, "Fehler 5"};
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
        EXPECT_EQ(std::string(error->what()), message(row.faults));
    }
}

}  // namespace
}  // namespace galgen::testing
