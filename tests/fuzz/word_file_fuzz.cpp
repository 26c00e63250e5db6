// SPDX-License-Identifier: GPL-3.0-or-later
// The word-list reader on any bytes, as a file brings them.
#include <cstdint>
#include <string>
#include <vector>

#include "word_list_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace galgen;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<Text> words;
    try {
        words = readWordFile({.name = "liste.txt", .bytes = bytes});
    } catch (const RuntimeError& e) {
        fuzz::checkRefusal(e, bytes);
        return 0;
    }
    fuzz::checkList(words);
    return 0;
}
