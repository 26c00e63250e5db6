// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 on the null engine under any sequence of the player's actions, one
// step of the table of form cases per line (tests/cases/README.md), so that
// a finding is a row of the table; but a list's step holds the file's
// bytes, and without a draw the real generator draws, with a fixed seed.
// After every step: no exception has left a handler unreported and none
// but a word list's is reported; the word box shows no letter that no key
// of the round asked for, unless the round is lost or won; and within a
// round the misses never go down.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>

#include "controls.h"
#include "form1.h"
#include "key_log.h"
#include "layout.h"
#include "null_engine.h"
#include "random.h"
#include "scripted_random.h"
#include "table_actions.h"

namespace {

using namespace galgen;
using namespace galgen::testing;
using nlohmann::json;

// The row numbers the input asks for, then the real generator.
class FuzzRandom final : public RandomSource {
public:
    void push(float value) { scripted_.push(value); }
    void reseed() override { fallback_.reseed(); }
    float next() override { return scripted_.remaining() > 0 ? scripted_.next() : fallback_.next(); }

private:
    ScriptedRandom scripted_;
    std::uint64_t tick_ = 0;
    ClockRandom fallback_{20261207, [this] { return ++tick_; }};
};

[[noreturn]] void finding(const std::string& what)
{
    std::fprintf(stderr, "form_fuzz: %s\n", what.c_str());
    std::abort();
}

class Player {
public:
    Player()
    {
        engine.core().setErrorReporter([](const RuntimeError& e) {
            if (e.kind() != ErrorKind::WordList)
                finding(std::string("a run-time error: ") + e.what());
        });
        engine.load();
    }

    void play(const json& step, int depth)
    {
        if (step.contains("draw") && step["draw"].is_number_integer()) {
            // Only a row of the list in play: the generator's values lie in [0, 1).
            const int row = step["draw"].get<int>();
            if (row >= 1 && row <= form1.state().wordCount)
                random.push(ScriptedRandom::forRow(row, form1.state().wordCount));
        } else if (step.contains("list") && step["list"].is_string()) {
            engine.core().dropFile({.name = "liste.txt", .bytes = step["list"].get<std::string>()});
        } else if (step.contains("early") && step["early"].is_array() && depth < 2) {
            for (const json& inner : step["early"])
                play(inner, depth + 1);
            return;
        } else if (step.contains("repeat") && step["repeat"].is_number_integer() && depth < 2) {
            for (int n = std::min(step["repeat"].get<int>(), 200); n > 0; --n)
                for (const json& inner : step.value("steps", json::array()))
                    play(inner, depth + 1);
            return;
        } else if (!playAction(engine, step)) {
            return;
        }
        check();
    }

private:
    void check()
    {
        const GameState& s = form1.state();
        // A round starts when one more word of the list is drawn.
        int drawnRows = 0;
        for (int row = 1; row <= s.wordCount; ++row)
            drawnRows += s.wordTable.at(row, 1) == drawn;
        for (const int code : keys.take())
            asked_.insert(code);
        if (drawnRows > drawnRows_) {
            asked_.clear();
            stage_ = 0;
        }
        drawnRows_ = drawnRows;
        if (s.stage < stage_)
            finding("the misses went down from " + std::to_string(stage_) + " to " + std::to_string(s.stage));
        stage_ = s.stage;

        // The word box holds the mask or the word of the round (or another
        // message, of another length).
        if (!s.currentWord || s.stage == missesToLose || s.stage == stageWon)
            return;
        const Text shown = Text::fromUtf8(engine.text(control::Fragewort));
        const Text& word = *s.currentWord;
        if (shown.length() != word.length())
            return;
        for (int k = 1; k <= word.length(); ++k) {
            const Text letter = shown.charAt(k);
            if (letter == hiddenLetter)
                continue;
            const bool asked = asked_.contains(s.letterTable.at(k, 0)) || asked_.contains(s.letterTable.at(k, 1));
            if (!(letter == word.charAt(k)) || !asked)
                finding("the word box shows \"" + shown.toUtf8() + "\" of \"" + word.toUtf8() + "\" after the keys asked");
        }
    }

    NullEngine engine{form1Layout()};
    FuzzRandom random;
    KeyLoggingEngine keys{engine.core()};
    Form1 form1{keys, random};
    std::set<int> asked_;
    int drawnRows_ = 0;
    int stage_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Player player;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start < input.size();) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const json step = json::parse(input.substr(start, end - start), nullptr, false);
        start = end + 1;
        if (!step.is_object())
            continue;
        try {
            player.play(step, 0);
        } catch (const json::exception&) {
            // a step whose values are of the wrong kind
        } catch (const std::invalid_argument&) {
            // a control or a modifier the form does not know
        }
    }
    return 0;
}
