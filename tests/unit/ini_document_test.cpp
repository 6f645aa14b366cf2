#include "ini/ini_document.h"

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

TEST(IniDocument, LineEndsInWrittenTextsBecomeBlanks) {
    IniDocument document = IniDocument::Parse("[A]\r\n");
    document.SetKey(*document.FindGroup("A"), "k", "a\r\n[B]\rb\nc");
    document.AppendGroupWithKey("G\r\n", "x\ny", "1");
    EXPECT_EQ(document.Serialise(), "[A]\r\nk = a  [B] b c\r\n[G  ]\r\nx y = 1\r\n");
    EXPECT_FALSE(IniDocument::Parse(document.Serialise()).FindGroup("B").has_value());
}

}  // namespace
}  // namespace kelvaro
