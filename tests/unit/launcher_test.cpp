#include "netupdate/launcher.h"

#include <gtest/gtest.h>

namespace kelvaro::net {
namespace {

TEST(Launcher, CommandLineQuotesTheProgramAndAddsParametersAfterOneBlank) {
    EXPECT_EQ(BuildCommandLine("KelvaroUpdate.exe", "Kelvaro(x64).exe"),
              "\"KelvaroUpdate.exe\" Kelvaro(x64).exe");
    EXPECT_EQ(BuildCommandLine("Kelvaro(x64).exe", ""), "\"Kelvaro(x64).exe\"");
    EXPECT_EQ(BuildCommandLine("C:\\Program Files\\K\\a.exe", "\"x y\"  z "),
              "\"C:\\Program Files\\K\\a.exe\" \"x y\"  z ");
    EXPECT_EQ(BuildCommandLine("\"C:\\K\\a.exe\" -q", "p"), "\"C:\\K\\a.exe\" -q p");
}

TEST(Launcher, ShellFolderIsTheGivenOneOrTheProgramsFolder) {
    EXPECT_EQ(ShellDirectoryFor("C:\\K\\a.exe", "D:\\Arbeit"), "D:\\Arbeit");
    EXPECT_EQ(ShellDirectoryFor("C:\\K\\Unter\\a.exe", ""), "C:\\K\\Unter\\");
    EXPECT_EQ(ShellDirectoryFor("a.exe", ""), "");
    EXPECT_EQ(ShellDirectoryFor("\\a.exe", ""), "");  // a backslash only at the start
    EXPECT_EQ(ShellDirectoryFor("x\\", ""), "x\\");
}

}  // namespace
}  // namespace kelvaro::net
