#include "inventory/definitions.h"

#include <gtest/gtest.h>

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

TEST(Definitions, DescribeVerdictGivesLabelsAndColours) {
    struct Case {
        int32_t verdict;
        const char* label;
        uint32_t colour;
    };
    const Case cases[] = {
        {0, "Systemprozess", 0x00FF8D74},
        {1, "Unnötig", 0x00BABABA},
        {2, "Potentiell gefährlich", 0x0000A5FF},
        {3, "Gefährlich", 0x000000FF},
        {4, "Wichtig", 0x00F48D74},
    };
    for (const Case& c : cases) {
        uint32_t colour = 0;
        EXPECT_EQ(DescribeVerdict(c.verdict, colour), c.label);
        EXPECT_EQ(colour, c.colour);
    }
    for (int32_t other : {-1, 5, 7, INT32_MIN}) {
        uint32_t colour = 0x123456;
        EXPECT_EQ(DescribeVerdict(other, colour), "");
        EXPECT_EQ(colour, 0x123456u);
    }
}

TEST(Definitions, GermanLabelsAreWindows1252Bytes) {
    uint32_t colour = 0;
    EXPECT_EQ(DescribeVerdict(1, colour), "Unn\xF6tig");
    EXPECT_EQ(DescribeVerdict(3, colour), "Gef\xE4hrlich");
}

}  // namespace
}  // namespace kelvaro
