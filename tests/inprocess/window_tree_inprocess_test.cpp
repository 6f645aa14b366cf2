// The window tree control from inside the program: its nodes are the model's nodes in
// display order with their levels and icons, and a node selected on the control gives
// the selection path and the selected window of the model.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inprocess/harness.h"
#include "inspector/window_tree.h"
#include "inspector/window_view_win.h"
#include "ui/ids.h"
#include "ui/program_windows_win.h"

namespace kelvaro::test {
namespace {

struct ControlNode {
    HTREEITEM item = nullptr;
    std::string text;
    int depth = 0;
    LPARAM value = 0;
    int image = 0;
    bool expanded = false;
};

void Collect(HWND tree, HTREEITEM first, int depth, std::vector<ControlNode>& out) {
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        char text[1024] = {};
        TVITEMA query{};
        query.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = sizeof(text);
        query.stateMask = TVIS_EXPANDED;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        out.push_back(
            {item, text, depth, query.lParam, query.iImage, (query.state & TVIS_EXPANDED) != 0});
        Collect(tree, TreeView_GetChild(tree, item), depth + 1, out);
    }
}

// The nodes of the tree control depth first, read on the program's thread.
std::vector<ControlNode> ControlNodes() {
    std::vector<ControlNode> nodes;
    RunOnMainThread([&nodes] {
        const HWND tree = ControlHandle(CtlWindowTree);
        Collect(tree, TreeView_GetRoot(tree), 0, nodes);
    });
    return nodes;
}

TEST(WindowTreeControl, HoldsTheModelsNodesInDisplayOrderWithTheApplicationsIcons) {
    WindowTreeModel model;
    int images = -1;
    ASSERT_TRUE(RunOnMainThread([&] {
        RefreshWindowView(false);
        model = ProgramWindowTree();
        const HWND tree = ControlHandle(CtlWindowTree);
        const auto list =
            reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
        images = list != nullptr ? ImageList_GetImageCount(list) : -1;
    }));
    const std::vector<ControlNode> nodes = ControlNodes();
    ASSERT_EQ(nodes.size(), model.Nodes.size());
    ASSERT_GT(model.InnerWindowCount, 0);
    int applicationsWithIcon = 0;
    for (size_t i = 0; i < nodes.size(); ++i) {
        SCOPED_TRACE(i);
        const TreeNode& expected = model.Nodes[i];
        EXPECT_EQ(nodes[i].text, expected.Text);
        EXPECT_EQ(nodes[i].depth, expected.Level);
        EXPECT_EQ(nodes[i].value, static_cast<LPARAM>(i));
        EXPECT_FALSE(nodes[i].expanded);
        if (expected.Icon == 0) {
            EXPECT_LT(nodes[i].image, 0);
        } else {
            EXPECT_GE(nodes[i].image, 0);
        }
        if (expected.Level == LevelApplication && expected.Icon != 0) ++applicationsWithIcon;
        // A window's nodes show the image of its application's node.
        if (expected.Level > LevelApplication) {
            size_t application = i;
            while (model.Nodes[application].Level != LevelApplication) --application;
            EXPECT_EQ(nodes[i].image, nodes[application].image);
        }
    }
    EXPECT_GT(applicationsWithIcon, 0);
    EXPECT_EQ(images, applicationsWithIcon);
}

TEST(WindowTreeControl, ANodeSelectedOnTheControlGivesItsPathAndWindow) {
    ASSERT_TRUE(RunOnMainThread([] { RefreshWindowView(false); }));
    const std::vector<ControlNode> nodes = ControlNodes();
    // The last inner-window node, with the window and the application above it.
    int inner = -1, window = -1, application = -1;
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        if (nodes[i].depth == 2) inner = i;
    }
    ASSERT_GE(inner, 0);
    for (window = inner; nodes[window].depth != 1;) --window;
    for (application = window; nodes[application].depth != 0;) --application;

    // The selection change runs once the handler that selected the node has ended.
    ASSERT_TRUE(RunOnMainThread([&] {
        SendMessageA(ControlHandle(CtlWindowTree), TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(nodes[inner].item));
    }));
    std::string path;
    WindowSelection selection;
    WindowHandle expected = 0;
    char handleText[32] = {};
    const auto read = [&] {
        path = SelectedNodePath();
        selection = ProgramWindowSelection();
        ListView_GetItemText(ControlHandle(CtlWindowProperties), 3, 1, handleText,
                             sizeof(handleText));
        const ApplicationList& applications = ProgramApplications();
        expected = 0;
        const auto within = [](int32_t position, size_t size) {
            return position >= 0 && static_cast<size_t>(position) < size;
        };
        if (!within(selection.CurrentApplication, applications.size())) return;
        const ApplicationRecord& record = applications[selection.CurrentApplication];
        if (!within(selection.CurrentWindow, record.Windows.size())) return;
        const WindowRecord& top = record.Windows[selection.CurrentWindow];
        if (within(selection.ChildPosition, top.Children.size())) {
            expected = top.Children[selection.ChildPosition];
        }
    };
    for (int i = 0; i < 100 && selection.SelectedWindow == 0; ++i) {
        ASSERT_TRUE(RunOnMainThread(read));
    }
    EXPECT_EQ(path, std::to_string(application) + "/" + std::to_string(window) + "/" +
                        std::to_string(inner));
    EXPECT_EQ(selection.Depth, 2);
    EXPECT_EQ(selection.SelectedWindow, expected);
    EXPECT_NE(expected, 0u);
    EXPECT_EQ(std::string(handleText), std::to_string(static_cast<int64_t>(expected)));

    // A refresh leaves no node and no window selected, and blanks the values.
    ASSERT_TRUE(RunOnMainThread([&] {
        RefreshWindowView(true);
        read();
    }));
    EXPECT_EQ(path, "");
    EXPECT_EQ(selection.SelectedWindow, 0u);
    EXPECT_EQ(std::string(handleText), "");
}

}  // namespace
}  // namespace kelvaro::test
