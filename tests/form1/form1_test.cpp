// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 with all its wiring on the null engine, without any toolkit: each
// case plays from a freshly loaded form and checks what the player would see
// and hear. The engines' own tests and the shared table of cases show that
// each toolkit delivers its clicks and keys as the null engine does here.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls.h"
#include "form1.h"
#include "layout.h"
#include "null_engine.h"
#include "scripted_random.h"

namespace galgen::testing {
namespace {

constexpr int elefant = 3, loeffel = 17, hut = 89;

const std::string startHeadline = "Worteraten mit dem Galgenmännchen";
const std::string startInstruction =
    "Starte das Spiel, indem du auf das rote Fragezeichen unter diesem Satz klickst !";
const std::string roundHeadline = "Errate das geheime Wort oder es wird dir schlecht ergehen !!";
const std::string roundInstruction =
    "Es wurde ein geheimes Wort ermittelt, das du raten musst! Drücke die Tasten der Buchstaben, von denen du "
    "meinst, dass sie im Wort vorkommen! Aber hüte dich vor falschen Buchstaben, der Galgen wartet schon!";
const std::string startStatus = "Neues Spiel. Ein Klick auf das rote Fragezeichen oder F2 startet eine Runde.";

struct Player {
    NullEngine engine{form1Layout()};
    ScriptedRandom random;
    Form1 form1{engine.core(), random};

    Player() { engine.load(); }
    void startRound(int row)
    {
        random.pushRow(row);
        engine.click(control::textin);
    }
    void button(std::string_view name) { engine.click(name); }
};

// What the player sees and hears after a case.
struct Screen {
    std::string label1 = startHeadline;
    std::string label2 = startInstruction;
    std::optional<std::string> word{};   // Fragewort's text while it shows
    std::vector<std::string> parts{};    // the gallows parts shown
    std::string focus = "ende";
    std::optional<std::string> spoken{};   // the last status; none if nothing was said
};

std::vector<std::string> parts(std::initializer_list<int> numbers)
{
    std::vector<std::string> names;
    for (int n : numbers)
        names.push_back("teil" + std::to_string(n));
    return names;
}

Screen round(std::string word, std::vector<std::string> shown, std::optional<std::string> spoken)
{
    return {roundHeadline, roundInstruction, std::move(word), std::move(shown), "textin", std::move(spoken)};
}

Screen seen(const Player& p)
{
    const NullEngine& e = p.engine;
    const std::vector<std::string_view> gallows(control::gallows.begin(), control::gallows.end());
    return {e.text(control::Label1), e.text(control::Label2),
            e.shown(control::Fragewort) ? std::optional(e.text(control::Fragewort)) : std::nullopt,
            e.shownOf(gallows), e.focus(),
            e.spoken.empty() ? std::nullopt : std::optional(e.spoken.back())};
}

void expectScreen(const Screen& want, const Screen& got, const char* what)
{
    EXPECT_EQ(got.label1, want.label1) << what;
    EXPECT_EQ(got.label2, want.label2) << what;
    EXPECT_EQ(got.word, want.word) << what;
    EXPECT_EQ(got.parts, want.parts) << what;
    EXPECT_EQ(got.focus, want.focus) << what;
    EXPECT_EQ(got.spoken, want.spoken) << what;
}

struct Case {
    const char* what;
    std::function<void(Player&)> play;
    Screen screen;
};

void run(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        Player p;
        c.play(p);
        expectScreen(c.screen, seen(p), c.what);
        EXPECT_EQ(p.engine.errors, std::vector<std::string>{}) << c.what;
        EXPECT_EQ(p.random.remaining(), 0U) << c.what;
    }
}

TEST(Form1, Screens)
{
    run({
        {"the start screen", [](Player&) {}, {}},
        {"a round starts", [](Player& p) { p.startRound(elefant); },
         round("-------", {}, "Neues Wort mit 7 Buchstaben.")},
        {"every miss one more part",
         [](Player& p) {
             p.startRound(elefant);
             p.engine.type("xq7");
         },
         round("-------", parts({1, 2, 3}), "Wort: Strich Strich Strich Strich Strich Strich Strich. 3 von 8 Fehlern.")},
        {"the eighth miss loses", [](Player& p) {
             p.startRound(hut);
             p.engine.type("12345678");
         },
         round("Hut", parts({1, 2, 3, 5, 6, 7, 8, 9, 10}), "Leider verloren. Das Wort war Hut.")},
        {"the last letter wins, the capital reveals the small letter",
         [](Player& p) {
             p.startRound(loeffel);
             p.engine.type("xÖüFlE");
         },
         round("Löffel", parts({11, 12}), "Gewonnen! Das Wort ist Löffel.")},
        {"\"Neues Spiel\" after a loss",
         [](Player& p) {
             p.startRound(hut);
             p.engine.type("12345678");
             p.button(control::spielneu);
         },
         {.focus = "spielneu", .spoken = startStatus}},
        {"all words used: the message covers the \"?\"",
         [](Player& p) {
             for (int row = 1; row <= 150; ++row) {
                 p.startRound(row);
                 p.button(control::spielneu);
             }
             p.engine.click(control::textin);
         },
         {.word = "Alle Worte verbraucht !!!", .focus = "textin", .spoken = "Alle Worte verbraucht."}},
        {"\"Ende\"", [](Player& p) { p.button(control::ende); }, {}},
    });
}

TEST(Form1, Keys)
{
    run({
        {"hits show the word's own letters in either case", [](Player& p) {
             p.startRound(elefant);
             p.engine.type("eL");
         },
         round("Ele----", {}, "Wort: E l e Strich Strich Strich Strich. 0 von 8 Fehlern.")},
        {"Backspace, Enter, Escape and Control+A are misses", [](Player& p) {
             p.startRound(elefant);
             for (std::string_view key : {"Backspace", "Enter", "Escape"})
                 p.engine.press({.name = key});
             p.engine.press({.text = U"a", .modifiers = form::Control});
         },
         round("-------", parts({1, 2, 3, 4}), "Wort: Strich Strich Strich Strich Strich Strich Strich. 4 von 8 Fehlern.")},
        {"keys without a character are no guess", [](Player& p) {
             p.startRound(elefant);
             for (std::string_view key : {"Tab", "Delete", "ArrowLeft", "Shift", "F1", "F2"})
                 p.engine.press({.name = key});
             p.engine.press({.text = U"x", .modifiers = form::Alt});
         },
         round("-------", {}, "Neues Wort mit 7 Buchstaben.")},
        {"a character cp1252 lacks is the miss \"?\"", [](Player& p) {
             p.startRound(elefant);
             p.engine.type("ł");
         },
         round("-------", parts({1}), "Wort: Strich Strich Strich Strich Strich Strich Strich. 1 von 8 Fehlern.")},
        {"text from an input event alone counts once", [](Player& p) {
             p.startRound(elefant);
             p.engine.input("insertText", "nt");
         },
         round("-----nt", {}, "Wort: Strich Strich Strich Strich Strich n t. 0 von 8 Fehlern.")},
        {"keys before the first round are ignored", [](Player& p) {
             p.engine.focusOn(control::textin);
             p.engine.type("ex");
         },
         {.focus = "textin"}},
        {"keys after a win are ignored", [](Player& p) {
             p.startRound(hut);
             p.engine.type("hutxyz");
         },
         round("Hut", parts({11, 12}), "Gewonnen! Das Wort ist Hut.")},
    });
}

TEST(Form1, HiddenRoundGoesOnBehindTheStartScreen)
{
    run({
        {"a miss shows on the start screen, a hit only in the hidden word box", [](Player& p) {
             p.startRound(elefant);
             p.engine.type("ex");
             p.button(control::spielneu);
             p.engine.focusOn(control::textin);
             p.engine.type("qL");
         },
         {.parts = parts({2}), .focus = "textin",
          .spoken = "Wort: E l e Strich Strich Strich Strich. 2 von 8 Fehlern."}},
        {"its loss shows the loss pictures with the word box hidden", [](Player& p) {
             p.startRound(hut);
             p.button(control::spielneu);
             p.engine.focusOn(control::textin);
             p.engine.type("12345678");
         },
         {.parts = parts({1, 2, 3, 5, 6, 7, 8, 9, 10}), .focus = "textin",
          .spoken = "Leider verloren. Das Wort war Hut."}},
        {"a new round starts over it, on the parts it left", [](Player& p) {
             p.startRound(elefant);
             p.button(control::spielneu);
             p.engine.focusOn(control::textin);
             p.engine.type("q");
             p.startRound(hut);
             p.engine.type("z");
         },
         round("---", parts({1}), "Wort: Strich Strich Strich. 1 von 8 Fehlern.")},
    });
    // The hidden word box keeps the hidden round's mask.
    Player p;
    p.startRound(elefant);
    p.button(control::spielneu);
    p.engine.focusOn(control::textin);
    p.engine.type("ta");
    EXPECT_EQ(p.engine.text(control::Fragewort), "----a-t");
    EXPECT_EQ(p.form1.state().stage, 0);
}

// F2 is a click on the "?" wherever the focus is, and only where a click
// could reach the "?": never while the word box covers it.
TEST(Form1, F2DoesWhatAClickOnTheQuestionMarkDoes)
{
    auto f2 = [](Player& p) { EXPECT_TRUE(p.engine.shortcut("F2")); };
    run({
        {"on the start screen it starts a round and takes the focus to the \"?\"", [&](Player& p) {
             p.random.pushRow(hut);
             f2(p);
         },
         round("---", {}, "Neues Wort mit 3 Buchstaben.")},
        {"during a round it does nothing", [&](Player& p) {
             p.startRound(hut);
             p.engine.type("x");
             f2(p);
         },
         round("---", parts({1}), "Wort: Strich Strich Strich. 1 von 8 Fehlern.")},
        {"after a loss it does nothing", [&](Player& p) {
             p.startRound(hut);
             p.engine.type("12345678");
             f2(p);
         },
         round("Hut", parts({1, 2, 3, 5, 6, 7, 8, 9, 10}), "Leider verloren. Das Wort war Hut.")},
        {"after \"Neues Spiel\" it starts the next round", [&](Player& p) {
             p.startRound(hut);
             p.button(control::spielneu);
             p.random.pushRow(elefant);
             f2(p);
         },
         round("-------", {}, "Neues Wort mit 7 Buchstaben.")},
    });
}

TEST(Form1, ARunTimeErrorEndsItsHandlerAndTheGameGoesOn)
{
    Player p;
    p.random.push(1000.0f);   // 150 * 1000 does not fit 16 bits
    p.engine.click(control::textin);
    ASSERT_EQ(p.engine.errors.size(), 1U);
    EXPECT_EQ(p.engine.errors[0].rfind("Laufzeitfehler: Überlauf", 0), 0U);
    // What the round start did before the error stays; a handler that ended
    // in an error tells a screen reader nothing.
    const Screen broken = seen(p);
    EXPECT_EQ(broken.label1, roundHeadline);
    EXPECT_EQ(broken.word, "");
    EXPECT_EQ(broken.spoken, std::nullopt);

    p.button(control::spielneu);
    p.startRound(hut);
    expectScreen(round("---", {}, "Neues Wort mit 3 Buchstaben."), seen(p), "after the error");
    EXPECT_EQ(p.engine.errors.size(), 1U);
}

// The game state behind the screens: the words are loaded after the start
// screen, a round marks its word used, and the start screen counts them.
TEST(Form1, StateBehindTheScreens)
{
    Player p;
    EXPECT_EQ(p.form1.state().wordCount, 150);
    EXPECT_EQ(p.form1.state().usedCount, 0);
    p.engine.focusOn(control::textin);
    p.engine.type("ex");
    EXPECT_EQ(p.form1.state().stage, 0);
    for (int row = 1; row <= 150; ++row) {
        p.startRound(row);
        p.button(control::spielneu);
        EXPECT_EQ(p.form1.state().usedCount, row);
    }
}

TEST(Form1, EndeUnloadsTheForm)
{
    Player p;
    p.startRound(hut);
    EXPECT_FALSE(p.engine.unloaded);
    p.button(control::ende);
    EXPECT_TRUE(p.engine.unloaded);
    p.engine.type("h");
    EXPECT_EQ(p.engine.text(control::Fragewort), "---");
}

}  // namespace
}  // namespace galgen::testing
