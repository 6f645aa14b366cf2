// The window half of the "Fenster" page against the real window system under Wine: the
// node texts of a tree build (class names shared by class atom) against the texts read
// window by window, and the capture of a window into the preview picture.
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "inspector/window_preview_win.h"
#include "inspector/window_system_win.h"
#include "inspector/window_tree.h"
#include "support/window_target_process.h"

namespace kelvaro {
namespace {

using test::WindowTargetProcess;

class WindowPageWin : public ::testing::Test {
protected:
    WindowPageWin() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~WindowPageWin() override {
        ClearApplications();
        ReleasePreviewPicture();
        CoUninitialize();
    }
};

TEST_F(WindowPageWin, EveryNodeTextOfABuildIsTheTextReadFromItsWindow) {
    WindowTargetProcess first(test::WindowTargetPath(), "--tag Eins --inner 40");
    WindowTargetProcess second(test::WindowTargetPath(), "--tag Zwei");
    ASSERT_TRUE(first.started() && second.started());
    ClearApplications();
    EnumerateWindows();
    BuildProgramWindowTree();

    const std::vector<TreeNode>& nodes = ProgramWindowTree().Nodes;
    size_t position = 0;
    size_t checked = 0;
    const auto expect = [&](WindowHandle window) {
        ASSERT_LT(position, nodes.size());
        EXPECT_EQ(nodes[position].Text, ReadWindowNodeText(window)) << position;
        ++position;
        ++checked;
    };
    for (const ApplicationRecord& application : ProgramApplications()) {
        ASSERT_LT(position, nodes.size());
        EXPECT_EQ(nodes[position++].Text, application.Name);
        for (const WindowRecord& window : application.Windows) {
            expect(window.Handle);
            for (WindowHandle child : window.Children) expect(child);
        }
    }
    EXPECT_EQ(position, nodes.size());
    // Many windows share a class, and several classes occur: the names shared by atom
    // were put to the test.
    const auto withClass = [&](const std::string& suffix) {
        return std::count_if(nodes.begin(), nodes.end(), [&](const TreeNode& node) {
            return node.Text.size() >= suffix.size() &&
                   node.Text.compare(node.Text.size() - suffix.size(), suffix.size(), suffix) == 0;
        });
    };
    EXPECT_GE(withClass("(Static)"), 40);
    EXPECT_GE(withClass("(KvTargetPlain)"), 6);
    EXPECT_GE(withClass("(KvTargetPanel)"), 4);
    EXPECT_GE(withClass("(Button)"), 2);
    EXPECT_GE(checked, 60u);
}

TEST_F(WindowPageWin, CapturedPictureHasTheOuterSizeAndGoesWithAnEmptyOrGoneWindow) {
    WindowTargetProcess target(test::WindowTargetPath(), "--tag Bild --picture 300x200+900+100");
    ASSERT_TRUE(target.started());
    HWND picture = nullptr;
    for (HWND window : test::TopLevelWindowsOf(target.processId())) {
        if (ReadWindowClass(FromHwnd(window)) == test::kTargetPictureClass) picture = window;
    }
    ASSERT_NE(picture, nullptr);

    CaptureWindow(FromHwnd(picture));
    EXPECT_EQ(PreviewPictureSize().Width, 300);
    EXPECT_EQ(PreviewPictureSize().Height, 200);
    // Frame included: the main window's outer rectangle.
    CaptureWindow(FromHwnd(target.mainWindow()));
    EXPECT_EQ(PreviewPictureSize().Width, 420);
    EXPECT_EQ(PreviewPictureSize().Height, 300);

    ASSERT_TRUE(
        SetWindowPos(picture, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    CaptureWindow(FromHwnd(picture));
    EXPECT_FALSE(PreviewPictureSize().Exists());

    CaptureWindow(FromHwnd(target.mainWindow()));
    ASSERT_TRUE(PreviewPictureSize().Exists());
    ASSERT_TRUE(target.Command(test::kTargetQuit));
    ASSERT_TRUE(test::WaitForGone(target.mainWindow()));
    CaptureWindow(FromHwnd(target.mainWindow()));
    EXPECT_FALSE(PreviewPictureSize().Exists());
}

}  // namespace
}  // namespace kelvaro
