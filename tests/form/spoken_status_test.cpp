// SPDX-License-Identifier: GPL-3.0-or-later
// The spoken status: what a screen reader tells the player after each
// handler, first from states written out by hand, then from Form1 played on
// an engine that records what it was asked to announce.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "controls.h"
#include "form1.h"
#include "recording_display.h"
#include "scripted_random.h"
#include "spoken_status.h"

namespace galgen {
namespace {

// A round of `word` with `mask` shown after `stage` misses, as the rules
// leave it; a round that has ended has revealedCount equal to wordLength.
GameState round(std::string_view word, std::string_view mask, int stage, bool ended = false)
{
    GameState state;
    state.wordCount = 150;
    state.usedCount = 12;
    state.currentWord = Text::fromUtf8(word);
    state.maskText = Text::fromUtf8(mask);
    state.wordLength = state.maskText.length();
    state.stage = i16(stage);
    int revealed = 0;
    for (const char c : state.maskText.bytes())
        revealed += c != '-';
    state.revealedCount = ended ? state.wordLength : i16(revealed);
    return state;
}

GameState allWordsUsed()
{
    GameState state = round("Teller", "------", 0);
    state.usedCount = 150;
    return state;
}

struct Case {
    const char* what;
    Spoken handler;
    bool roundWasRunning;
    GameState after;
    std::optional<std::string> spoken;
};

TEST(SpokenStatus, SaysWhatThePlayerMustKnow)
{
    const std::vector<Case> cases = {
        {"round start", Spoken::RoundStart, false, round("Staub", "-----", 0), "Neues Wort mit 5 Buchstaben."},
        {"round start over a hidden round", Spoken::RoundStart, true, round("Teller", "------", 0),
         "Neues Wort mit 6 Buchstaben."},
        {"hit", Spoken::Key, true, round("Teller", "-e--e-", 0),
         "Wort: Strich e Strich Strich e Strich. 0 von 8 Fehlern."},
        {"miss", Spoken::Key, true, round("Teller", "-e--e-", 1),
         "Wort: Strich e Strich Strich e Strich. 1 von 8 Fehlern."},
        {"umlaut", Spoken::Key, true, round("Löffel", "-ö----", 7),
         "Wort: Strich ö Strich Strich Strich Strich. 7 von 8 Fehlern."},
        {"loss", Spoken::Key, true, round("Staub", "S-a--", 8, true), "Leider verloren. Das Wort war Staub."},
        {"win", Spoken::Key, true, round("Teller", "Teller", 100, true), "Gewonnen! Das Wort ist Teller."},
        {"exhaustion", Spoken::RoundStart, false, allWordsUsed(), "Alle Worte verbraucht."},
        {"start screen", Spoken::NewGame, true, round("Teller", "-e--e-", 1),
         "Neues Spiel. Ein Klick auf das rote Fragezeichen startet eine Runde."},
        {"key after a loss", Spoken::Key, false, round("Staub", "S-a--", 8, true), std::nullopt},
        {"key after a win", Spoken::Key, false, round("Teller", "Teller", 100, true), std::nullopt},
        {"key before the first round", Spoken::Key, false, GameState{}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(spokenStatus(c.handler, c.roundWasRunning, c.after), c.spoken) << c.what;
}

// An engine without a screen: it keeps the handlers Form1 registers, so a
// test can raise the events, and records every announcement.
class RecordingEngine final : public form::Engine {
public:
    void apply(const DisplayCommand& command) override { display.apply(command); }
    void onLoad(Handler handler) override { load = std::move(handler); }
    void onClick(std::string_view control, Handler handler) override { clicks[std::string(control)] = std::move(handler); }
    void onKeyPress(std::string_view, KeyPressHandler handler) override { keyPress = std::move(handler); }
    void unload() override {}
    void announce(std::string_view utf8) override { spoken.emplace_back(utf8); }

    void key(char c) { keyPress(i16(c)); }

    testing::RecordingDisplay display;
    Handler load;
    std::map<std::string, Handler, std::less<>> clicks;
    KeyPressHandler keyPress;
    std::vector<std::string> spoken;
};

constexpr int rowStaub = 54;

TEST(SpokenStatus, FollowsEachHandlerOfForm1)
{
    RecordingEngine engine;
    testing::ScriptedRandom random;
    Form1 form(engine, random);
    engine.load();
    EXPECT_TRUE(engine.spoken.empty()) << "the screen reader reads the window as it opens";

    random.pushRow(rowStaub);
    engine.clicks[std::string(control::textin)]();
    engine.key('a');
    for (char digit : std::string("12345678"))
        engine.key(digit);
    engine.key('s');   // after the end: nothing to say
    engine.clicks[std::string(control::spielneu)]();

    const std::vector<std::string> expected = {
        "Neues Wort mit 5 Buchstaben.",
        "Wort: Strich Strich a Strich Strich. 0 von 8 Fehlern.",
        "Wort: Strich Strich a Strich Strich. 1 von 8 Fehlern.",
        "Wort: Strich Strich a Strich Strich. 2 von 8 Fehlern.",
        "Wort: Strich Strich a Strich Strich. 3 von 8 Fehlern.",
        "Wort: Strich Strich a Strich Strich. 4 von 8 Fehlern.",
        "Wort: Strich Strich a Strich Strich. 5 von 8 Fehlern.",
        "Wort: Strich Strich a Strich Strich. 6 von 8 Fehlern.",
        "Wort: Strich Strich a Strich Strich. 7 von 8 Fehlern.",
        "Leider verloren. Das Wort war Staub.",
        "Neues Spiel. Ein Klick auf das rote Fragezeichen startet eine Runde.",
    };
    EXPECT_EQ(engine.spoken, expected);
}

// A handler that ends in a run-time error tells the player nothing: what it
// would say could describe a state the rules never reached.
TEST(SpokenStatus, NothingAfterARunTimeError)
{
    RecordingEngine engine;
    testing::ScriptedRandom random;
    Form1 form(engine, random);
    engine.load();
    random.pushRow(rowStaub);
    engine.display.failOn(control::Fragewort, Property::Text);
    EXPECT_ANY_THROW(engine.clicks[std::string(control::textin)]());
    EXPECT_TRUE(engine.spoken.empty());
}

}  // namespace
}  // namespace galgen
