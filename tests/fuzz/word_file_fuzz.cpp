// SPDX-License-Identifier: GPL-3.0-or-later
// The word-list reader on any bytes: a list or the word-list error, nothing
// else. A refusal names a fault, each with a line of the file; a list holds
// 1 to maxListWords words of 1 to maxWordLetters allowed letters, none twice
// in any case, and its words written one per line read back as the list.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "errors.h"
#include "text.h"
#include "word_file.h"

namespace {

using namespace galgen;

[[noreturn]] void finding(const std::string& what)
{
    std::fprintf(stderr, "word_file_fuzz: %s\n", what.c_str());
    std::abort();
}

// The lines of the file, however its lines end (LF, CRLF or CR alone).
int linesOf(const std::string& bytes)
{
    int lines = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++lines;
    return lines;
}

void checkRefusal(const RuntimeError& error, const std::string& bytes)
{
    if (error.kind() != ErrorKind::WordList)
        finding(std::string("not the word-list error: ") + error.what());
    // The first line names the list, the last says that the game goes on;
    // between them the faults.
    std::vector<std::string> lines;
    std::istringstream message(error.what());
    for (std::string line; std::getline(message, line);)
        lines.push_back(line);
    if (lines.size() < 3)
        finding(std::string("a refusal that names no fault: ") + error.what());
    const int fileLines = linesOf(bytes);
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        if (!lines[i].starts_with("Zeile "))
            continue;
        const int line = std::atoi(lines[i].c_str() + 6);
        if (line < 1 || line > fileLines)
            finding(lines[i] + ": the file has " + std::to_string(fileLines) + " lines");
    }
}

// A word in one case: capitals, umlauts among them, folded to small ones.
std::string folded(const Text& word)
{
    std::string bytes = word.bytes();
    for (char& byte : bytes) {
        const char32_t c = cp1252ToUnicode(static_cast<unsigned char>(byte));
        if ((c >= U'A' && c <= U'Z') || c == U'Ä' || c == U'Ö' || c == U'Ü')
            byte = static_cast<char>(static_cast<unsigned char>(byte) + 32);
    }
    return bytes;
}

void checkList(const std::vector<Text>& words)
{
    if (words.empty() || words.size() > std::size_t(maxListWords))
        finding("a list of " + std::to_string(words.size()) + " words taken");
    std::set<std::string> seen;
    std::string written;
    for (const Text& word : words) {
        const std::string utf8 = word.toUtf8();
        if (word.empty() || word.length() > maxWordLetters)
            finding("a word of " + std::to_string(word.length()) + " letters taken: " + utf8);
        for (const char byte : word.bytes())
            if (allowedLetters.find(cp1252ToUnicode(static_cast<unsigned char>(byte))) == std::u32string_view::npos)
                finding("a word with a letter not allowed taken: " + utf8);
        if (!seen.insert(folded(word)).second)
            finding("a word taken twice: " + utf8);
        written += utf8 + "\n";
    }
    try {
        if (readWordFile({.name = "wieder.txt", .bytes = written}) != words)
            finding("the words written one per line read back as another list");
    } catch (const RuntimeError& e) {
        finding(std::string("the words written one per line are refused: ") + e.what());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<Text> words;
    try {
        words = readWordFile({.name = "liste.txt", .bytes = bytes});
    } catch (const RuntimeError& e) {
        checkRefusal(e, bytes);
        return 0;
    }
    checkList(words);
    return 0;
}
