#include "inventory/definitions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string_view>

namespace kelvaro {
namespace {

DefinitionTable Parse(std::string_view bytes) {
    DefinitionTable table;
    table.AppendFile(bytes);
    return table;
}

TEST(Definitions, ReadsThreeLineRecordsWithMicroEndedDescriptionLines) {
    const DefinitionTable table = Parse(
        "3\r\nEVIL.EXE\r\nAbc\xB5"
        "Def\xB5\r\n");
    ASSERT_EQ(table.Count(), 1);
    const DefinitionRecord& record = table.Records()[0];
    EXPECT_EQ(record.Verdict, 3);
    EXPECT_EQ(record.Name, "EVIL.EXE");
    EXPECT_EQ(record.Description, "Abc\r\nDef\r\n");
    EXPECT_EQ(table.Find("EVIL.EXE"), &record);
    EXPECT_EQ(table.Find("evil.exe"), nullptr);  // the key is upper-cased by the caller
}

TEST(Definitions, DescriptionKeepsOnlyMicroEndedFields) {
    EXPECT_EQ(Parse("1\nx\nAbcDef\n").Records()[0].Description, "");
    EXPECT_EQ(Parse("1\nx\nAbc\xB5"
                    "Def\n")
                  .Records()[0]
                  .Description,
              "Abc\r\n");
    EXPECT_EQ(Parse("1\nx\n\xB5\xB5"
                    "a\xB5\n")
                  .Records()[0]
                  .Description,
              "\r\n\r\na\r\n");
}

TEST(Definitions, AcceptsEveryLineEnd) {
    const DefinitionTable table = Parse("1\ra.exe\nA\xB5\r\n2\nb.exe\rB\xB5\n");
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Records()[0].Name, "a.exe");
    EXPECT_EQ(table.Records()[0].Description, "A\r\n");
    EXPECT_EQ(table.Records()[1].Verdict, 2);
    EXPECT_EQ(table.Records()[1].Name, "b.exe");
    EXPECT_EQ(table.Records()[1].Description, "B\r\n");
}

TEST(Definitions, TwoCarriageReturnsAreTwoLineEnds) {
    const DefinitionTable table = Parse("1\r\rA\xB5\r");
    ASSERT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Records()[0].Name, "");
    EXPECT_EQ(table.Records()[0].Description, "A\r\n");
}

TEST(Definitions, ZeroByteEndsALine) {
    const std::string bytes("2\0n.exe\0d\xB5\0", 11);
    const DefinitionTable table = Parse(bytes);
    ASSERT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Records()[0].Verdict, 2);
    EXPECT_EQ(table.Records()[0].Name, "n.exe");
    EXPECT_EQ(table.Records()[0].Description, "d\r\n");
}

TEST(Definitions, ShortLastRecordIsStillAddedWithEmptyFields) {
    DefinitionTable table = Parse("4\r\na.exe\r\nA\xB5\r\n2\r\nb.exe");
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Records()[1].Name, "b.exe");
    EXPECT_EQ(table.Records()[1].Description, "");

    table = Parse("4\r\na.exe\r\nA\xB5\r\n7");
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Records()[1].Verdict, 7);
    EXPECT_EQ(table.Records()[1].Name, "");
}

TEST(Definitions, EmptyTrailingLineAddsAnEmptySystemRecord) {
    const DefinitionTable table = Parse("3\r\na.exe\r\nA\xB5\r\n\r\n");
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Records()[1].Verdict, 0);
    EXPECT_EQ(table.Records()[1].Name, "");
    EXPECT_EQ(table.Records()[1].Description, "");
    EXPECT_EQ(table.Find("A.EXE"), &table.Records()[0]);
}

TEST(Definitions, EmptyFileHoldsNoRecords) {
    EXPECT_EQ(Parse("").Count(), 0);
}

TEST(Definitions, ByteOrderMarkIsPartOfTheFirstVerdictLine) {
    const DefinitionTable table = Parse(
        "\xEF\xBB\xBF"
        "3\r\nx.exe\r\nd\xB5\r\n");
    ASSERT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Records()[0].Verdict, 0);
}

TEST(Definitions, LastDuplicateWinsInTheIndexButAllStayListed) {
    const DefinitionTable table =
        Parse("1\r\nnotepad.exe\r\nErst\xB5\r\n4\r\nNotepad.exe\r\nZweit\xB5\r\n");
    ASSERT_EQ(table.Count(), 2);
    const DefinitionRecord* found = table.Find("NOTEPAD.EXE");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Verdict, 4);
    EXPECT_EQ(found->Description, "Zweit\r\n");
}

TEST(Definitions, UpperCasesTheIndexKeyWithUmlauts) {
    const DefinitionTable table = Parse("2\r\nm\xFCll.exe\r\nd\xB5\r\n");  // müll.exe
    EXPECT_NE(table.Find("M\xDCLL.EXE"), nullptr);
    EXPECT_EQ(table.Find("M\xFCLL.EXE"), nullptr);
}

TEST(Definitions, VerdictLineUsesTheNumberReader) {
    const DefinitionTable table = Parse("  $3\nh.exe\n\n%100\nb.exe\n\nGef\xE4hrlich\nz.exe\n\n");
    EXPECT_EQ(table.Records()[0].Verdict, 3);
    EXPECT_EQ(table.Records()[1].Verdict, 4);
    EXPECT_EQ(table.Records()[2].Verdict, 0);
}

TEST(Definitions, ClearEmptiesListAndIndexAndAppendingAgainRenumbers) {
    DefinitionTable table = Parse("1\na.exe\nx\xB5\n");
    table.Clear();
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.Find("A.EXE"), nullptr);
    table.AppendFile("2\nb.exe\ny\xB5\n3\na.exe\nz\xB5\n");
    ASSERT_NE(table.Find("A.EXE"), nullptr);
    EXPECT_EQ(table.Find("A.EXE")->Verdict, 3);
}

// Each of the five verdicts has a label and a colour of its own; any other number has
// neither and leaves the caller's colour alone. (The labels as the lists show them are
// checked on the process page, the red of "Gefährlich" in its rows.)
TEST(Definitions, EachVerdictHasItsOwnLabelAndColourAndOtherNumbersNone) {
    std::set<std::string_view> labels;
    std::set<uint32_t> colours;
    for (int32_t verdict = 0; verdict < 5; ++verdict) {
        uint32_t colour = 0xDEADBEEF;
        const std::string_view label = DescribeVerdict(verdict, colour);
        EXPECT_FALSE(label.empty()) << verdict;
        EXPECT_EQ(colour & 0xFF000000u, 0u) << verdict;  // a colour, not the value passed in
        labels.insert(label);
        colours.insert(colour);
    }
    EXPECT_EQ(labels.size(), 5u);
    EXPECT_EQ(colours.size(), 5u);
    for (int32_t other : {-1, 5, 7, INT32_MIN, INT32_MAX}) {
        uint32_t colour = 0x123456;
        EXPECT_EQ(DescribeVerdict(other, colour), "") << other;
        EXPECT_EQ(colour, 0x123456u) << other;
    }
}

TEST(Definitions, GermanLabelsAreWindows1252Bytes) {
    uint32_t colour = 0;
    EXPECT_EQ(DescribeVerdict(1, colour), "Unn\xF6tig");
    EXPECT_EQ(DescribeVerdict(3, colour), "Gef\xE4hrlich");
}

}  // namespace
}  // namespace kelvaro
