#include <gtest/gtest.h>

#include <set>

#include "shell/about.h"
#include "ui/ids.h"

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

// Every command has its text; the menus built from these are checked in the test build.
TEST(ShellIds, EveryCommandHasATextAndNothingElseHasOne) {
    for (int id = 0; id < kCommandCount; ++id) {
        EXPECT_FALSE(CommandText(static_cast<CommandId>(id)).empty()) << id;
    }
    EXPECT_TRUE(CommandText(static_cast<CommandId>(kCommandCount)).empty());
    EXPECT_TRUE(CommandText(static_cast<CommandId>(-1)).empty());
    // Commands 1 and 6 are both "Beenden" (tray popup and menu "Datei").
    EXPECT_EQ(CommandText(CmdTrayQuit), CommandText(CmdQuit));
}

TEST(ShellAbout, FirstLineIsNameAndVersionThenTheCredits) {
    const std::string text = AboutText("1.5");
    ASSERT_EQ(text.rfind("Kelvaro 1.5\n", 0), 0u) << text;
    EXPECT_NE(text.find("Kontakt"), std::string::npos);
    EXPECT_NE(text.find("Symbole"), std::string::npos);
}

}  // namespace
}  // namespace kelvaro
