#include <gtest/gtest.h>

#include <set>

#include "shell/about.h"
#include "shell/ids.h"

namespace kelvaro {
namespace {

// One dispatcher serves all four windows, so a control number may stand for one control
// only, and every number 0-24 has its window.
TEST(ShellIds, EveryControlNumberIsUsedOnceAcrossAllWindows) {
    std::set<int> seen;
    for (const ControlPlacement& placement : ControlPlacements()) {
        EXPECT_TRUE(seen.insert(placement.control).second) << "control " << placement.control;
        EXPECT_GE(placement.window, WndMain);
        EXPECT_LE(placement.window, WndSearch);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kControlCount));
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), kControlCount - 1);
}

TEST(ShellIds, ControlsLieInTheirWindows) {
    for (ControlId id : {CtlTabs, CtlProcessList, CtlDescription, CtlProcessSplitter, CtlWindowTree,
                         CtlWindowProperties, CtlPreview, CtlDetailsSplitter, CtlWindowSplitter}) {
        EXPECT_EQ(WindowOfControl(id), WndMain) << id;
    }
    for (int id = CtlAutostart; id <= CtlCancel; ++id) {
        EXPECT_EQ(WindowOfControl(static_cast<ControlId>(id)), WndSettings) << id;
    }
    for (int id = CtlKillList; id <= CtlKillRemove; ++id) {
        EXPECT_EQ(WindowOfControl(static_cast<ControlId>(id)), WndKillList) << id;
    }
    for (int id = CtlSearchText; id <= CtlSearchButton; ++id) {
        EXPECT_EQ(WindowOfControl(static_cast<ControlId>(id)), WndSearch) << id;
    }
}

// The menus and the toolbar's tool tips take their texts from here; the bytes are the
// Windows-1252 ones the ANSI menus show.
TEST(ShellIds, CommandTextsAreTheMenuTexts) {
    EXPECT_EQ(CommandText(CmdOpenFromTray),
              "\xD6"
              "ffnen");
    EXPECT_EQ(CommandText(CmdTrayQuit), "Beenden");
    EXPECT_EQ(CommandText(CmdSearchProcess), "Prozess suchen...");
    EXPECT_EQ(CommandText(CmdRefreshLists), "Liste aktualisieren");
    EXPECT_EQ(CommandText(CmdCheckForUpdates),
              "Auf Updates pr\xFC"
              "fen");
    EXPECT_EQ(CommandText(CmdSettings), "Einstellungen");
    EXPECT_EQ(CommandText(CmdQuit), "Beenden");
    EXPECT_EQ(CommandText(CmdSortByPriority), "Priorit\xE4t");
    EXPECT_EQ(CommandText(CmdKillListWindow),
              "Bestimmte Prozesse beenden, wenn sie gefunden werden...");
    EXPECT_EQ(CommandText(CmdAlwaysOnTop), "Immer im Vordergrund");
    EXPECT_EQ(CommandText(CmdAbout),
              "\xDC"
              "ber");
    EXPECT_EQ(CommandText(CmdCloseWindow), "Fenster schliessen");
    EXPECT_EQ(CommandText(CmdBringWindowToFront), "Fenster in Vordergrund setzen");
    for (int id = 0; id < kCommandCount; ++id) {
        EXPECT_FALSE(CommandText(static_cast<CommandId>(id)).empty()) << id;
    }
    EXPECT_TRUE(CommandText(static_cast<CommandId>(kCommandCount)).empty());
    EXPECT_TRUE(CommandText(static_cast<CommandId>(-1)).empty());
}

TEST(ShellAbout, FirstLineIsNameAndVersionThenTheCredits) {
    const std::string text = AboutText("1.5");
    ASSERT_EQ(text.rfind("Kelvaro 1.5\n", 0), 0u) << text;
    EXPECT_NE(text.find("Kontakt"), std::string::npos);
    EXPECT_NE(text.find("Symbole"), std::string::npos);
    EXPECT_STREQ(kAboutCaption,
                 "\xDC"
                 "ber");
}

}  // namespace
}  // namespace kelvaro
