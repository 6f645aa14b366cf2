#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "inspector/window_tree.h"

namespace kelvaro {
namespace {

std::vector<std::string> Names(const ApplicationList& list) {
    std::vector<std::string> names;
    for (const ApplicationRecord& record : list)
        names.push_back(record.Name);
    return names;
}

TEST(SortApplications, OrdersByUnsignedBytesFoldingOnlyAToZAndKeepsTies) {
    ApplicationList list;
    for (const char* name : {"b.exe", "\xD6l.exe", "a.exe", "_x.exe", "\xE9t\xE9.exe", "A.exe",
                             "B.exe", "ab.exe", "\xF6l.exe", "Zeta.exe"}) {
        list.push_back({name, 0, {}});
    }
    list[5].Windows.push_back({55, {56}});  // records move whole
    SortApplications(list);
    // '_' lies between the capitals and the small letters; Ö (0xD6) is no letter to fold, and
    // bytes above 0x7F sort after every ASCII byte.
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"_x.exe", "a.exe", "A.exe", "ab.exe", "b.exe", "B.exe",
                                        "Zeta.exe", "\xD6l.exe", "\xE9t\xE9.exe", "\xF6l.exe"}));
    ASSERT_EQ(list[2].Windows.size(), 1u);
    EXPECT_EQ(list[2].Windows[0].Children, std::vector<WindowHandle>{56});
}

// The tree of the example: application 0 with window 1 (inner windows 2 and 3) and window
// 4, then application 5 with window 6. The list starts unsorted.
class WindowTreeTest : public ::testing::Test {
protected:
    WindowTreeTest() {
        list_.push_back({"zeta.exe", 22, {{0x60, {}}}});
        list_.push_back({"Alpha.exe", 11, {{0x10, {0x20, 0x30}}, {0x40, {}}}});
        titles_ = {{0x10, "Haupt"}, {0x20, ""}, {0x30, "OK"}, {0x40, "Werkzeug"}, {0x60, "Z"}};
        BuildWindowTreeModel(
            list_,
            [this](WindowHandle window) {
                ++textReads_;
                std::string className = "K";
                className += std::to_string(window);
                return FormatWindowNodeText(titles_[window], className);
            },
            model_);
    }

    ApplicationList list_;
    std::map<WindowHandle, std::string> titles_;
    int textReads_ = 0;
    WindowTreeModel model_;
    WindowSelection selection_;
};

TEST_F(WindowTreeTest, BuildsNodesDepthFirstWithPositionsIconsAndCounters) {
    struct Expected {
        std::string text;
        int32_t level, value;
        IconHandle icon;
    };
    const std::vector<Expected> expected = {
        {"Alpha.exe", 0, 0, 11}, {"Haupt  (K16)", 1, 0, 11},    {"(K32)", 2, 0, 11},
        {"OK  (K48)", 2, 1, 11}, {"Werkzeug  (K64)", 1, 1, 11}, {"zeta.exe", 0, 1, 22},
        {"Z  (K96)", 1, 0, 22},
    };
    ASSERT_EQ(model_.Nodes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(model_.Nodes[i].Text, expected[i].text);
        EXPECT_EQ(model_.Nodes[i].Level, expected[i].level);
        EXPECT_EQ(model_.Nodes[i].Value, expected[i].value);
        EXPECT_EQ(model_.Nodes[i].Icon, expected[i].icon);
    }
    EXPECT_EQ(model_.WindowCount, 3);
    EXPECT_EQ(model_.InnerWindowCount, 2);
    EXPECT_EQ(textReads_, 5);
    EXPECT_EQ(Names(list_), (std::vector<std::string>{"Alpha.exe", "zeta.exe"}));

    // A rebuild starts from nothing.
    list_.clear();
    BuildWindowTreeModel(
        list_, [](WindowHandle) { return std::string(); }, model_);
    EXPECT_TRUE(model_.Nodes.empty());
    EXPECT_EQ(model_.WindowCount, 0);
    EXPECT_EQ(model_.InnerWindowCount, 0);
}

TEST_F(WindowTreeTest, SelectedNodePathNamesTheNodeAndItsAncestors) {
    const std::map<int32_t, std::string> paths = {
        {0, "0"}, {1, "0/1"}, {2, "0/1/2"}, {3, "0/1/3"}, {4, "0/4"},
        {5, "5"}, {6, "5/6"}, {-1, ""},     {7, ""},
    };
    for (const auto& [position, path] : paths) {
        EXPECT_EQ(SelectedNodePath(model_.Nodes, position), path) << position;
    }
    EXPECT_EQ(PathDepth("0/1/3"), 2);
    EXPECT_EQ(PathDepth("0/4"), 1);
    EXPECT_EQ(PathDepth("5"), 0);
    EXPECT_EQ(PathDepth(""), 0);
}

TEST_F(WindowTreeTest, SelectionResolvesNodesToApplicationWindowAndInnerWindow) {
    EXPECT_TRUE(ResolveTreeSelection(selection_, list_, model_.Nodes, 3));
    EXPECT_EQ(selection_.Path, "0/1/3");
    EXPECT_EQ(selection_.Depth, 2);
    EXPECT_EQ(selection_.ApplicationPosition, 0);
    EXPECT_EQ(selection_.WindowPosition, 0);
    EXPECT_EQ(selection_.ChildPosition, 1);
    EXPECT_EQ(selection_.SelectedWindow, 0x30u);
    EXPECT_EQ(CurrentApplicationName(selection_, list_), "Alpha.exe");

    EXPECT_TRUE(ResolveTreeSelection(selection_, list_, model_.Nodes, 4));
    EXPECT_EQ(selection_.WindowPosition, 1);
    EXPECT_EQ(selection_.ChildPosition, -1);
    EXPECT_EQ(selection_.SelectedWindow, 0x40u);

    EXPECT_TRUE(ResolveTreeSelection(selection_, list_, model_.Nodes, 6));
    EXPECT_EQ(selection_.ApplicationPosition, 1);
    EXPECT_EQ(selection_.WindowPosition, 0);
    EXPECT_EQ(selection_.SelectedWindow, 0x60u);
    EXPECT_EQ(CurrentApplicationName(selection_, list_), "zeta.exe");

    // An application node selects no window.
    EXPECT_FALSE(ResolveTreeSelection(selection_, list_, model_.Nodes, 5));
    EXPECT_EQ(selection_.Path, "5");
    EXPECT_EQ(selection_.SelectedWindow, 0u);
    EXPECT_EQ(selection_.ApplicationPosition, 1);
    EXPECT_EQ(selection_.WindowPosition, -1);
    EXPECT_EQ(selection_.ChildPosition, -1);
    EXPECT_EQ(CurrentApplicationName(selection_, list_), "zeta.exe");
}

TEST_F(WindowTreeTest, NoSelectedNodeSelectsNoWindowAndTakesTheFirstNodesApplication) {
    ResolveTreeSelection(selection_, list_, model_.Nodes, 2);
    EXPECT_FALSE(ResolveTreeSelection(selection_, list_, model_.Nodes, -1));
    EXPECT_EQ(selection_.Path, "");
    EXPECT_EQ(selection_.SelectedWindow, 0u);
    EXPECT_EQ(selection_.ApplicationPosition, 0);
    EXPECT_EQ(selection_.CurrentApplication, 0);
    EXPECT_EQ(selection_.ChildPosition, -1);

    const ApplicationList empty;
    EXPECT_FALSE(ResolveTreeSelection(selection_, empty, {}, -1));
    EXPECT_EQ(selection_.ApplicationPosition, 0);
    EXPECT_EQ(selection_.CurrentApplication, -1);
    EXPECT_EQ(CurrentApplicationName(selection_, empty), "");
}

TEST_F(WindowTreeTest, ATreeThatNoLongerMatchesItsListSelectsNothing) {
    ApplicationList emptied;
    for (int32_t position : {0, 1, 3, 6}) {
        EXPECT_FALSE(ResolveTreeSelection(selection_, emptied, model_.Nodes, position));
        EXPECT_EQ(selection_.SelectedWindow, 0u);
    }
    // The window at the node's position has lost its inner windows: the inner node selects
    // nothing rather than its parent.
    list_[0].Windows[0].Children.pop_back();
    EXPECT_FALSE(ResolveTreeSelection(selection_, list_, model_.Nodes, 3));
    EXPECT_EQ(selection_.SelectedWindow, 0u);
    EXPECT_TRUE(ResolveTreeSelection(selection_, list_, model_.Nodes, 2));
    EXPECT_EQ(selection_.SelectedWindow, 0x20u);
}

TEST(ExpandedMemo, ReopensNodesWhoseTextEqualsAPieceExactly) {
    auto node = [](std::string text) { return TreeNode{std::move(text), 0, 0, 0}; };
    const std::vector<TreeNode> before = {node("app.exe"), node("Haupt  (Kv)"),
                                          node("Zeit: 12:00  (Static)"), node("Zeit"),
                                          node("other.exe")};
    const std::string memo =
        BuildExpandedMemo(before, [](size_t position) { return position != 3 && position != 4; });
    EXPECT_EQ(memo, "app.exe:Haupt  (Kv):Zeit: 12:00  (Static):");

    const std::vector<TreeNode> after = {
        node("app.exe"), node("Haupt  (Kv)"), node("Zeit: 12:00  (Static)"),
        node("Zeit"),    node("other.exe"),   node("APP.EXE"),
        node("app.exe"), node(" 12"),         node("00  (Static)"),
        node("Haupt")};
    // The text with ":" is not opened again, but its pieces open the nodes named like them;
    // every node with an open node's text opens; letter case counts.
    EXPECT_EQ(NodesToReopen(after, memo), (std::vector<size_t>{0, 1, 3, 6, 7, 8}));
    EXPECT_TRUE(NodesToReopen(after, "").empty());
    // The text after the last ":" is no piece.
    EXPECT_EQ(NodesToReopen(after, "Zeit:other.exe"), std::vector<size_t>{3});
}

}  // namespace
}  // namespace kelvaro
