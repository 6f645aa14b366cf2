// The settings file access layer against real files under Windows: the working directory,
// share modes, and files that can only be read. (The unit tests of the layer run in this
// build too, over the same file edge.)
#include <windows.h>

#include <gtest/gtest.h>

#include "common/scoped_win.h"
#include "ini/ini.h"
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
        GTEST_SKIP() << "this account may write read-only files";
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

}  // namespace
}  // namespace kelvaro
