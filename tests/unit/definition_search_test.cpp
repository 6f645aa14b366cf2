#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inventory/definition_search.h"

namespace kelvaro {
namespace {

class DefinitionSearchTest : public ::testing::Test {
protected:
    DefinitionSearchTest() {
        table_.AppendFile(
            "3\r\nexplorer.exe\r\nDer Desktop\xB5\r\n"
            "1\r\nnotepad.exe\r\nEditor eins\xB5\r\n"
            "7\r\nxplorer_helper.exe\r\nSieben\xB5\r\n"
            "0\r\n\r\nOhne Namen\xB5\r\n"
            "4\r\nnotepad.exe\r\nEditor zwei\xB5\r\n"
            "2\r\nXplor.Exe\r\nGross\xB5\r\n");
    }
    std::vector<SearchResultRow> Find(std::string_view text) const {
        return FindDefinitionsContaining(table_.Records(), text);
    }
    DefinitionTable table_;
};

TEST_F(DefinitionSearchTest, FindsCaseSensitiveSubstringsInListOrderWithTheirPositions) {
    const std::vector<SearchResultRow> rows = Find("xplor");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].position, 0);
    EXPECT_EQ(rows[0].name, "explorer.exe");
    EXPECT_EQ(rows[0].label, "Gef\xE4hrlich");
    EXPECT_EQ(rows[0].colour, 0x000000FFu);
    // A verdict without a label gives an empty label and no colour.
    EXPECT_EQ(rows[1].position, 2);
    EXPECT_EQ(rows[1].label, "");
    EXPECT_EQ(rows[1].colour, 0u);

    EXPECT_TRUE(Find("XPLOR").empty());
    ASSERT_EQ(Find("Xplor").size(), 1u);
    EXPECT_EQ(Find("Xplor")[0].position, 5);
    // The whole name matches too.
    ASSERT_EQ(Find("explorer.exe").size(), 1u);
}

TEST_F(DefinitionSearchTest, DuplicateNamesAreBothFoundWithTheirOwnDescriptions) {
    const std::vector<SearchResultRow> rows = Find("notepad");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].label, "Unn\xF6tig");
    EXPECT_EQ(rows[1].label, "Wichtig");
    EXPECT_EQ(*DefinitionDescriptionAt(table_.Records(), rows[0].position), "Editor eins\r\n");
    EXPECT_EQ(*DefinitionDescriptionAt(table_.Records(), rows[1].position), "Editor zwei\r\n");
    // A row kept from an earlier, longer definitions list names a position that is gone.
    EXPECT_EQ(DefinitionDescriptionAt(table_.Records(), 6), nullptr);
    EXPECT_EQ(DefinitionDescriptionAt(table_.Records(), -1), nullptr);
}

// The empty text would be a substring of every name, the empty name of none.
TEST_F(DefinitionSearchTest, EmptyTextAndEmptyNameNeverMatch) {
    EXPECT_TRUE(Find("").empty());
    for (const SearchResultRow& row : Find(".")) EXPECT_FALSE(row.name.empty());
    EXPECT_EQ(Find(".").size(), 5u);
}

}  // namespace
}  // namespace kelvaro
