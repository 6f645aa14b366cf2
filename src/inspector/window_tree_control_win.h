// The window tree control (20) as a view of the tree model: one control node per model
// node, in display order, with the small icons of the applications.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "inspector/window_tree.h"

namespace kelvaro {

// Replaces every node of the tree by the model's nodes, all collapsed. The caller suspends
// the tree's redrawing around it.
void FillTreeControl(HWND tree, const WindowTreeModel& model);

// Removes every node. A selected node is unselected on the way.
void RemoveTreeNodes(HWND tree);

// The display position of the tree's selected node, -1 when no node of the last fill is
// selected.
int32_t SelectedTreePosition(HWND tree);

bool IsTreeNodeExpanded(HWND tree, size_t position);
// Opens the nodes at these display positions.
void ExpandTreeNodes(HWND tree, const std::vector<size_t>& positions);

// The image list of the applications' icons, shared by every fill; released at the end.
void ReleaseTreeImages();

}  // namespace kelvaro
