// SPDX-License-Identifier: GPL-3.0-or-later
// The decoder of a link's words on any code, and on any packed bytes behind
// a true seal (the first byte chooses which): a damaged link gives no
// bytes; whatever it decodes is a list or the word-list error, as a file's
// words are; a list's own link carries it back whole; and no two codes
// carry the same words.
#include <cstdint>
#include <string>
#include <vector>

#include "word_link.h"
#include "word_list_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace galgen;
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string code = data[0] & 1 ? sealedWordLinkCode(rest) : std::string(rest);
    const FileBytes file = wordLinkFile(code);
    if (file.fault == FileFault::Damaged) {
        if (!file.bytes.empty())
            fuzz::finding("a damaged link that gives bytes");
        return 0;
    }
    std::vector<Text> words;
    try {
        words = readWordFile(file);
    } catch (const RuntimeError& e) {
        fuzz::checkRefusal(e, file.bytes);
        return 0;
    }
    fuzz::checkList(words);
    if (readWordFile(wordLinkFile(wordLinkCode(words))) != words)
        fuzz::finding("a list's own link carries another list");
    std::string written;
    for (const Text& word : words)
        written += (written.empty() ? "" : "\n") + word.toUtf8();
    if (file.bytes == written && wordLinkCode(words) != code)
        fuzz::finding("a second code for the words of " + wordLinkCode(words) + ": " + code);
    return 0;
}
