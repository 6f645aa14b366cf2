// The access layer over real files in a temporary folder: stdio in the portable build,
// the Windows file edge in the Windows build.
#include "ini/ini.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

class IniTest : public testing::Test {
protected:
    ~IniTest() override { IniClose(); }

    void Write(const std::string& bytes) { test::WriteBytes(path_, bytes); }
    std::string Read() const { return test::ReadBytes(path_); }
    // Opens the file, runs the edits, closes it, and gives the bytes written.
    template <typename Edits>
    std::string Save(const std::string& before, Edits edits) {
        Write(before);
        EXPECT_TRUE(IniOpen(path_));
        edits();
        IniClose();
        return Read();
    }
    std::vector<std::string> KillListNames() {
        std::vector<std::string> names;
        IniSelectGroup("Prozesse zum Beenden");
        if (IniFirstKey()) {
            while (IniNextKey()) names.push_back(IniKeyValue());
        }
        return names;
    }

    test::TempDir dir_;
    const std::string path_ = dir_.File("Kelvaro.ini");
};

TEST_F(IniTest, KeyInSmallLettersIsFoundAndRewrittenInTheProgramsCaseInItsPlace) {
    const std::string after = Save("[Einstellungen]\r\n  timeout\t =\t 7\r\nAutostart=1\r\n", [] {
        EXPECT_TRUE(IniSelectGroup("einstellungen"));
        EXPECT_EQ(IniReadInt("Timeout", 5), 7);
        IniWriteInt("Timeout", 30);
    });
    EXPECT_EQ(after, "[Einstellungen]\r\nTimeout = 30\r\nAutostart = 1\r\n");
}

TEST_F(IniTest, NumbersReadAsTheCLibraryReadsThem) {
    Write(
        "[Einstellungen]\r\nA=10 und mehr\r\nB=Zehn\r\nC=\r\nD=-7x\r\nE=+12\r\nF=\f 3\r\n"
        "G=99999999999\r\nH=-99999999999\r\nI=- 4\r\nJ=0x1F\r\nK=$1E\r\n");
    ASSERT_TRUE(IniOpen(path_));
    ASSERT_TRUE(IniSelectGroup("Einstellungen"));
    EXPECT_EQ(IniReadInt("A", 5), 10);
    EXPECT_EQ(IniReadInt("B", 5), 0);
    EXPECT_EQ(IniReadInt("C", 5), 0);
    EXPECT_EQ(IniReadInt("D", 5), -7);
    EXPECT_EQ(IniReadInt("E", 5), 12);
    EXPECT_EQ(IniReadInt("F", 5), 3);
    EXPECT_EQ(IniReadInt("G", 5), INT32_MAX);
    EXPECT_EQ(IniReadInt("H", 5), INT32_MIN);
    EXPECT_EQ(IniReadInt("I", 5), 0);
    EXPECT_EQ(IniReadInt("J", 5), 0);
    EXPECT_EQ(IniReadInt("K", 5), 0);
    EXPECT_EQ(IniReadInt("Fehlt", 5), 5);
    IniWriteInt("Z", INT32_MIN);
    EXPECT_EQ(IniReadInt("Z", 5), INT32_MIN);
}

TEST_F(IniTest, CommentsAndForeignGroupsSurviveInPlaceAndEmptyLinesDoNot) {
    const std::string after = Save(
        "; Kelvaro\r\n\r\n[Fremd]\r\nx = \"1\"\r\n\r\n[Einstellungen]\r\n; Sekunden\r\n"
        "Timeout=5\r\n\r\n[Andere]\n;ende",
        [] {
            IniSelectGroup("Einstellungen");
            IniWriteInt("Timeout", 6);
            IniWriteInt("Autostart", 1);
        });
    EXPECT_EQ(
        after,
        "; Kelvaro\r\n[Fremd]\r\nx = \"1\"\r\n[Einstellungen]\r\n; Sekunden\r\nTimeout = 6\r\n"
        "Autostart = 1\r\n[Andere]\r\n; ende\r\n");
}

TEST_F(IniTest, GroupWithBlanksInsideItsBracketsDoesNotMatch) {
    const std::string after = Save("[ Einstellungen ]\r\nTimeout=9\r\n", [] {
        EXPECT_FALSE(IniSelectGroup("Einstellungen"));
        EXPECT_EQ(IniReadInt("Timeout", 5), 5);
        EXPECT_FALSE(IniFirstKey());
        IniWriteInt("Timeout", 5);
        IniWriteInt("AutoAktualisieren", 1);
        EXPECT_TRUE(IniSelectGroup("Einstellungen"));  // created by the first write
        EXPECT_EQ(IniReadInt("Timeout", 0), 5);
    });
    EXPECT_EQ(after,
              "[ Einstellungen ]\r\nTimeout = 9\r\n[Einstellungen]\r\nTimeout = 5\r\n"
              "AutoAktualisieren = 1\r\n");
}

TEST_F(IniTest, Utf8FileKeepsItsMarkAndConvertsNamesAndTextsBothWays) {
    const std::string after = Save(
        "\xEF\xBB\xBF[Prozesse zum Beenden]\r\n0=M\xC3\xBCller.exe\r\n1=\xE6\x97\xA5.exe\r\n"
        "[Gr\xC3\xB6\xC3\x9F"
        "e]\r\nBreite=3\r\n",
        [this] {
            EXPECT_EQ(KillListNames(), (std::vector<std::string>{"M\xFCller.exe", "?.exe"}));
            EXPECT_TRUE(
                IniSelectGroup("Gr\xF6\xDF"
                               "e"));
            EXPECT_EQ(IniReadInt("Breite", 0), 3);
            IniWriteText("H\xF6he", "\x80 5");
        });
    EXPECT_EQ(after,
              "\xEF\xBB\xBF\r\n[Prozesse zum Beenden]\r\n0 = M\xC3\xBCller.exe\r\n"
              "1 = \xE6\x97\xA5.exe\r\n[Gr\xC3\xB6\xC3\x9F"
              "e]\r\nBreite = 3\r\n"
              "H\xC3\xB6he = \xE2\x82\xAC 5\r\n");
}

TEST_F(IniTest, AnsiFileTakesTextsAsTheyAre) {
    const std::string after = Save(
        "[Gr\xF6\xDF"
        "e]\r\n",
        [] {
            EXPECT_TRUE(
                IniSelectGroup("Gr\xF6\xDF"
                               "e"));
            IniWriteText("H\xF6he", "\x80");
        });
    EXPECT_EQ(after,
              "[Gr\xF6\xDF"
              "e]\r\nH\xF6he = \x80\r\n");
}

TEST_F(IniTest, KillListIsRewrittenAsTheLastGroupAndReadBackInOrder) {
    const std::string after = Save(
        "[Prozesse zum Beenden]\r\n7= a.exe \r\n; von Hand\r\nx=\tb.exe\r\n[Einstellungen]\r\n"
        "Timeout=5\r\n",
        [this] {
            EXPECT_EQ(KillListNames(), (std::vector<std::string>{"a.exe", "b.exe"}));
            IniRemoveGroup("Prozesse zum Beenden");
            EXPECT_FALSE(IniSelectGroup("Prozesse zum Beenden"));
            const char* names[] = {"a.exe", "c d.exe", "b.exe"};
            for (int i = 0; i < 3; ++i) IniWriteText(std::to_string(i), names[i]);
        });
    EXPECT_EQ(after,
              "[Einstellungen]\r\nTimeout = 5\r\n[Prozesse zum Beenden]\r\n0 = a.exe\r\n"
              "1 = c d.exe\r\n2 = b.exe\r\n");
    ASSERT_TRUE(IniOpen(path_));
    EXPECT_EQ(KillListNames(), (std::vector<std::string>{"a.exe", "c d.exe", "b.exe"}));
}

TEST_F(IniTest, EmptyKillListLeavesNoGroupAndAnEmptiedFileBecomesEmpty) {
    const std::string after = Save("[Prozesse zum Beenden]\r\n0=a.exe\r\n", [] {
        IniRemoveGroup("Prozesse zum Beenden");
        IniSelectGroup("Prozesse zum Beenden");
    });
    EXPECT_EQ(after, "");
}

TEST_F(IniTest, KeyWalkPassesCommentsAndEndsAtTheNextGroup) {
    Write("[Prozesse zum Beenden]\r\n;a\r\n0=\r\n;b\r\n1 =  x.exe  \r\n[Einstellungen]\r\nT=1\r\n");
    ASSERT_TRUE(IniOpen(path_));
    EXPECT_EQ(IniKeyValue(), "");
    ASSERT_TRUE(IniSelectGroup("Prozesse zum Beenden"));
    EXPECT_EQ(IniKeyValue(), "");  // before the first key line
    ASSERT_TRUE(IniFirstKey());
    EXPECT_EQ(IniKeyValue(), "");
    ASSERT_TRUE(IniNextKey());
    EXPECT_EQ(IniKeyValue(), "");
    ASSERT_TRUE(IniNextKey());
    EXPECT_EQ(IniKeyValue(), "x.exe");
    EXPECT_FALSE(IniNextKey());
    EXPECT_EQ(IniKeyValue(), "");
    EXPECT_FALSE(IniNextKey());
    EXPECT_FALSE(IniSelectGroup("Fehlt"));
    EXPECT_FALSE(IniFirstKey());
    EXPECT_FALSE(IniNextKey());
}

TEST_F(IniTest, UnnamedTopGroupHoldsTheKeysBeforeTheFirstGroup) {
    const std::string after = Save("; Kopf\r\nVersion=2\r\n[Einstellungen]\r\nVersion=3\r\n", [] {
        EXPECT_TRUE(IniSelectGroup(""));
        EXPECT_EQ(IniReadInt("Version", 0), 2);
        IniWriteInt("Neu", 1);
    });
    EXPECT_EQ(after, "; Kopf\r\nVersion = 2\r\nNeu = 1\r\n[Einstellungen]\r\nVersion = 3\r\n");
    const std::string empty = Save("", [] {
        EXPECT_TRUE(IniSelectGroup(""));
        EXPECT_TRUE(IniFirstKey());
        EXPECT_FALSE(IniNextKey());
        IniWriteInt("a", 1);
    });
    EXPECT_EQ(empty, "a = 1\r\n");
}

TEST_F(IniTest, FirstOccurrenceOfAGroupAndOfAKeyIsTheOneReadAndUpdated) {
    const std::string after = Save("[E]\r\nT=1\r\nt=2\r\n[e]\r\nT=3\r\n", [] {
        IniSelectGroup("E");
        EXPECT_EQ(IniReadInt("T", 0), 1);
        IniWriteInt("T", 9);
    });
    EXPECT_EQ(after, "[E]\r\nT = 9\r\nt = 2\r\n[e]\r\nT = 3\r\n");
}

TEST_F(IniTest, UnchangedFileIsNotRewritten) {
    const std::string before = "  [Einstellungen]\n\nTimeout   =5\r";
    const std::string after = Save(before, [] {
        IniSelectGroup("Einstellungen");
        EXPECT_EQ(IniReadInt("Timeout", 0), 5);
        IniRemoveGroup("Fehlt");
    });
    EXPECT_EQ(after, before);
}

TEST_F(IniTest, ShorterContentCutsTheFile) {
    std::string before = "[Einstellungen]\r\nTimeout=5\r\n[Prozesse zum Beenden]\r\n";
    for (int i = 0; i < 2000; ++i) before += std::to_string(i) + "=prozess.exe\r\n";
    const std::string after = Save(before, [] { IniRemoveGroup("Prozesse zum Beenden"); });
    EXPECT_EQ(after, "[Einstellungen]\r\nTimeout = 5\r\n");
}

TEST_F(IniTest, MissingFileIsNotOpenedNorCreated) {
    EXPECT_FALSE(IniOpen(path_));
    EXPECT_FALSE(IniSelectGroup("Einstellungen"));
    EXPECT_EQ(IniReadInt("Timeout", 5), 5);
    IniWriteInt("Timeout", 5);
    EXPECT_FALSE(IniFirstKey());
    IniClose();
    EXPECT_FALSE(fs::exists(path_));
    EXPECT_FALSE(IniOpen(dir_.path()));  // a folder is no settings file
}

TEST_F(IniTest, OpeningAnotherFileWritesTheFirstBack) {
    const std::string other = dir_.File("Anderes.ini");
    test::WriteBytes(other, "[B]\r\nx=1\r\n");
    Write("[A]\r\n");
    ASSERT_TRUE(IniOpen(path_));
    IniSelectGroup("A");
    IniWriteInt("k", 1);
    ASSERT_TRUE(IniOpen(other));
    EXPECT_EQ(Read(), "[A]\r\nk = 1\r\n");
    EXPECT_FALSE(IniSelectGroup("A"));  // nothing of the first file is left
    EXPECT_TRUE(IniSelectGroup("B"));
    EXPECT_EQ(IniReadInt("x", 0), 1);
}

}  // namespace
}  // namespace kelvaro
