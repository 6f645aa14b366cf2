#include "inventory/name_index.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvaro {
namespace {

TEST(NameIndex, AbsentKeysGiveZeroAndAreNotAdded) {
    NameIndex index;
    EXPECT_EQ(index.Get("A.EXE"), 0);
    index.Set("A.EXE", 1);
    EXPECT_EQ(index.Get("B.EXE"), 0);
    EXPECT_EQ(index.Get(""), 0);
    EXPECT_EQ(index.Size(), 1u);
}

TEST(NameIndex, LaterPositionReplacesEarlierOneForTheSameKey) {
    NameIndex index;
    index.Set("NOTEPAD.EXE", 1);
    index.Set("NOTEPAD.EXE", 7);
    EXPECT_EQ(index.Get("NOTEPAD.EXE"), 7);
    EXPECT_EQ(index.Size(), 1u);
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) on "literal" + std::string.
std::string Key(int i) {
    std::string key = "P";
    key += std::to_string(i);
    key += ".EXE";
    return key;
}

TEST(NameIndex, KeepsEveryKeyThroughManyGrowthsAndCollisions) {
    NameIndex index;
    constexpr int kKeys = 20000;  // far beyond the initial 512 slots
    for (int i = 1; i <= kKeys; ++i) index.Set(Key(i), i);
    index.Set("", kKeys + 1);  // an empty name is a key like any other
    for (int i = 1; i <= kKeys; ++i) ASSERT_EQ(index.Get(Key(i)), i);
    EXPECT_EQ(index.Get(""), kKeys + 1);
    EXPECT_EQ(index.Get("P0.EXE"), 0);
    index.Clear();
    EXPECT_EQ(index.Get("P1.EXE"), 0);
    index.Set("P1.EXE", 3);
    EXPECT_EQ(index.Get("P1.EXE"), 3);
}

}  // namespace
}  // namespace kelvaro
