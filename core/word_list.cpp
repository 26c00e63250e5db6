// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in word list and loadWords.
//
// 150 German nouns, each starting with a capital letter; the only non-ASCII
// letters are "ö" and "ü". The source is UTF-8; the words enter the game as
// cp1252 text when the list is loaded. An own list (word_file.h) takes their
// place.
#include <array>
#include <string_view>
#include <vector>

#include "game.h"

namespace galgen {

namespace {

// Row r of the word table holds words[r - 1]. "Rharbarber" is spelt so.
constexpr std::array<std::string_view, 150> words = {
    "Mausefalle", "Obstkorb", "Elefant", "Schornstein", "Papierkorb", "Radfahrer",
    "Postbote", "Kartoffel", "Eierbecher", "Marmelade", "Pantoffel", "Gurke",
    "Tomate", "Ampel", "Apfelsine", "Banane", "Löffel", "Bierglas",
    "Schrank", "Teufel", "Roboter", "Tankstelle", "Laterne", "Lampe",
    "Tablette", "Kugel", "Treppe", "Onkel", "Tante", "Spiegel",
    "Brause", "Messer", "Erbse", "Möhre", "Nudel", "Pflaume",
    "Kirsche", "Apfel", "Birne", "Rharbarber", "Teppich", "Sessel",
    "Engel", "Regen", "Strumpf", "Socke", "Sandale", "Schuh",
    "Stiefel", "Strasse", "Blumenkohl", "Mathematik", "Tischdecke", "Staub",
    "Rose", "Tulpe", "Nelke", "Narzisse", "Margarine", "Mantel",
    "Anzug", "Jacke", "Weste", "Krawatte", "Dach", "Keller",
    "Rasen", "Dieb", "Kaninchen", "Hase", "Ratte", "Maus",
    "Maske", "Stempel", "Stein", "Boden", "Toilette", "Huhn",
    "Hahn", "Wespe", "Topf", "Tasse", "Teller", "Raspel",
    "Reibe", "Hemd", "Hose", "Pullover", "Hut", "Stock",
    "Hagel", "Schnee", "Sturm", "Gabel", "Helm", "Haus",
    "Hafen", "Schiff", "Auto", "Motorrad", "Kiste", "Kasten",
    "Korb", "Regal", "Hand", "Bein", "Steckdose", "Stufe",
    "Stapel", "Lenkrad", "Fahrrad", "Eiche", "Birke", "Tanne",
    "Buche", "Linde", "Bier", "Floh", "Flasche", "Fliege",
    "Biene", "Hummel", "Pflaster", "Riese", "Zwerg", "Eimer",
    "Leuchter", "Lastwagen", "Kanone", "Gewehr", "Geweih", "Wasser",
    "Wanderer", "Kegel", "Kamm", "Bürste", "Seife", "Benzin",
    "Kamel", "Dromedar", "Drossel", "Amsel", "Meise", "Pfeil",
    "Bogen", "Berg", "Band", "Gürtel", "Haken", "Nagel",
};

}  // namespace

std::vector<Text> builtInWords()
{
    std::vector<Text> list;
    for (const std::string_view word : words)
        list.push_back(Text::fromUtf8(word));
    return list;
}

void Game::loadWords()
{
    state.wordCount = static_cast<i16>(words.size());
    for (int row = 1; row <= state.wordCount; ++row) {
        state.wordTable.at(row, 0) = Text::fromUtf8(words[static_cast<std::size_t>(row - 1)]);
        state.wordTable.at(row, 1) = notDrawn;
    }
}

// The rows past the new list are emptied, as they are past the built-in one.
// A list longer than the table raises subscript out of range before any row
// changes.
void Game::loadWords(const std::vector<Text>& list)
{
    const i16 count = toInt16(static_cast<long long>(list.size()));
    if (count > WordTable::upperRow)
        raise(ErrorKind::SubscriptOutOfRange, "Zeile " + std::to_string(count));
    for (int row = 1; row <= WordTable::upperRow; ++row) {
        const bool listed = row <= count;
        state.wordTable.at(row, 0) = listed ? list[std::size_t(row - 1)] : Text();
        state.wordTable.at(row, 1) = listed ? notDrawn : Text();
    }
    state.wordCount = count;
}

}  // namespace galgen
