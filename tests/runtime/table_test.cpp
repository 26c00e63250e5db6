// SPDX-License-Identifier: GPL-3.0-or-later
// Bounds-checked tables: rows 0..UpperRow inclusive, checked at every access.
#include <gtest/gtest.h>

#include <string>

#include "error_of.h"
#include "table.h"

namespace galgen {
namespace {

template <typename T>
void expectSubscriptError(T&& access)
{
    EXPECT_EQ(testing::errorOf(access), ErrorKind::SubscriptOutOfRange);
}

TEST(Table, RowsFromZeroToTheUpperBoundInclusive)
{
    Table<int, 50> t;
    t.at(0, 0) = 1;
    t.at(50, 1) = 2;
    EXPECT_EQ(t.at(0, 0), 1);
    EXPECT_EQ(t.at(50, 1), 2);
    EXPECT_EQ(t.at(25, 0), 0);   // zero-filled at creation
    expectSubscriptError([&] { t.at(51, 0); });
    expectSubscriptError([&] { t.at(-1, 0); });
    expectSubscriptError([&] { t.at(1, 2); });
    expectSubscriptError([&] { t.at(1, -1); });
}

TEST(Table, ConstAccessIsCheckedToo)
{
    const Table<std::string, 1000> t;
    EXPECT_EQ(t.at(1000, 1), "");
    expectSubscriptError([&] { (void)t.at(1001, 0); });
}

TEST(Table, ErrorMessageNamesTheRow)
{
    Table<int, 2> t;
    try {
        t.at(3, 0);
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find("Zeile 3"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("Index außerhalb"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace galgen
