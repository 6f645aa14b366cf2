// The settings file access layer against real files under Windows: the working directory,
// share modes, and files that can only be read. (The unit tests of the layer run in this
// build too, over the same file edge.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/scoped_win.h"
#include "ini/ini.h"
#include "ini/ini_file.h"
#include "support/temp_dir.h"

namespace kelvaro {
namespace {

class IniFileWin : public testing::Test {
protected:
    ~IniFileWin() override {
        IniClose();
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    void Write(const std::string& bytes) { test::WriteBytes(path_, bytes); }
    std::string Read() const { return test::ReadBytes(path_); }
    ScopedHandle OpenOther(DWORD access, DWORD share) const {
        return ScopedHandle(CreateFileA(path_.c_str(), access, share, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    // A save of the settings as the program makes it.
    static void ChangeTimeout() {
        IniSelectGroup("Einstellungen");
        IniWriteInt("Timeout", 30);
    }

    test::TempDir dir_;
    std::string path_ = dir_.File(kSettingsFileName);
};

TEST_F(IniFileWin, OpensByBareNameInTheWorkingDirectory) {
    test::WorkingDirectory cwd(dir_.path());
    EXPECT_FALSE(IniOpen(kSettingsFileName));
    ChangeTimeout();
    IniClose();
    EXPECT_EQ(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);  // not created
    Write("[Einstellungen]\nTimeout=5\n");
    ASSERT_TRUE(IniOpen(kSettingsFileName));
    ChangeTimeout();
    IniClose();
    EXPECT_EQ(Read(), "[Einstellungen]\r\nTimeout = 30\r\n");
}

TEST_F(IniFileWin, WhileOpenOthersMayReadButNotWrite) {
    Write("[Einstellungen]\r\nTimeout=5\r\n");
    ASSERT_TRUE(IniOpen(path_));
    EXPECT_TRUE(OpenOther(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_FALSE(OpenOther(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    IniClose();
    EXPECT_TRUE(OpenOther(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
}

TEST_F(IniFileWin, ReadOnlyFileIsReadAndLeftUnchanged) {
    const std::string before = "[Einstellungen]\r\nTimeout=5\r\n";
    Write(before);
    ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
    if (OpenOther(GENERIC_WRITE, FILE_SHARE_READ)) {
        // Wine maps the attribute to the Unix file mode, which root may write all the same.
        GTEST_SKIP() << "this account may write read-only files: run by the win_read_only "
                        "entry of the test command, as an account without root's rights";
    }
    ASSERT_TRUE(IniOpen(path_));
    ChangeTimeout();
    EXPECT_EQ(IniReadInt("Timeout", 0), 30);  // the change holds until the file is closed
    IniClose();
    EXPECT_EQ(Read(), before);
}

TEST_F(IniFileWin, FileThatAnotherReaderKeepsFromWritersIsReadButNotChanged) {
    const std::string before = "[Einstellungen]\r\nTimeout=5\r\n";
    Write(before);
    {
        ScopedHandle reader = OpenOther(GENERIC_READ, FILE_SHARE_READ);
        ASSERT_TRUE(reader);
        ASSERT_TRUE(IniOpen(path_));
        EXPECT_EQ((IniSelectGroup("Einstellungen"), IniReadInt("Timeout", 0)), 5);
        ChangeTimeout();
        IniClose();
    }
    EXPECT_EQ(Read(), before);
}

TEST_F(IniFileWin, FileHeldOpenForWritingByAnotherHandleIsReadButNotChanged) {
    const std::string before = "[Einstellungen]\r\nTimeout=5\r\n";
    Write(before);
    {
        ScopedHandle writer = OpenOther(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(writer);
        ASSERT_TRUE(IniOpen(path_));
        EXPECT_EQ((IniSelectGroup("Einstellungen"), IniReadInt("Timeout", 0)), 5);
        ChangeTimeout();
        IniClose();
    }
    EXPECT_EQ(Read(), before);
}

// A program that dies between writing the new contents and the swap leaves the old file
// whole; the next save goes through.
TEST_F(IniFileWin, ACrashBeforeTheSwapLeavesTheOldFileWhole) {
    const std::string before = "[Einstellungen]\r\nTimeout=5\r\n";
    Write(before);
    EXPECT_EXIT(
        {
            IniFile::SetBeforeSwapHook([] { ExitProcess(7); });
            IniOpen(path_);
            ChangeTimeout();
            IniClose();
        },
        testing::ExitedWithCode(7), "");
    EXPECT_EQ(Read(), before);
    ASSERT_TRUE(IniOpen(path_));
    ChangeTimeout();
    IniClose();
    EXPECT_EQ(Read(), "[Einstellungen]\r\nTimeout = 30\r\n");
    EXPECT_EQ(dir_.Count(), 1u);
}

// On a small file system that is full: the larger file cannot be written, and the old one
// stays whole and unchanged (Wine reports a short write as success; the count tells).
// Once there is room, the same save succeeds. The test command runs this suite alone, in a
// file system of its own that it mounts for the purpose (KELVARO_FULL_DISK_DIR).
TEST(IniFullDisk, ASaveThatDoesNotFitLeavesTheOldFileWhole) {
    const char* folder = std::getenv("KELVARO_FULL_DISK_DIR");
    ASSERT_NE(folder, nullptr) << "run by the win_full_disk entry of the test command";
    const std::string path = std::string(folder) + "\\" + kSettingsFileName;
    const std::string fill = std::string(folder) + "\\fill";
    std::string before = "[Prozesse zum Beenden]\r\n";
    for (int i = 0; i < 100; ++i) before += "p" + std::to_string(i) + " = alt" + std::to_string(i) + ".exe\r\n";
    test::WriteBytes(path, before);
    {
        // Fills the file system: blocks until one no longer fits whole.
        ScopedHandle filler(CreateFileA(fill.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(filler);
        const std::string block(4096, 'f');
        DWORD written = block.size();
        while (written == block.size() &&
               WriteFile(filler.get(), block.data(), block.size(), &written, nullptr)) {
        }
    }
    const auto saveLongerList = [&] {
        ASSERT_TRUE(IniOpen(path));
        IniSelectGroup("Prozesse zum Beenden");
        for (int i = 0; i < 300; ++i) {
            IniWriteText("p" + std::to_string(i), "neu" + std::to_string(i) + ".exe");
        }
        IniClose();
    };
    saveLongerList();
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(test::FileNamesIn(folder), (std::set<std::string>{kSettingsFileName, "fill"}));

    ASSERT_TRUE(DeleteFileA(fill.c_str()));
    saveLongerList();
    const std::string after = test::ReadBytes(path);
    EXPECT_NE(after.find("p299 = neu299.exe\r\n"), std::string::npos);
    EXPECT_EQ(after.find("alt"), std::string::npos);
    DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace kelvaro
