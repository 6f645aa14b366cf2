// Filling the window tree control from the tree model and reading its selection and
// expanded nodes back as display positions.
#include "inspector/window_tree_control_win.h"

#include <commctrl.h>

#include "inspector/window_system_win.h"
#include "ui/dpi_win.h"

namespace kelvaro {
namespace {

// A tree node carries its display position as its item value; the level and the node
// value stay in the model, which is rebuilt together with the control.
struct TreeControlState {
    std::vector<HTREEITEM> items;  // by display position
    HIMAGELIST images = nullptr;
};

TreeControlState& State() {
    static TreeControlState state;
    return state;
}

// No image of the list: the tree draws no icon for the node.
constexpr int kNoImage = -2;

// The image list is made once and emptied at every fill, so the tree keeps one list and
// never has to measure a new one; only a move to a screen of another DPI makes a new one,
// in the small icon size of that DPI.
HIMAGELIST TreeImages(HWND tree) {
    TreeControlState& state = State();
    const int size = SystemMetricForDpi(SM_CXSMICON, DpiOf(tree));
    int width = 0;
    int height = 0;
    if (state.images != nullptr && ImageList_GetIconSize(state.images, &width, &height) &&
        width != size) {
        ImageList_Destroy(state.images);
        state.images = nullptr;
    }
    if (state.images == nullptr) {
        state.images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 16, 16);
        if (state.images == nullptr) return nullptr;
    }
    if (reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)) !=
        state.images) {
        SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(state.images));
    }
    return state.images;
}

// The image of an application's icon; each application adds its icon once, and its
// windows' nodes use the same image.
class NodeImages {
public:
    explicit NodeImages(HIMAGELIST images) : images_(images) {
        if (images_ != nullptr) ImageList_RemoveAll(images_);
    }
    int ImageOf(const TreeNode& node) {
        if (node.Icon == 0 || images_ == nullptr) return kNoImage;
        if (node.Level != LevelApplication && node.Icon == lastIcon_) return lastImage_;
        lastIcon_ = node.Icon;
        lastImage_ = ImageList_AddIcon(images_, WidenIcon(node.Icon));
        if (lastImage_ < 0) lastImage_ = kNoImage;
        return lastImage_;
    }

private:
    HIMAGELIST images_;
    IconHandle lastIcon_ = 0;
    int lastImage_ = kNoImage;
};

constexpr int kLevels = 3;

}  // namespace

void RemoveTreeNodes(HWND tree) {
    State().items.clear();
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void FillTreeControl(HWND tree, const WindowTreeModel& model) {
    RemoveTreeNodes(tree);
    std::vector<HTREEITEM>& items = State().items;
    items.reserve(model.Nodes.size());
    NodeImages images(TreeImages(tree));

    // One prepared insertion for every node; only the text, the image, the value and the
    // parent change. The parent of a node is the last node added one level above it.
    TVINSERTSTRUCTA insert{};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    HTREEITEM lastOfLevel[kLevels] = {};
    for (size_t position = 0; position < model.Nodes.size(); ++position) {
        const TreeNode& node = model.Nodes[position];
        const int level = node.Level < 0 ? 0 : node.Level >= kLevels ? kLevels - 1 : node.Level;
        insert.hParent = level == 0 ? TVI_ROOT : lastOfLevel[level - 1];
        if (insert.hParent == nullptr) insert.hParent = TVI_ROOT;
        insert.item.pszText = const_cast<char*>(node.Text.c_str());
        insert.item.iImage = images.ImageOf(node);
        insert.item.iSelectedImage = insert.item.iImage;
        insert.item.lParam = static_cast<LPARAM>(position);
        const auto item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        items.push_back(item);
        lastOfLevel[level] = item;
        for (int deeper = level + 1; deeper < kLevels; ++deeper) lastOfLevel[deeper] = nullptr;
    }
}

int32_t SelectedTreePosition(HWND tree) {
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (item == nullptr) return -1;
    TVITEMA query{};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return -1;
    // A node that was not added by the last fill names no position of the model.
    const std::vector<HTREEITEM>& items = State().items;
    if (query.lParam < 0 || static_cast<size_t>(query.lParam) >= items.size() ||
        items[static_cast<size_t>(query.lParam)] != item) {
        return -1;
    }
    return static_cast<int32_t>(query.lParam);
}

bool IsTreeNodeExpanded(HWND tree, size_t position) {
    const std::vector<HTREEITEM>& items = State().items;
    if (position >= items.size() || items[position] == nullptr) return false;
    const LRESULT state = SendMessageA(tree, TVM_GETITEMSTATE,
                                       reinterpret_cast<WPARAM>(items[position]), TVIS_EXPANDED);
    return (state & TVIS_EXPANDED) != 0;
}

void ExpandTreeNodes(HWND tree, const std::vector<size_t>& positions) {
    const std::vector<HTREEITEM>& items = State().items;
    for (size_t position : positions) {
        if (position < items.size() && items[position] != nullptr) {
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[position]));
        }
    }
}

void ReleaseTreeImages() {
    TreeControlState& state = State();
    state.items.clear();
    if (state.images != nullptr) ImageList_Destroy(state.images);
    state.images = nullptr;
}

}  // namespace kelvaro
