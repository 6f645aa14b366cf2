// Tree nodes, selection paths and the reopen memo of the window tree.
#include "inspector/window_tree.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "common/ansi_text.h"

namespace kelvaro {
namespace {

bool NameLess(const ApplicationRecord& a, const ApplicationRecord& b) {
    return std::lexicographical_compare(a.Name.begin(), a.Name.end(), b.Name.begin(), b.Name.end(),
                                        [](char x, char y) {
                                            return static_cast<unsigned char>(LowerAscii(x)) <
                                                   static_cast<unsigned char>(LowerAscii(y));
                                        });
}

int32_t Position(size_t index) {
    return static_cast<int32_t>(index);
}

// The index-th "/"-separated field of a path as a decimal number; an empty or missing
// field reads as 0.
int32_t PathField(std::string_view path, int index) {
    for (int i = 0; i < index; ++i) {
        const size_t slash = path.find('/');
        if (slash == std::string_view::npos) return 0;
        path.remove_prefix(slash + 1);
    }
    path = path.substr(0, path.find('/'));
    int32_t value = 0;
    std::from_chars(path.data(), path.data() + path.size(), value);
    return value;
}

bool InRange(int32_t position, size_t size) {
    return position >= 0 && static_cast<size_t>(position) < size;
}

// The value of the node at a display position, 0 when there is no such node.
int32_t NodeValueAt(const std::vector<TreeNode>& nodes, int32_t position) {
    return InRange(position, nodes.size()) ? nodes[position].Value : 0;
}

}  // namespace

WindowTreeModel& ProgramWindowTree() {
    static WindowTreeModel model;
    return model;
}

WindowSelection& ProgramWindowSelection() {
    static WindowSelection selection;
    return selection;
}

void SortApplications(ApplicationList& list) {
    std::stable_sort(list.begin(), list.end(), NameLess);
}

std::string FormatWindowNodeText(std::string_view title, std::string_view className) {
    std::string text;
    text.reserve(title.size() + className.size() + 4);
    if (!title.empty()) {
        text += title;
        text += "  ";
    }
    text += '(';
    text += className;
    text += ')';
    return text;
}

void BuildWindowTreeModel(ApplicationList& list,
                          const std::function<std::string(WindowHandle)>& nodeText,
                          WindowTreeModel& model) {
    model.WindowCount = 0;
    model.InnerWindowCount = 0;
    model.Nodes.clear();
    SortApplications(list);

    for (size_t a = 0; a < list.size(); ++a) {
        const ApplicationRecord& application = list[a];
        const IconHandle icon = application.Icon;
        model.Nodes.push_back({application.Name, LevelApplication, Position(a), icon});
        for (size_t w = 0; w < application.Windows.size(); ++w) {
            const WindowRecord& window = application.Windows[w];
            model.Nodes.push_back({nodeText(window.Handle), LevelWindow, Position(w), icon});
            for (size_t c = 0; c < window.Children.size(); ++c) {
                model.Nodes.push_back(
                    {nodeText(window.Children[c]), LevelInnerWindow, Position(c), icon});
                ++model.InnerWindowCount;
            }
            ++model.WindowCount;
        }
    }
}

std::string WindowCountText(int32_t windows) {
    return "Anzahl Fenster: " + std::to_string(windows);
}

std::string InnerWindowCountText(int32_t innerWindows) {
    return "Anzahl Child-Fenster: " + std::to_string(innerWindows);
}

std::string SelectedNodePath(const std::vector<TreeNode>& nodes, int32_t selected) {
    if (!InRange(selected, nodes.size())) return {};
    std::string path = std::to_string(selected);
    int32_t p = selected;
    while (nodes[p].Level >= 1) {
        int32_t parent = p - 1;
        while (parent >= 0 && nodes[parent].Level >= nodes[p].Level) --parent;
        // Nodes are added under their parent, so a parent always exists; a node list that
        // starts below level 0 simply ends the path here.
        if (parent < 0) break;
        path.insert(0, std::to_string(parent) + "/");
        p = parent;
    }
    return path;
}

int32_t PathDepth(std::string_view path) {
    return static_cast<int32_t>(std::count(path.begin(), path.end(), '/'));
}

bool ResolveTreeSelection(WindowSelection& selection, const ApplicationList& list,
                          const std::vector<TreeNode>& nodes, int32_t selected) {
    selection.SelectedWindow = 0;
    selection.ApplicationPosition = -1;
    selection.WindowPosition = -1;
    selection.ChildPosition = -1;
    selection.Path = SelectedNodePath(nodes, selected);
    selection.Depth = PathDepth(selection.Path);

    selection.ApplicationPosition = NodeValueAt(nodes, PathField(selection.Path, 0));
    selection.CurrentApplication =
        InRange(selection.ApplicationPosition, list.size()) ? selection.ApplicationPosition : -1;
    if (selection.Depth < 1) return false;

    // A tree that no longer matches the list (it is only rebuilt together with it) selects
    // no window rather than a wrong one.
    selection.WindowPosition = NodeValueAt(nodes, PathField(selection.Path, 1));
    selection.CurrentWindow = -1;
    if (selection.CurrentApplication < 0) return false;
    const ApplicationRecord& application = list[selection.CurrentApplication];
    if (!InRange(selection.WindowPosition, application.Windows.size())) return false;
    selection.CurrentWindow = selection.WindowPosition;
    const WindowRecord& window = application.Windows[selection.CurrentWindow];
    selection.SelectedWindow = window.Handle;
    if (selection.Depth < 2) return selection.SelectedWindow != 0;

    selection.ChildPosition = nodes[selected].Value;
    selection.SelectedWindow = InRange(selection.ChildPosition, window.Children.size())
                                   ? window.Children[selection.ChildPosition]
                                   : 0;
    return selection.SelectedWindow != 0;
}

std::string_view CurrentApplicationName(const WindowSelection& selection,
                                        const ApplicationList& list) {
    if (!InRange(selection.CurrentApplication, list.size())) return {};
    return list[selection.CurrentApplication].Name;
}

std::string BuildExpandedMemo(const std::vector<TreeNode>& nodes,
                              const std::function<bool(size_t position)>& isExpanded) {
    std::string memo;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!isExpanded(i)) continue;
        memo += nodes[i].Text;
        memo += ':';
    }
    return memo;
}

std::vector<size_t> NodesToReopen(const std::vector<TreeNode>& nodes, std::string_view memo) {
    // The text after the last ":" is no piece; a set gives the same matches as comparing
    // every node with every piece, without the quadratic cost on big trees.
    std::unordered_set<std::string_view> pieces;
    for (size_t colon = memo.find(':'); colon != std::string_view::npos; colon = memo.find(':')) {
        pieces.insert(memo.substr(0, colon));
        memo.remove_prefix(colon + 1);
    }
    std::vector<size_t> positions;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (pieces.count(nodes[i].Text) != 0) positions.push_back(i);
    }
    return positions;
}

}  // namespace kelvaro
