// SPDX-License-Identifier: MIT
#include "about/TStringList.h"

#include <gtest/gtest.h>

namespace twinvane {
namespace {

TEST(TStringListTest, KeepsInsertionOrderWithoutSorting) {
    TStringList list;
    EXPECT_EQ(list.Add("zeta"), 0);
    EXPECT_EQ(list.Add("alpha"), 1);
    EXPECT_EQ(list.Add("zeta"), 2);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "zeta");
    EXPECT_EQ(list.Strings(1), "alpha");
    EXPECT_EQ(list[2], "zeta");
}

TEST(TStringListTest, ClearEmptiesTheList) {
    TStringList list;
    list.Add("a");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Add("b");
    EXPECT_EQ(list[0], "b");
}

TEST(TStringListTest, ReadingAMissingPositionRaisesWithThePosition) {
    TStringList list;
    list.Add("only");
    for (const int index : {1, 5, -1}) {
        try {
            (void)list[index];
            ADD_FAILURE() << "no error for position " << index;
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
    EXPECT_THROW((void)TStringList().Strings(0), EStringListError);
}

} // namespace
} // namespace twinvane
