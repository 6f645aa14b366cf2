// The window tree as plain data: nodes in display order built from the application list,
// the selection path and what a selected node stands for, and the memo that reopens the
// expanded nodes after a rebuild. The tree control only shows what this holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "inspector/window_model.h"

namespace kelvaro {

enum TreeLevel : int32_t {
    LevelApplication = 0,
    LevelWindow = 1,
    LevelInnerWindow = 2,
};

struct TreeNode {
    std::string Text;
    int32_t Level = LevelApplication;
    // Position of the node's record in the list it came from: the application list, the
    // application's window list, or the window's child list.
    int32_t Value = 0;
    IconHandle Icon = 0;  // the application's icon, 0 for none
};

// The nodes of one build in display order (depth first, the order they are added in),
// with the two counters shown in the status bar.
struct WindowTreeModel {
    std::vector<TreeNode> Nodes;
    int32_t WindowCount = 0;
    int32_t InnerWindowCount = 0;
};

// The program's tree model of the last build.
WindowTreeModel& ProgramWindowTree();

// Sorts by name, ascending and stable, comparing unsigned bytes after folding A-Z only.
void SortApplications(ApplicationList& list);

// "(" class ")" for a window without title, else title "  (" class ")".
std::string FormatWindowNodeText(std::string_view title, std::string_view className);

// Sorts the list in place and rebuilds the model from it. nodeText gives the text of a
// window handle (read once per build).
void BuildWindowTreeModel(ApplicationList& list,
                          const std::function<std::string(WindowHandle)>& nodeText,
                          WindowTreeModel& model);

// "Anzahl Fenster: n" and "Anzahl Child-Fenster: n" for the status bar.
std::string WindowCountText(int32_t windows);
std::string InnerWindowCountText(int32_t innerWindows);

// The display positions of the node and its ancestors, outermost first, joined by "/";
// empty when selected is negative (nothing selected) or outside the nodes.
std::string SelectedNodePath(const std::vector<TreeNode>& nodes, int32_t selected);

// The number of "/" in a path.
int32_t PathDepth(std::string_view path);

// What the selected tree node stands for. Positions are -1 when not set; the current
// application and window are positions in the application list and in that application's
// window list (-1 for none), so a rebuilt list never leaves them dangling.
struct WindowSelection {
    WindowHandle SelectedWindow = 0;
    int32_t CurrentApplication = -1;
    int32_t CurrentWindow = -1;
    int32_t ApplicationPosition = -1;
    int32_t WindowPosition = -1;
    int32_t ChildPosition = -1;
    std::string Path;
    int32_t Depth = 0;
};

// The program's window selection; no window is selected at start-up.
WindowSelection& ProgramWindowSelection();

// Updates the selection for a new selected node (negative: none) of the model built
// from the list. Returns true when a window is selected afterwards.
bool ResolveTreeSelection(WindowSelection& selection, const ApplicationList& list,
                          const std::vector<TreeNode>& nodes, int32_t selected);

// The name of the current application, empty when there is none.
std::string_view CurrentApplicationName(const WindowSelection& selection,
                                        const ApplicationList& list);

// Each expanded node's text followed by ":", in display order.
std::string BuildExpandedMemo(const std::vector<TreeNode>& nodes,
                              const std::function<bool(size_t position)>& isExpanded);

// The display positions, ascending, of the nodes whose text equals one of the memo's
// pieces exactly (the text before each ":").
std::vector<size_t> NodesToReopen(const std::vector<TreeNode>& nodes, std::string_view memo);

}  // namespace kelvaro
