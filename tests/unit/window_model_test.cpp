#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "inspector/window_model.h"

namespace kelvaro {
namespace {

// A fake desktop: top-level windows in z-order, their owners, the owners' first modules,
// the windows inside them and the icons of files. Counts the system calls it answers.
class WindowModelTest : public ::testing::Test {
protected:
    WindowModelTest() {
        services_.forEachTopLevelWindow = [this](const std::function<void(WindowHandle)>& visit) {
            for (WindowHandle window : topLevel_)
                visit(window);
        };
        services_.owningProcessId = [this](WindowHandle window) {
            auto it = owner_.find(window);
            return it == owner_.end() ? 0u : it->second;
        };
        services_.firstModulePath = [this](uint32_t pid) -> std::optional<std::string> {
            ++moduleLookups_[pid];
            auto it = modules_.find(pid);
            if (it == modules_.end()) return std::nullopt;
            return it->second;
        };
        services_.appendDescendants = [this](WindowHandle window, std::vector<WindowHandle>& out) {
            auto it = descendants_.find(window);
            if (it != descendants_.end())
                out.insert(out.end(), it->second.begin(), it->second.end());
        };
        services_.smallFileIcon = [this](const std::string& path) {
            iconRequests_.push_back(path);
            return static_cast<IconHandle>(100 + iconRequests_.size());
        };
    }

    void AddWindow(WindowHandle window, uint32_t pid) {
        topLevel_.push_back(window);
        owner_[window] = pid;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const ApplicationRecord& record : list_)
            names.push_back(record.Name);
        return names;
    }

    static std::vector<WindowHandle> Handles(const ApplicationRecord& record) {
        std::vector<WindowHandle> handles;
        for (const WindowRecord& window : record.Windows)
            handles.push_back(window.Handle);
        return handles;
    }

    WindowServices services_;
    std::vector<WindowHandle> topLevel_;
    std::map<WindowHandle, uint32_t> owner_;
    std::map<uint32_t, std::string> modules_;
    std::map<WindowHandle, std::vector<WindowHandle>> descendants_;
    std::map<uint32_t, int> moduleLookups_;
    std::vector<std::string> iconRequests_;
    ApplicationList list_;
};

TEST_F(WindowModelTest, GroupsInstancesAndFoldersByExactFileNameInTheOrderMet) {
    modules_[10] = "C:\\Programme\\Tool\\app.exe";
    modules_[20] = "D:\\Kopie\\app.exe";
    modules_[30] = "C:\\Windows\\explorer.exe";
    AddWindow(0x1001, 10);
    AddWindow(0x1002, 30);
    AddWindow(0x1003, 20);
    AddWindow(0x1004, 10);
    EnumerateWindows(list_, services_);

    ASSERT_EQ(Names(), (std::vector<std::string>{"app.exe", "explorer.exe"}));
    EXPECT_EQ(Handles(list_[0]), (std::vector<WindowHandle>{0x1001, 0x1003, 0x1004}));
    EXPECT_EQ(Handles(list_[1]), (std::vector<WindowHandle>{0x1002}));
    // One icon per record, taken from the file of the first process met.
    EXPECT_EQ(iconRequests_, (std::vector<std::string>{"C:\\Programme\\Tool\\app.exe",
                                                       "C:\\Windows\\explorer.exe"}));
    EXPECT_EQ(list_[0].Icon, 101);
    EXPECT_EQ(list_[1].Icon, 102);
}

TEST_F(WindowModelTest, NamesThatDifferOnlyInLetterCaseGiveSeparateRecords) {
    modules_[1] = "C:\\a\\Tool.exe";
    modules_[2] = "C:\\b\\tool.exe";
    modules_[3] = "C:\\c\\TOOL.EXE";
    modules_[4] = "C:\\d\\tool.exe";
    AddWindow(11, 1);
    AddWindow(12, 2);
    AddWindow(13, 3);
    AddWindow(14, 4);
    EnumerateWindows(list_, services_);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Tool.exe", "tool.exe", "TOOL.EXE"}));
    EXPECT_EQ(Handles(list_[1]), (std::vector<WindowHandle>{12, 14}));
}

TEST_F(WindowModelTest, LeavesOutUninspectableProcessesEmptyNamesAndVanishedWindows) {
    modules_[0] = "C:\\Kelvaro\\Kelvaro(x64).exe";  // what a snapshot of id 0 would describe
    modules_[5] = "C:\\Spiele\\";                   // a path ending in a backslash
    modules_[6] = "plain.exe";                      // a path without any backslash
    modules_[7] = "C:\\ok\\ok.exe";
    AddWindow(50, 4);  // process whose modules cannot be read
    AddWindow(51, 5);
    topLevel_.push_back(52);  // destroyed since it was reported: no owner
    AddWindow(53, 6);
    AddWindow(54, 7);
    EnumerateWindows(list_, services_);

    EXPECT_EQ(Names(), (std::vector<std::string>{"plain.exe", "ok.exe"}));
    EXPECT_EQ(moduleLookups_.count(0), 0u);
    EXPECT_EQ(iconRequests_, (std::vector<std::string>{"plain.exe", "C:\\ok\\ok.exe"}));
}

TEST_F(WindowModelTest, ReadsTheModuleOfEachProcessOnceAlsoWhenItFails) {
    modules_[10] = "C:\\x\\a.exe";
    AddWindow(1, 10);
    AddWindow(2, 99);
    AddWindow(3, 10);
    AddWindow(4, 99);
    AddWindow(5, 10);
    EnumerateWindows(list_, services_);
    EXPECT_EQ(moduleLookups_, (std::map<uint32_t, int>{{10, 1}, {99, 1}}));
    ASSERT_EQ(list_.size(), 1u);
    EXPECT_EQ(Handles(list_[0]), (std::vector<WindowHandle>{1, 3, 5}));

    // A new enumeration asks again: processes may have ended or started in between.
    list_.clear();
    EnumerateWindows(list_, services_);
    EXPECT_EQ(moduleLookups_, (std::map<uint32_t, int>{{10, 2}, {99, 2}}));
}

TEST_F(WindowModelTest, KeepsEveryDescendantOfEachWindowInOneFlatListInReportedOrder) {
    modules_[1] = "C:\\a.exe";
    AddWindow(100, 1);
    AddWindow(200, 1);
    // Depth-first as the system reports it: 101 with 102 under it and 103 under 102.
    descendants_[100] = {101, 102, 103, 104};
    EnumerateWindows(list_, services_);
    ASSERT_EQ(list_.size(), 1u);
    ASSERT_EQ(list_[0].Windows.size(), 2u);
    EXPECT_EQ(list_[0].Windows[0].Children, (std::vector<WindowHandle>{101, 102, 103, 104}));
    EXPECT_TRUE(list_[0].Windows[1].Children.empty());
}

TEST_F(WindowModelTest, ClearReleasesEveryIconOnceAndEmptiesTheList) {
    list_.push_back({"a.exe", 7, {{1, {2, 3}}}});
    list_.push_back({"b.exe", 0, {}});
    list_.push_back({"c.exe", -5, {{4, {}}}});  // a handle with the top bit of the low half set
    std::vector<IconHandle> released;
    ClearApplications(list_, [&](IconHandle icon) { released.push_back(icon); });
    EXPECT_TRUE(list_.empty());
    EXPECT_EQ(released, (std::vector<IconHandle>{7, -5}));

    ClearApplications(list_, [&](IconHandle icon) { released.push_back(icon); });
    EXPECT_EQ(released.size(), 2u);
}

TEST(FileNameOfPath, TakesTheTextAfterTheLastBackslash) {
    EXPECT_EQ(FileNameOfPath("C:\\Windows\\System32\\notepad.exe"), "notepad.exe");
    EXPECT_EQ(FileNameOfPath("notepad.exe"), "notepad.exe");
    EXPECT_EQ(FileNameOfPath("C:\\dir\\"), "");
    EXPECT_EQ(FileNameOfPath("Z:/home/user/tool.exe"), "Z:/home/user/tool.exe");
    EXPECT_EQ(FileNameOfPath(""), "");
}

}  // namespace
}  // namespace kelvaro
