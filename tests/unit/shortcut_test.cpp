// The properties a shell link is written with, and where the autostart shortcut goes.
#include "shell/shortcut.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

constexpr const char* kProgram = "C:\\Programme\\Kelvaro\\Kelvaro(x64).exe";

TEST(Shortcut, EmptyWorkingFolderIsTheTargetsFolderWithItsBackslash) {
    ShortcutProperties link;
    link.target = kProgram;
    EXPECT_EQ(WithShortcutDefaults(link).workingFolder, "C:\\Programme\\Kelvaro\\");
    link.target = "Z:\\tmp\\a b\\x.exe";
    EXPECT_EQ(WithShortcutDefaults(link).workingFolder, "Z:\\tmp\\a b\\");
    link.target = "x.exe";
    EXPECT_EQ(WithShortcutDefaults(link).workingFolder, "");
    link.workingFolder = "D:\\Arbeit";
    EXPECT_EQ(WithShortcutDefaults(link).workingFolder, "D:\\Arbeit");
}

TEST(Shortcut, IconFileBarAloneMeansTheTarget) {
    ShortcutProperties link;
    link.target = kProgram;
    link.iconFile = "|";
    link.iconIndex = 3;
    EXPECT_EQ(WithShortcutDefaults(link).iconFile, kProgram);
    EXPECT_EQ(WithShortcutDefaults(link).iconIndex, 3);
    link.iconFile = "C:\\icons\\a.ico";
    EXPECT_EQ(WithShortcutDefaults(link).iconFile, "C:\\icons\\a.ico");
    link.iconFile = "||";
    EXPECT_EQ(WithShortcutDefaults(link).iconFile, "||");
    link.iconFile = "";
    EXPECT_EQ(WithShortcutDefaults(link).iconFile, "");
}

TEST(Shortcut, AutostartShortcutStartsTheProgramInItsFolderWithItsIcon) {
    const ShortcutProperties link =
        WithShortcutDefaults(AutostartShortcut(kProgram, "C:\\Startup\\Kelvaro.lnk"));
    EXPECT_EQ(link.target, kProgram);
    EXPECT_EQ(link.linkFile, "C:\\Startup\\Kelvaro.lnk");
    EXPECT_EQ(link.workingFolder, "C:\\Programme\\Kelvaro\\");
    EXPECT_EQ(link.iconFile, kProgram);
}

TEST(Shortcut, AutostartLinkLiesInTheStartupFolderOrNowhere) {
    EXPECT_EQ(AutostartLinkPath("C:\\users\\a\\Start Menu\\Programs\\StartUp\\"),
              "C:\\users\\a\\Start Menu\\Programs\\StartUp\\Kelvaro.lnk");
    EXPECT_EQ(AutostartLinkPath("C:\\StartUp"), "C:\\StartUp\\Kelvaro.lnk");
    // The shell could not name the folder: no path, rather than the root of the drive.
    EXPECT_EQ(AutostartLinkPath(""), "");
    EXPECT_EQ(AutostartLinkPath("\\"), "");
}

}  // namespace
}  // namespace kelvaro
