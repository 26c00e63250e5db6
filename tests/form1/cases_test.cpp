// SPDX-License-Identifier: GPL-3.0-or-later
// The shared table of cases (tests/cases/form_cases.json) on the null
// engine: Form1 with all its wiring and no toolkit, each case from a freshly
// loaded form. It is the first and quickest of the table's drivers; the Qt
// window and the browsers then show that each toolkit does the same.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "form1.h"
#include "key_log.h"
#include "layout.h"
#include "null_engine.h"
#include "table_actions.h"
#include "scripted_random.h"

namespace galgen::testing {
namespace {

using nlohmann::json;

const json& table()
{
    static const json all = [] {
        std::ifstream file(std::getenv("GALGEN_CASES") ? std::getenv("GALGEN_CASES") : GALGEN_CASES);
        if (!file)
            throw std::runtime_error("cannot read " GALGEN_CASES);
        return json::parse(file);
    }();
    return all;
}

class Player {
public:
    Player() { engine.load(); }

    void play(const json& steps, int iteration = 0)
    {
        for (const json& step : steps) {
            SCOPED_TRACE(step.dump());
            if (step.contains("repeat")) {
                for (int n = 1; n <= step["repeat"].get<int>(); ++n)
                    play(step["steps"], n);
            } else {
                do_(step, iteration);
            }
            if (::testing::Test::HasFailure())
                return;
        }
    }

    void finish()
    {
        EXPECT_EQ(engine.errors, std::vector<std::string>{}) << "run-time errors no step expected";
        EXPECT_EQ(random.remaining(), 0U) << "draws the game never made";
    }

private:
    void do_(const json& s, int iteration)
    {
        if (s.contains("draw"))
            random.pushRow(s["draw"].is_string() ? iteration : s["draw"].get<int>(), form1.state().wordCount);
        else if (s.contains("random"))
            random.push(s["random"].get<float>());
        else if (playAction(engine, s))
            return;
        else if (s.contains("early"))
            play(s["early"], iteration);   // ready from the start: early is like any other moment
        else if (s.contains("list"))
            dropProjectFile(engine, GALGEN_SOURCE_DIR, s["list"].get<std::string>());
        else if (s.contains("choose"))
            EXPECT_TRUE(engine.answerFile(s["choose"].get<std::string>().empty()
                                              ? std::nullopt
                                              : std::optional(projectFile(GALGEN_SOURCE_DIR, s["choose"].get<std::string>()))))
                << "no dialog for opening a file shows";
        else if (s.contains("expect"))
            expect(s["expect"]);
        else
            ADD_FAILURE() << "a step of a kind the driver does not know";
    }

    void expect(const json& want)
    {
        for (const auto& [what, value] : want.items()) {
            if (what == "codes") {
                EXPECT_EQ(keys.take(), value.get<std::vector<int>>()) << "the key codes";
            } else if (what == "focus") {
                EXPECT_EQ(engine.focus(), value.get<std::string>()) << "the focus";
            } else if (what == "shown") {
                const auto watch = table()["watch"].get<std::vector<std::string>>();
                EXPECT_EQ(engine.shownOf({watch.begin(), watch.end()}), value.get<std::vector<std::string>>())
                    << "the controls shown";
            } else if (what == "texts") {
                for (const auto& [control, text] : value.items())
                    EXPECT_EQ(engine.text(control), text.get<std::string>()) << "the text of " << control;
            } else if (what == "spoken") {
                EXPECT_EQ(engine.spoken.empty() ? "" : engine.spoken.back(), value.get<std::string>())
                    << "the spoken status";
            } else if (what == "error") {
                ASSERT_EQ(engine.errors.size(), 1U) << "one run-time error shows";
                EXPECT_EQ(engine.errors[0].rfind(value.get<std::string>(), 0), 0U) << engine.errors[0];
                engine.errors.clear();
            } else if (what == "ended") {
                EXPECT_EQ(engine.unloaded, value.get<bool>()) << "the game has ended";
            } else {
                ADD_FAILURE() << "an expectation the driver does not know: " << what;
            }
        }
        if (!want.contains("error")) {
            EXPECT_EQ(engine.errors, std::vector<std::string>{}) << "no run-time error shows";
        }
    }

    NullEngine engine{form1Layout()};
    ScriptedRandom random;
    KeyLoggingEngine keys{engine.core()};
    Form1 form1{keys, random};
};

class FormCases : public ::testing::TestWithParam<std::size_t> {};

TEST_P(FormCases, PlayOnTheNullEngine)
{
    const json& c = table()["cases"][GetParam()];
    SCOPED_TRACE(c["name"].get<std::string>());
    Player player;
    player.play(c["steps"]);
    if (!HasFailure())
        player.finish();
}

// Each case is named by its number in the table and its own name.
std::string caseName(const ::testing::TestParamInfo<std::size_t>& info)
{
    // Appended, not "c" + std::to_string(...): GCC 12 at -O3 warns
    // wrongly (-Wrestrict) about a literal put before a temporary string.
    std::string name = "c";
    name += std::to_string(info.param + 1) + "_";
    for (const char ch : table()["cases"][info.param]["name"].get<std::string>())
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Table, FormCases, ::testing::Range(std::size_t(0), table()["cases"].size()), caseName);

}  // namespace
}  // namespace galgen::testing
