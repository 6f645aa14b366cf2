// The window tree and the properties list of the "Fenster" page: rebuilding the tree at
// start-up and at each refresh, following its selection, and the live details.
#include "inspector/window_view_win.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "inspector/window_details.h"
#include "inspector/window_preview_win.h"
#include "inspector/window_system_win.h"
#include "inspector/window_tree.h"
#include "inspector/window_tree_control_win.h"
#include "ui/canvas_win.h"
#include "ui/dpi_win.h"
#include "ui/frame_win.h"
#include "ui/program_windows_win.h"
#include "ui/report_list_win.h"
#include "ui/resources_win.h"
#include "ui/splitter_win.h"

namespace kelvaro {
namespace {

constexpr ListColumn kPropertyColumns[] = {{"Parameter", 140}, {"Wert", 240}};
constexpr int kValueColumn = 1;

// The "Wert" texts the list shows now, so that a tick that finds nothing changed leaves
// the rows alone and the list does not flicker twice a second.
DetailTexts& ShownDetails() {
    static DetailTexts shown;
    return shown;
}

void SetValueText(HWND list, size_t row, const std::string& text) {
    std::string& shown = ShownDetails()[row];
    if (shown == text) return;
    LVITEMA item{};
    item.iSubItem = kValueColumn;
    item.pszText = const_cast<char*>(text.c_str());
    if (SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item))) shown = text;
}

// The "Parameter" column of the properties list, one row per detail.
void AddParameterRows(HWND list) {
    for (size_t i = 0; i < kDetailParameters.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(kDetailParameters[i]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

// The right half of the page: the properties list above the preview.
HWND BuildDetailsPane(HWND outer, const Rect& pane) {
    const HWND inner = CreateSplitter(CtlDetailsSplitter, outer, SplitterBar::Horizontal,
                                      FixedPane::None, pane, -1);
    if (inner == nullptr) return nullptr;
    const SplitterModel::Panes panes =
        SplitterModel::Halved(SplitterBar::Horizontal, FixedPane::None, pane.height,
                              SplitterBarThickness(inner))
            .Layout(pane.width);
    const HWND properties = CreateReportList(CtlWindowProperties, inner, LVS_SINGLESEL, panes.first,
                                             ProgramFont(FontRole::Tahoma10, DpiOf(outer)));
    if (properties != nullptr) {
        SetListExtendedStyles(properties, LVS_EX_GRIDLINES);
        AddListColumns(properties, kPropertyColumns);
        AddParameterRows(properties);
    }
    const HWND preview = CreateCanvas(CtlPreview, inner, panes.second);
    SetSplitterPanes(inner, properties, preview);
    return inner;
}

HWND Tree() {
    return ControlHandle(CtlWindowTree);
}

int SelectedPropertyRow(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int32_t SelectedPosition() {
    const HWND tree = Tree();
    return tree != nullptr ? SelectedTreePosition(tree) : -1;
}

// Redrawing of the tree is off while one of these lives; the tree is painted once when
// the outermost ends. A refresh keeps it off across the rebuild and the reopening of the
// open nodes: a tree that was laid out in between lays out the reopened nodes' children
// twice, which for a node with thousands of children costs as much as its painting.
class SuspendedRedraw {
public:
    explicit SuspendedRedraw(HWND tree) : tree_(tree) {
        if (tree_ != nullptr && Depth()++ == 0) SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
    }
    ~SuspendedRedraw() {
        if (tree_ == nullptr || --Depth() != 0) return;
        SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tree_, nullptr, TRUE);
    }
    SuspendedRedraw(const SuspendedRedraw&) = delete;
    SuspendedRedraw& operator=(const SuspendedRedraw&) = delete;

private:
    static int& Depth() {
        static int depth = 0;
        return depth;
    }
    HWND tree_;
};

}  // namespace

void BuildWindowPage(HWND mainWindow, const Rect& page) {
    const HWND outer = CreateSplitter(CtlWindowSplitter, mainWindow, SplitterBar::Vertical,
                                      FixedPane::Second, page, -1);
    if (outer == nullptr) return;
    const SplitterModel::Panes panes =
        SplitterModel::Halved(SplitterBar::Vertical, FixedPane::Second, page.width,
                              SplitterBarThickness(outer))
            .Layout(page.height);
    const Rect& left = panes.first;
    const HWND tree = CreateControl(
        CtlWindowTree, outer, WC_TREEVIEWA, "",
        TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
        left.x, left.y, left.width, left.height,
        ProgramFont(FontRole::Tahoma10, DpiOf(mainWindow)));
    const HWND details = BuildDetailsPane(outer, {0, 0, panes.second.width, panes.second.height});
    SetSplitterPanes(outer, tree, details);
}

WindowTreeCounts BuildWindowTree() {
    const HWND tree = Tree();
    SuspendedRedraw suspended(tree);
    WindowTreeModel& model = ProgramWindowTree();
    if (tree != nullptr) RemoveTreeNodes(tree);
    // Sorts the application list and reads every window's text once.
    BuildProgramWindowTree();
    if (tree != nullptr) FillTreeControl(tree, model);
    return {model.WindowCount, model.InnerWindowCount};
}

std::string SelectedNodePath() {
    return SelectedNodePath(ProgramWindowTree().Nodes, SelectedPosition());
}

void OnTreeSelectionChanged() {
    ClearWindowDetails();
    WindowSelection& selection = ProgramWindowSelection();
    ResolveTreeSelection(selection, ProgramApplications(), ProgramWindowTree().Nodes,
                         SelectedPosition());
    if (selection.SelectedWindow != 0) ShowWindowDetails(selection.SelectedWindow);
}

// The selected node, when it is a window (popup 3 is for windows only); null otherwise.
const TreeNode* SelectedWindowNode() {
    const int32_t position = SelectedPosition();
    const std::vector<TreeNode>& nodes = ProgramWindowTree().Nodes;
    if (position < 0 || static_cast<size_t>(position) >= nodes.size()) return nullptr;
    const TreeNode& node = nodes[static_cast<size_t>(position)];
    return node.Level == LevelWindow || node.Level == LevelInnerWindow ? &node : nullptr;
}

void OnTreeRightClick() {
    // The popup's commands (copy among them) act on the control that has the focus.
    SetFocus(Tree());
    if (SelectedWindowNode() != nullptr) OpenPopupMenu(PopupWindowTree);
}

void OnTreeMenuKey() {
    const HWND tree = Tree();
    if (tree == nullptr || SelectedWindowNode() == nullptr) return;
    RECT node{};
    // TreeView_GetItemRect hands the item over in the rectangle's place.
    const bool shown = TreeView_GetItemRect(tree, TreeView_GetSelection(tree), &node, TRUE);
    OpenPopupMenuAt(PopupWindowTree, PopupPointBelow(tree, shown ? &node : nullptr));
}

void OnPropertiesRightClick() {
    SetFocus(ControlHandle(CtlWindowProperties));
    OpenPopupMenu(PopupWindowProperties);
}

void OnPropertiesMenuKey() {
    const HWND list = ControlHandle(CtlWindowProperties);
    if (list == nullptr) return;
    RECT row{};
    row.left = LVIR_LABEL;
    const int selected = SelectedPropertyRow(list);
    const bool hasRow =
        selected >= 0 && SendMessageA(list, LVM_GETITEMRECT, selected, reinterpret_cast<LPARAM>(&row));
    OpenPopupMenuAt(PopupWindowProperties, PopupPointBelow(list, hasRow ? &row : nullptr));
}

std::string SelectedNodeText() {
    const int32_t position = SelectedPosition();
    const std::vector<TreeNode>& nodes = ProgramWindowTree().Nodes;
    if (position < 0 || static_cast<size_t>(position) >= nodes.size()) return {};
    return nodes[static_cast<size_t>(position)].Text;
}

std::string WindowPropertiesText() {
    const HWND list = ControlHandle(CtlWindowProperties);
    const int selected = list != nullptr ? SelectedPropertyRow(list) : -1;
    std::vector<size_t> rows;
    if (selected >= 0) rows.push_back(static_cast<size_t>(selected));
    return DetailLines(ShownDetails(), rows);
}

void ShowWindowDetails(WindowHandle window) {
    const DetailTexts texts =
        WindowDetailTexts(CurrentApplicationName(ProgramWindowSelection(), ProgramApplications()),
                          ReadWindowFacts(window));
    if (const HWND list = ControlHandle(CtlWindowProperties)) {
        for (size_t row = 0; row < texts.size(); ++row) SetValueText(list, row, texts[row]);
    }
    UpdatePreview(window);
}

void ClearWindowDetails() {
    const HWND list = ControlHandle(CtlWindowProperties);
    if (list == nullptr) return;
    for (size_t row = 0; row < kDetailRows; ++row) SetValueText(list, row, {});
}

void OnDetailsTimer() {
    const WindowHandle window = ProgramWindowSelection().SelectedWindow;
    if (window != 0) ShowWindowDetails(window);
}

void RefreshWindowView(bool remember) {
    const HWND tree = Tree();
    std::string memo;
    if (remember && tree != nullptr) {
        // Only a node with nodes below it can be open; asking just those spares a message
        // to the tree for each of the many inner-window nodes.
        const std::vector<TreeNode>& nodes = ProgramWindowTree().Nodes;
        memo = BuildExpandedMemo(nodes, [tree, &nodes](size_t position) {
            return position + 1 < nodes.size() &&
                   nodes[position + 1].Level > nodes[position].Level &&
                   IsTreeNodeExpanded(tree, position);
        });
    }
    const bool wasSelected =
        SelectedPosition() >= 0 || ProgramWindowSelection().SelectedWindow != 0;

    ClearApplications();
    EnumerateWindows();
    {
        SuspendedRedraw suspended(tree);
        const WindowTreeCounts counts = BuildWindowTree();
        WriteStatusCount(StatusWindows, counts.Windows);
        WriteStatusCount(StatusChildWindows, counts.InnerWindows);
        if (remember && tree != nullptr) {
            ExpandTreeNodes(tree, NodesToReopen(ProgramWindowTree().Nodes, memo));
        }
    }
    // Removing the nodes took the selection away. Whether the tree reports that depends
    // on the tree, so the values are blanked and the window unselected here in any case;
    // a late report of the tree does the same again.
    if (wasSelected) OnTreeSelectionChanged();
}

void ReleaseWindowView() {
    ReleaseTreeImages();
    ReleasePreviewPicture();
    ClearApplications();
    ProgramWindowTree() = {};
    ProgramWindowSelection() = {};
}

}  // namespace kelvaro
