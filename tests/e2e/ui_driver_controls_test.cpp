// The UI driver's reads and programmatic changes of another process's controls, against
// the fixture program: list view, list box, tree view, status bar, toolbar and tool tips,
// edit and button, commands and control notifications.
#include <windows.h>
#include <tlhelp32.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/scoped_win.h"
#include "e2e/fixture_program.h"

namespace kelvaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class UiDriverControls : public FixtureSuite {};

TEST_F(UiDriverControls, TheFixtureRunsVersion6OfTheCommonControls) {
    // The programs under test carry a manifest for version 6; the driver is proven on it.
    // That version is loaded from the side-by-side store, not from the system folder.
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, program_->processId()));
    ASSERT_TRUE(snapshot);
    MODULEENTRY32 module{};
    module.dwSize = sizeof(module);
    std::string path;
    for (BOOL more = Module32First(snapshot.get(), &module); more;
         more = Module32Next(snapshot.get(), &module)) {
        if (lstrcmpiA(module.szModule, "comctl32.dll") == 0) path = module.szExePath;
    }
    EXPECT_THAT(path, ::testing::HasSubstr("common-controls"));
}

TEST_F(UiDriverControls, ReadsListViewRowsColumnsAndItemParams) {
    ASSERT_EQ(ListViewRowCount(w_.list), 3);
    ASSERT_EQ(ListViewColumnCount(w_.list), 3);
    EXPECT_EQ(ListViewText(w_.list, 1, 0), "beta.dll");
    EXPECT_EQ(ListViewText(w_.list, 2, 0), "gämma.ini");
    EXPECT_EQ(ListViewText(w_.list, 2, 2), "Einstellungen");
    EXPECT_EQ(ListViewText(w_.list, 7, 0), "");
    EXPECT_THAT(ListViewRows(w_.list),
                ElementsAre(ElementsAre("alpha.exe", "12 KB", "Programm"),
                            ElementsAre("beta.dll", "340 KB", "Bibliothek"),
                            ElementsAre("gämma.ini", "1 KB", "Einstellungen")));
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(ListViewColumnTitle(w_.list, c), fixture::kColumns[c].title);
        EXPECT_EQ(ListViewColumnWidth(w_.list, c), fixture::kColumns[c].width);
    }
    for (int r = 0; r < 3; ++r) {
        // The last one needs all 64 bits of the LPARAM.
        EXPECT_EQ(ListViewItemParam(w_.list, r), static_cast<LPARAM>(fixture::kRowParams[r]));
    }
}

TEST_F(UiDriverControls, SelectsListViewRowsWithTheNotificationOfAClick) {
    ListViewSelectRow(w_.list, 2);
    EXPECT_EQ(ListViewSelectedRow(w_.list), 2);
    EXPECT_TRUE(StatusBecomes(0, "Zeile 2 gewählt"));
    ListViewSelectRow(w_.list, 0);
    EXPECT_EQ(ListViewSelectedRow(w_.list), 0);
    EXPECT_TRUE(StatusBecomes(0, "Zeile 0 gewählt"));
}

TEST_F(UiDriverControls, ReadsAndSelectsListBoxRows) {
    ASSERT_EQ(ListBoxRowCount(w_.listBox), 4);
    EXPECT_EQ(ListBoxText(w_.listBox, 0), "Eins");
    EXPECT_EQ(ListBoxText(w_.listBox, 3), "Grün");
    EXPECT_EQ(ListBoxText(w_.listBox, 9), "");
    ListBoxSelectRow(w_.listBox, 2);
    EXPECT_EQ(ListBoxSelectedRow(w_.listBox), 2);
    EXPECT_TRUE(StatusBecomes(2, "Liste: Drei"));
    // A notification of the list box as its parent would get it from a double click.
    PostControlCommand(w_.main, fixture::kIdListBox, LBN_DBLCLK, w_.listBox);
    EXPECT_TRUE(StatusBecomes(2, "Liste doppelt: Drei"));
}

TEST_F(UiDriverControls, ReadsEveryTreeNodeWithLevelAndState) {
    const std::vector<TreeNode> nodes = TreeNodes(w_.tree);
    ASSERT_EQ(nodes.size(), std::size(fixture::kTree));
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i].text, fixture::kTree[i].text) << i;
        EXPECT_EQ(nodes[i].level, fixture::kTree[i].level) << i;
        EXPECT_NE(nodes[i].item, nullptr);
    }
    EXPECT_TRUE(nodes[0].expanded);   // Wurzel A
    EXPECT_TRUE(nodes[1].expanded);   // Kind A1
    EXPECT_FALSE(nodes[4].expanded);  // Kind A2 has no children
    EXPECT_FALSE(nodes[5].expanded);  // Wurzel B starts collapsed
}

TEST_F(UiDriverControls, SelectsExpandsAndCollapsesTreeNodes) {
    std::vector<TreeNode> nodes = TreeNodes(w_.tree);
    ASSERT_EQ(nodes.size(), std::size(fixture::kTree));
    auto selected = [&] {
        std::vector<bool> flags;
        for (const TreeNode& node : TreeNodes(w_.tree)) flags.push_back(node.selected);
        return flags;
    };
    auto expanded = [&] {
        std::vector<bool> flags;
        for (const TreeNode& node : TreeNodes(w_.tree)) flags.push_back(node.expanded);
        return flags;
    };
    TreeSelect(w_.tree, nodes[3].item);  // Enkel A1b
    EXPECT_TRUE(StatusBecomes(1, "Knoten: Enkel A1b"));
    EXPECT_THAT(selected(), ElementsAre(false, false, false, true, false, false, false));

    TreeExpand(w_.tree, nodes[5].item, true);
    TreeExpand(w_.tree, nodes[0].item, false);
    EXPECT_THAT(expanded(), ElementsAre(false, true, false, false, false, true, false));
    // Collapsing a node moves the selection from a hidden descendant up to that node.
    EXPECT_THAT(selected(), ElementsAre(true, false, false, false, false, false, false));

    // Back to the start, for the tests that read the initial tree.
    TreeExpand(w_.tree, nodes[0].item, true);
    TreeExpand(w_.tree, nodes[5].item, false);
    EXPECT_THAT(expanded(), ElementsAre(true, true, false, false, false, false, false));
}

TEST_F(UiDriverControls, ReadsStatusBarPartsTextsAndEdges) {
    EXPECT_EQ(StatusBarPartCount(w_.status), 5);
    EXPECT_THAT(StatusBarRightEdges(w_.status), ElementsAreArray(fixture::kStatusEdges));
    // The other parts change with the other tests; the last one never does.
    EXPECT_EQ(StatusBarText(w_.status, 4), "Größe: 3 Zeilen");
    EXPECT_EQ(StatusBarText(w_.status, 9), "");
}

TEST_F(UiDriverControls, ReadsToolbarButtonsSeparatorsAndToolTips) {
    const std::vector<ToolbarButton> buttons = ToolbarButtons(w_.toolbar);
    ASSERT_EQ(buttons.size(), std::size(fixture::kTools));
    for (size_t i = 0; i < buttons.size(); ++i) {
        const fixture::Tool& tool = fixture::kTools[i];
        EXPECT_EQ(buttons[i].commandId, tool.command) << i;
        EXPECT_EQ(buttons[i].separator, tool.command == 0) << i;
        EXPECT_EQ(buttons[i].toolTip, tool.tip == nullptr ? "" : tool.tip) << i;
    }
}

TEST_F(UiDriverControls, PostsCommandsAndSendsMessages) {
    PostCommand(w_.main, fixture::kCmdSave);
    EXPECT_TRUE(StatusBecomes(3, "Befehl Speichern"));
    // A sent message returns the control's answer: the list view's row count.
    EXPECT_EQ(SendAndWait(w_.list, LVM_GETITEMCOUNT), 3);
    EXPECT_EQ(SendAndWait(w_.listBox, LB_GETCOUNT), 4);
}

TEST_F(UiDriverControls, SetsAnEditsTextAndPressesAButton) {
    program_->WriteFile(fixture::kButtonFile, "");
    SetText(w_.edit, "Neuer Text ä");
    EXPECT_EQ(WindowText(w_.edit), "Neuer Text ä");
    ClickButton(w_.button);
    EXPECT_TRUE(StatusBecomes(3, "Knopf: Neuer Text ä"));
    EXPECT_EQ(program_->ReadFile(fixture::kButtonFile), "Neuer Text ä");
}

}  // namespace
}  // namespace kelvaro::test
