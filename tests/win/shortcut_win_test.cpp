// Shell links against the real shell under Wine, while another program holds the link open
// for a moment, as Wine's menu builder does with every link it is told about: removing and
// overwriting wait until the file is released instead of leaving the old link behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "common/scoped_win.h"
#include "shell/shortcut.h"
#include "shell/shortcut_win.h"
#include "support/shell_link_win.h"
#include "support/temp_dir.h"

namespace kelvaro {
namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string OwnProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Opens the file as a reader that allows no deletion, and lets it go after a moment on a
// thread of its own.
class BriefReader {
public:
    explicit BriefReader(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~BriefReader() {
        if (releaser_.joinable()) releaser_.join();
    }
    bool holds() const { return static_cast<bool>(file_); }
    void ReleaseAfter(DWORD milliseconds) {
        releaser_ = std::thread([this, milliseconds] {
            Sleep(milliseconds);
            file_.reset();
        });
    }

private:
    ScopedHandle file_;
    std::thread releaser_;
};

class ShortcutWin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateShortcut(AutostartShortcut(OwnProgram(), link_)));
        ASSERT_TRUE(Exists(link_));
    }
    test::TempDir folder_;
    const std::string link_ = folder_.File("Kelvaro.lnk");
};

TEST_F(ShortcutWin, ALinkHeldOpenForAMomentIsRemovedOnceItIsReleased) {
    BriefReader reader(link_);
    ASSERT_TRUE(reader.holds());
    // What a plain delete meets while the reader holds the file.
    ASSERT_FALSE(DeleteFileA(link_.c_str()));
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

    reader.ReleaseAfter(300);
    EXPECT_EQ(RemoveShortcut(link_), 1);
    EXPECT_FALSE(Exists(link_));
    // Nothing left to remove is no failure.
    EXPECT_EQ(RemoveShortcut(link_), 1);
}

TEST_F(ShortcutWin, ALinkHeldOpenForAMomentIsOverwrittenOnceItIsReleased) {
    ShortcutProperties changed = AutostartShortcut(OwnProgram(), link_);
    changed.arguments = "--zweiter-stand";
    BriefReader reader(link_);
    ASSERT_TRUE(reader.holds());
    reader.ReleaseAfter(300);
    EXPECT_EQ(CreateShortcut(changed), 1);
    const std::optional<test::ShellLinkInfo> written = test::ReadShellLink(link_);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->arguments, "--zweiter-stand");
}

}  // namespace
}  // namespace kelvaro
