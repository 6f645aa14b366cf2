#include "shell/ini_document.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

using namespace std::string_literals;
using Kind = IniEntryKind;

IniEntry Group(std::string name) {
    return {Kind::Group, std::move(name), {}};
}
IniEntry Comment(std::string text) {
    return {Kind::Comment, std::move(text), {}};
}
IniEntry Key(std::string name, std::string value) {
    return {Kind::Key, std::move(name), std::move(value)};
}

std::vector<IniEntry> Entries(std::string_view bytes) {
    return IniDocument::Parse(bytes).Entries();
}

TEST(IniDocument, LinesEndAtCrAtLfAndAtCrLfAndEmptyLinesAreDropped) {
    const std::vector<IniEntry> expected = {Key("a", "1"), Key("b", "2"), Key("c", "3"),
                                            Key("d", "")};
    EXPECT_EQ(Entries("a=1\rb=2\nc=3\r\nd"), expected);
    EXPECT_EQ(Entries("\r\n\r\na=1\n\n\rb=2\r\r\nc=3\r\n \t \r\nd\r\n"), expected);
    EXPECT_TRUE(Entries("").empty());
    EXPECT_TRUE(Entries("\r\n\n\r  \t").empty());
}

TEST(IniDocument, CommentsDropTheirMarkAndAtMostOneSpace) {
    EXPECT_EQ(Entries(";a\r\n; b\r\n;  c\r\n  ;\td\r\n;"),
              (std::vector<IniEntry>{Comment("a"), Comment("b"), Comment(" c"), Comment("\td"),
                                     Comment("")}));
}

TEST(IniDocument, GroupNameRunsToTheBracketOrTheLineEnd) {
    EXPECT_EQ(Entries("[Einstellungen]\r\n\t[ Einstellungen ]\r\n[Offen\r\n[a]b]c\r\n[]"),
              (std::vector<IniEntry>{Group("Einstellungen"), Group(" Einstellungen "),
                                     Group("Offen"), Group("a"), Group("")}));
}

TEST(IniDocument, KeyLinesSplitAtTheFirstEquals) {
    EXPECT_EQ(Entries("  Timeout \t=  \t10 und mehr  \r\n"
                      "Pfad=a=b \"c\"\r\n"
                      "NurSchluessel  \r\n"
                      "=ohne Namen\r\n"
                      "leer=\r\n"
                      "x ; y = z"),
              (std::vector<IniEntry>{Key("Timeout", "10 und mehr  "), Key("Pfad", "a=b \"c\""),
                                     Key("NurSchluessel", ""), Key("", "ohne Namen"),
                                     Key("leer", ""), Key("x ; y", "z")}));
}

TEST(IniDocument, ByteOrderMarkIsRecognisedOnlyAtTheStart) {
    const IniDocument utf8 = IniDocument::Parse("\xEF\xBB\xBF[A]\r\nk=v");
    EXPECT_TRUE(utf8.IsUtf8());
    EXPECT_EQ(utf8.Entries(), (std::vector<IniEntry>{Group("A"), Key("k", "v")}));
    const IniDocument ansi = IniDocument::Parse("\r\n\xEF\xBB\xBFk=v");
    EXPECT_FALSE(ansi.IsUtf8());
    EXPECT_EQ(ansi.Entries(), (std::vector<IniEntry>{Key("\xEF\xBB\xBFk", "v")}));
    // Written back, an empty first line keeps those bytes from reading as the mark.
    EXPECT_EQ(ansi.Serialise(), "\r\n\xEF\xBB\xBFk = v\r\n");
    EXPECT_FALSE(IniDocument::Parse(ansi.Serialise()).IsUtf8());
}

TEST(IniDocument, WritesEveryLineInItsNormalForm) {
    const IniDocument document =
        IniDocument::Parse("\r\n;x\r\n  a  =  1 \r\n\r\n[ G ]junk\r\n;  c\n=\rb\r\n");
    EXPECT_EQ(document.Serialise(), "; x\r\na = 1 \r\n[ G ]\r\n;  c\r\n = \r\nb = \r\n");
}

TEST(IniDocument, Utf8FileKeepsItsMarkWithAnEmptyFirstLine) {
    EXPECT_EQ(IniDocument::Parse("\xEF\xBB\xBF[A]\nk=v").Serialise(),
              "\xEF\xBB\xBF\r\n[A]\r\nk = v\r\n");
    // Without entries the mark stays, so the file keeps its encoding.
    EXPECT_EQ(IniDocument::Parse("\xEF\xBB\xBF\r\n").Serialise(), "\xEF\xBB\xBF\r\n");
    EXPECT_EQ(IniDocument::Parse("\r\n \r\n").Serialise(), "");
}

TEST(IniDocument, WrittenFileReadsBackToTheSameEntries) {
    const std::string messy =
        "\xEF\xBB\xBF top=1\r\n;\r\n; \r\n;;x\r\n[]\r\n[ a b ]z\r\n= \r\n=\r\n k \t=\t v \t\r\n"
        "[G\r\n\x01\x00=\x7F\r\n;\t\r\nq=\"\"\r\n"s;
    const IniDocument first = IniDocument::Parse(messy);
    const std::string written = first.Serialise();
    const IniDocument second = IniDocument::Parse(written);
    EXPECT_EQ(second.Entries(), first.Entries());
    EXPECT_EQ(second.IsUtf8(), first.IsUtf8());
    EXPECT_EQ(second.Serialise(), written);
}

TEST(IniDocument, NamesMatchIgnoringTheCaseOfAToZOnly) {
    EXPECT_TRUE(IniNamesMatch("Timeout", "TIMEOUT"));
    EXPECT_TRUE(IniNamesMatch("prozesse zum beenden", "Prozesse zum Beenden"));
    EXPECT_FALSE(IniNamesMatch("\xE4", "\xC4"));  // ä and Ä are different names
    EXPECT_FALSE(IniNamesMatch("@", "`"));        // 0x40 / 0x60 are not letters
    EXPECT_FALSE(IniNamesMatch("Timeout", "Timeout "));
    EXPECT_FALSE(IniNamesMatch("Timeout", "Time"));
}

TEST(IniDocument, GroupsSpanUpToTheNextGroupLineAndTheFirstOccurrenceWins) {
    const IniDocument document =
        IniDocument::Parse("t=0\r\n;c\r\n[A]\r\nk=1\r\n;c\r\n[B]\r\n[a]\r\nk=2\r\n");
    EXPECT_EQ(document.TopGroup().first, 0u);
    EXPECT_EQ(document.TopGroup().end, 2u);
    const std::optional<IniSpan> a = document.FindGroup("a");
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->first, 3u);
    EXPECT_EQ(a->end, 5u);
    EXPECT_EQ(document.FindKey(*a, "K"), std::optional<size_t>(3));
    const std::optional<IniSpan> b = document.FindGroup("B");
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(b->first, b->end);  // an empty group still exists
    EXPECT_FALSE(document.FindKey(*b, "k").has_value());
    EXPECT_FALSE(document.FindGroup("C").has_value());
}

TEST(IniDocument, SetKeyReplacesInPlaceOrAddsAfterTheGroupsLastLine) {
    IniDocument document =
        IniDocument::Parse("[A]\r\ntimeout=1\r\nx=2\r\n;Ende A\r\n[B]\r\ny=3\r\n");
    document.SetKey(*document.FindGroup("A"), "Timeout", "30");
    document.SetKey(*document.FindGroup("A"), "Neu", "n");
    document.SetKey(*document.FindGroup("B"), "z", "4");
    document.SetKey(document.TopGroup(), "oben", "o");
    EXPECT_EQ(document.Serialise(),
              "oben = o\r\n[A]\r\nTimeout = 30\r\nx = 2\r\n; Ende A\r\nNeu = n\r\n"
              "[B]\r\ny = 3\r\nz = 4\r\n");
}

TEST(IniDocument, LineEndsInWrittenTextsBecomeBlanks) {
    IniDocument document = IniDocument::Parse("[A]\r\n");
    document.SetKey(*document.FindGroup("A"), "k", "a\r\n[B]\rb\nc");
    document.AppendGroupWithKey("G\r\n", "x\ny", "1");
    EXPECT_EQ(document.Serialise(), "[A]\r\nk = a  [B] b c\r\n[G  ]\r\nx y = 1\r\n");
    EXPECT_FALSE(IniDocument::Parse(document.Serialise()).FindGroup("B").has_value());
}

TEST(IniDocument, RemoveGroupTakesEveryLineUpToTheNextGroup) {
    IniDocument document = IniDocument::Parse(
        ";oben\r\n[Prozesse zum Beenden]\r\n0=a.exe\r\n;Kommentar\r\n1=b.exe\r\n"
        "[Einstellungen]\r\nTimeout=5\r\n[prozesse zum beenden]\r\n0=c.exe\r\n");
    EXPECT_TRUE(document.RemoveGroup("PROZESSE ZUM BEENDEN"));
    EXPECT_EQ(
        document.Serialise(),
        "; oben\r\n[Einstellungen]\r\nTimeout = 5\r\n[prozesse zum beenden]\r\n0 = c.exe\r\n");
    EXPECT_TRUE(document.RemoveGroup("Prozesse zum Beenden"));
    EXPECT_FALSE(document.RemoveGroup("Prozesse zum Beenden"));
    EXPECT_EQ(document.Serialise(), "; oben\r\n[Einstellungen]\r\nTimeout = 5\r\n");
}

}  // namespace
}  // namespace kelvaro
