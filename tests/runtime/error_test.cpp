// SPDX-License-Identifier: GPL-3.0-or-later
// Run-time errors and the error boundary around event handlers.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "display.h"
#include "error_boundary.h"

namespace galgen {
namespace {

TEST(RuntimeError, MessagesAreGermanAndNameTheError)
{
    const struct { ErrorKind kind; const char* title; } cases[] = {
        {ErrorKind::Overflow, "Überlauf"},
        {ErrorKind::SubscriptOutOfRange, "Index außerhalb des gültigen Bereichs"},
        {ErrorKind::DisplayFailed, "Anzeigebefehl fehlgeschlagen"},
        {ErrorKind::FloatingPoint, "Ungültige Gleitkommaoperation"},
        {ErrorKind::OutOfMemory, "Nicht genügend Speicher"},
    };
    for (const auto& c : cases) {
        const RuntimeError e(c.kind, "Detail");
        EXPECT_EQ(errorTitle(c.kind), c.title);
        EXPECT_EQ(std::string(e.what()), std::string("Laufzeitfehler: ") + c.title + " (Detail)");
    }
    // A faulty word list is the player's file at fault, not the program.
    EXPECT_STREQ(RuntimeError(ErrorKind::WordList, "Die Wortliste …").what(), "Die Wortliste …");
}

TEST(ErrorBoundary, AnErrorEndsTheHandlerKeepsEarlierEffectsAndIsReported)
{
    std::vector<int> effects;
    std::vector<ErrorKind> reported;
    const auto report = [&](const RuntimeError& e) { reported.push_back(e.kind()); };

    EXPECT_TRUE(runHandler([&] { effects.push_back(1); }, report));
    EXPECT_FALSE(runHandler(
        [&] {
            effects.push_back(2);
            raise(ErrorKind::Overflow);
            effects.push_back(3);   // never reached
        },
        report));
    EXPECT_TRUE(runHandler([&] { effects.push_back(4); }, report));   // the program goes on

    EXPECT_EQ(effects, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(reported, std::vector<ErrorKind>{ErrorKind::Overflow});
}

TEST(ErrorBoundary, OtherExceptionsAreReportedNotSwallowed)
{
    std::vector<std::string> reported;
    const auto report = [&](const RuntimeError& e) { reported.emplace_back(e.what()); };
    EXPECT_FALSE(runHandler([] { throw std::bad_alloc(); }, report));
    EXPECT_FALSE(runHandler([] { throw std::logic_error("kaputt"); }, report));
    EXPECT_FALSE(runHandler([] { throw 42; }, report));
    ASSERT_EQ(reported.size(), 3u);
    EXPECT_NE(reported[0].find("Nicht genügend Speicher"), std::string::npos);
    EXPECT_NE(reported[1].find("kaputt"), std::string::npos);
    EXPECT_EQ(reported[2], "Laufzeitfehler: Interner Fehler");
}

TEST(Display, AFailedCommandNamesControlAndProperty)
{
    try {
        failDisplay({"teil13", Property::Visible, true}, "kein Steuerelement");
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::DisplayFailed);
        EXPECT_NE(std::string(e.what()).find("teil13.Visible"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace galgen
