// SPDX-License-Identifier: GPL-3.0-or-later
// The form core on a small form of its own, through the null engine: the
// checks when a program registers its events, visibility, the first focus,
// click counting, what lies over what, shortcuts, cp1252 key codes, the
// error boundary and the unload.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "error_of.h"
#include "null_engine.h"
#include "test_form.h"

namespace galgen::form {
namespace {

using testing::NullEngine;
using testing::testForm;

// The message of the run-time error that f raises; empty if none.
template <typename F>
std::string errorMessage(F&& f)
{
    const auto error = testing::raisedBy(f);
    return error ? error->what() : std::string();
}

TEST(FormCore, RegistrationChecksSayWhatIsWrongInGerman)
{
    NullEngine engine(testForm);
    FormCore& core = engine.core();
    const struct {
        std::function<void()> registration;
        std::string message;
    } cases[] = {
        {[&] { core.onClick("label", [] {}); }, "„label“ löst kein Click aus"},
        {[&] { core.onClick("picture", [] {}); }, "„picture“ löst kein Click aus"},
        {[&] { core.onKeyPress("button", [](const i16&) {}); }, "„button“ löst kein KeyPress aus"},
        {[&] { core.onClick("knopf", [] {}); }, "„knopf“ gibt es im Formular nicht"},
        {[&] { core.onKeyPress("", [](const i16&) {}); }, "„“ gibt es im Formular nicht"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorMessage(c.registration), "Laufzeitfehler: Interner Fehler (" + c.message + ")");
    EXPECT_EQ(errorMessage([&] {
        core.onClick("button", [] {});
        core.onClick("box", [] {});
        core.onKeyPress("box", [](const i16&) {});
    }), "");

    const ControlRow orphan[] = {{.name = "kind", .kind = Kind::Label, .container = "rahmen"}};
    EXPECT_NE(errorMessage([&] { NullEngine bad(FormLayout{.controls = orphan}); }).find("„kind“ liegt in einem"),
              std::string::npos);
    const ControlRow twins[] = {{.name = "a", .kind = Kind::Label}, {.name = "a", .kind = Kind::Shape}};
    EXPECT_NE(errorMessage([&] { NullEngine bad(FormLayout{.controls = twins}); }).find("„a“ steht zweimal"),
              std::string::npos);
}

TEST(FormCore, KeepsVisibilityAndHandsCommandsOn)
{
    NullEngine engine(testForm);
    engine.core().apply({"label", Property::Caption, Text::fromUtf8("Grüße")});
    engine.core().apply({"panel", Property::Visible, false});
    EXPECT_EQ(engine.text("label"), "Grüße");
    EXPECT_FALSE(engine.shown("panel"));
    EXPECT_FALSE(engine.shown("picture"));   // its container is hidden
    engine.core().apply({"panel", Property::Visible, true});
    EXPECT_TRUE(engine.shown("picture"));
    EXPECT_EQ(testing::errorOf([&] { engine.core().apply({"shape", Property::Text, Text()}); }),
              ErrorKind::DisplayFailed);
}

TEST(FormCore, FirstFocusGoesToTheFirstControlInTabOrderThatCanTakeIt)
{
    const struct {
        std::vector<std::string_view> hiddenOnLoad;
        std::string focus;
    } cases[] = {
        {{}, "box"},   // the label comes first but takes no focus
        {{"box"}, "button"},
        {{"box", "button"}, ""},   // the disabled cover and the frame take none
    };
    for (const auto& c : cases) {
        NullEngine engine(testForm);
        engine.core().onLoad([&] {
            for (std::string_view name : c.hiddenOnLoad)
                setVisible(engine.core(), name, false);
        });
        engine.load();
        EXPECT_EQ(engine.focus(), c.focus);
    }
}

TEST(FormCore, CountsClicks)
{
    const struct {
        const char* control;
        int clickCount;
        bool runs;
    } cases[] = {
        {"box", 1, true},
        {"box", 2, false},   // the second click of a double click
        {"box", 3, true},
        {"button", 1, true},
        {"button", 2, true},   // a button counts every click
        {"button", 0, true},   // a click no mouse made, on a button nothing covers
        {"box", 0, false},     // the cover lies over the box's centre
    };
    for (const auto& c : cases) {
        NullEngine engine(testForm);
        int runs = 0;
        engine.core().onClick(c.control, [&] { ++runs; });
        engine.click(c.control, c.clickCount);
        EXPECT_EQ(runs, c.runs ? 1 : 0) << c.control << " " << c.clickCount;
    }
}

TEST(FormCore, ActivatesOnlyWhereAMouseClickCouldReach)
{
    NullEngine engine(testForm);
    FormCore& core = engine.core();
    int clicks = 0;
    core.onClick("box", [&] { ++clicks; });
    engine.load();
    engine.focusOn("button");

    EXPECT_FALSE(core.clickable(core.find("box")));
    EXPECT_TRUE(engine.shortcut("F2"));   // the box's shortcut, but covered: nothing
    engine.activate("box");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(engine.focus(), "button");

    setVisible(core, "cover", false);
    EXPECT_TRUE(core.clickable(core.find("box")));
    EXPECT_TRUE(engine.shortcut("F2"));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(engine.focus(), "box");
    engine.activate("box");
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(core.shortcutKeys(), std::vector<std::string_view>{"F2"});
    EXPECT_FALSE(engine.shortcut("F3"));
    EXPECT_FALSE(engine.shortcut(""));
    EXPECT_EQ(clicks, 2);

    setVisible(core, "box", false);
    EXPECT_FALSE(core.clickable(core.find("box")));
    EXPECT_FALSE(core.clickable(core.find("label")));   // no click handler
}

TEST(FormCore, KeysArriveAsCp1252CodesOnceEach)
{
    NullEngine engine(testForm);
    std::vector<int> codes;
    engine.core().onKeyPress("box", [&](const i16& code) { codes.push_back(code); });
    engine.load();
    engine.type("aÖß€ł😀");
    engine.press("Backspace");
    engine.input("ü");
    EXPECT_EQ(codes, (std::vector<int>{97, 214, 223, 128, 63, 63, 8, 252}));
    EXPECT_EQ(engine.core().keys(engine.core().find("button")), nullptr);   // no KeyPress handler
}

TEST(FormCore, AnErrorEndsItsHandlerIsShownAndTheFormGoesOn)
{
    NullEngine engine(testForm);
    FormCore& core = engine.core();
    std::vector<int> codes;
    core.onKeyPress("box", [&](const i16& code) {
        codes.push_back(code);
        if (code == 'x')
            raise(ErrorKind::Overflow);
    });
    core.onClick("button", [&] {
        setCaption(core, "label", Text::fromUtf8("vorher"));
        setCaption(core, "keins", Text::fromUtf8("nachher"));
        setCaption(core, "label", Text::fromUtf8("nachher"));
    });
    engine.load();
    engine.type("axb");
    engine.click("button");
    EXPECT_EQ(codes, (std::vector<int>{'a', 'x', 'b'}));
    EXPECT_EQ(engine.text("label"), "vorher");
    ASSERT_EQ(engine.errors.size(), 2U);
    EXPECT_EQ(engine.errors[0], "Laufzeitfehler: Überlauf");
    EXPECT_EQ(engine.errors[1].rfind("Laufzeitfehler: Anzeigebefehl fehlgeschlagen (keins.Caption", 0), 0U);

    // A program may show errors its own way.
    std::vector<ErrorKind> reported;
    core.setErrorReporter([&](const RuntimeError& e) { reported.push_back(e.kind()); });
    engine.focusOn("box");
    engine.type("x");
    EXPECT_EQ(reported, std::vector{ErrorKind::Overflow});
    EXPECT_EQ(engine.errors.size(), 2U);
}

TEST(FormCore, NothingReachesAnUnloadedForm)
{
    NullEngine engine(testForm);
    FormCore& core = engine.core();
    int clicks = 0;
    int keys = 0;
    core.onClick("button", [&] {
        ++clicks;
        core.unload();
    });
    core.onClick("box", [&] { ++clicks; });
    core.onKeyPress("box", [&](const i16&) { ++keys; });
    int files = 0;
    core.onFileDrop([&](const FileBytes&) { ++files; });
    setVisible(core, "cover", false);
    engine.load();
    engine.click("button");
    EXPECT_TRUE(engine.unloaded);
    EXPECT_TRUE(core.unloaded());
    engine.click("button");
    engine.click("box");
    engine.activate("box");
    engine.shortcut("F2");
    engine.type("a");
    core.dropFile({.name = "liste.txt", .bytes = "Wal\n"});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(keys, 0);
    EXPECT_EQ(files, 0);
    EXPECT_EQ(core.keys(core.find("box")), nullptr);
}

}  // namespace
}  // namespace galgen::form
