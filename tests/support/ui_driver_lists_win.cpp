// The UI driver's reads of list views, list boxes and tree views in another process:
// structures and text buffers live in a RemoteBuffer inside the control's process.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "support/remote_buffer_win.h"
#include "support/ui_driver.h"

namespace kelvaro::test {

namespace {

constexpr size_t kTextCapacity = 1024;

// Middle of a client rectangle of `window`, in screen coordinates.
POINT MiddleOnScreen(HWND window, const RECT& client) {
    POINT point{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(window, &point);
    return point;
}

// A rectangle that the control fills in its own process; `first` goes into its left member
// first, where LVM_GETITEMRECT expects the part code and TVM_GETITEMRECT the item.
template <typename First>
std::optional<RECT> RemoteRect(HWND control, UINT message, WPARAM wParam, First first) {
    RemoteBuffer remote(control, sizeof(RECT));
    if (!remote || !remote.Put(first)) return std::nullopt;
    if (!SendWithTimeout(control, message, wParam, remote.Param())) return std::nullopt;
    RECT rect{};
    if (!remote.Get(rect)) return std::nullopt;
    return rect;
}

}  // namespace

// ---- List views -----------------------------------------------------------------------

int ListViewRowCount(HWND list) {
    return static_cast<int>(SendWithTimeout(list, LVM_GETITEMCOUNT));
}

int ListViewColumnCount(HWND list) {
    HWND header = ListViewHeader(list);
    return header == nullptr ? 0 : static_cast<int>(SendWithTimeout(header, HDM_GETITEMCOUNT));
}

std::string ListViewText(HWND list, int row, int column) {
    RemoteBuffer remote(list, sizeof(LVITEMA) + kTextCapacity);
    if (!remote) return {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(remote.At(sizeof(LVITEMA)));
    item.cchTextMax = static_cast<int>(kTextCapacity);
    if (!remote.Put(item)) return {};
    const LRESULT length = SendWithTimeout(list, LVM_GETITEMTEXTA, row, remote.Param());
    return length > 0 ? remote.Text(sizeof(LVITEMA), kTextCapacity) : std::string();
}

std::vector<std::vector<std::string>> ListViewRows(HWND list) {
    const int rows = ListViewRowCount(list);
    const int columns = ListViewColumnCount(list);
    std::vector<std::vector<std::string>> result(rows);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            result[row].push_back(ListViewText(list, row, column));
        }
    }
    return result;
}

std::string ListViewColumnTitle(HWND list, int column) {
    RemoteBuffer remote(list, sizeof(LVCOLUMNA) + kTextCapacity);
    if (!remote) return {};
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT;
    info.pszText = static_cast<char*>(remote.At(sizeof(LVCOLUMNA)));
    info.cchTextMax = static_cast<int>(kTextCapacity);
    if (!remote.Put(info)) return {};
    if (!SendWithTimeout(list, LVM_GETCOLUMNA, column, remote.Param())) return {};
    return remote.Text(sizeof(LVCOLUMNA), kTextCapacity);
}

int ListViewColumnWidth(HWND list, int column) {
    return static_cast<int>(SendWithTimeout(list, LVM_GETCOLUMNWIDTH, column));
}

int ListViewSelectedRow(HWND list) {
    // A list that does not answer has no selection either.
    return static_cast<int>(
        TrySend(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED).value_or(-1));
}

LPARAM ListViewItemParam(HWND list, int row) {
    RemoteBuffer remote(list, sizeof(LVITEMA));
    if (!remote) return 0;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!remote.Put(item) || !SendWithTimeout(list, LVM_GETITEMA, 0, remote.Param())) return 0;
    remote.Get(item);
    return item.lParam;
}

void ListViewSelectRow(HWND list, int row) {
    RemoteBuffer remote(list, sizeof(LVITEMA));
    if (!remote) return;
    // Clear every row first (index -1), so a multi-selection list ends with this row only.
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    remote.Put(item);
    SendWithTimeout(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), remote.Param());
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    remote.Put(item);
    SendWithTimeout(list, LVM_SETITEMSTATE, row, remote.Param());
    SendWithTimeout(list, LVM_ENSUREVISIBLE, row, FALSE);
}

POINT ListViewRowPoint(HWND list, int row) {
    const std::optional<RECT> rect = RemoteRect(list, LVM_GETITEMRECT, row, LONG{LVIR_LABEL});
    return rect ? MiddleOnScreen(list, *rect) : POINT{};
}

HWND ListViewHeader(HWND list) {
    return reinterpret_cast<HWND>(SendWithTimeout(list, LVM_GETHEADER));
}

void ClickListViewHeader(HWND list, int column) {
    HWND header = ListViewHeader(list);
    if (header == nullptr) return;
    RemoteBuffer remote(header, sizeof(RECT));
    if (!remote || !SendWithTimeout(header, HDM_GETITEMRECT, column, remote.Param())) return;
    RECT rect{};
    if (remote.Get(rect)) MouseClickAt(MiddleOnScreen(header, rect));
}

int ListViewSortArrow(HWND list, int column) {
    HWND header = ListViewHeader(list);
    RemoteBuffer remote(header, sizeof(HDITEMA));
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (header == nullptr || !remote || !remote.Put(item) ||
        !SendWithTimeout(header, HDM_GETITEMA, column, remote.Param()) || !remote.Get(item)) {
        return 0;
    }
    return (item.fmt & HDF_SORTUP) != 0 ? 1 : (item.fmt & HDF_SORTDOWN) != 0 ? -1 : 0;
}

// ---- List boxes -----------------------------------------------------------------------

int ListBoxRowCount(HWND list) { return static_cast<int>(SendWithTimeout(list, LB_GETCOUNT)); }

std::string ListBoxText(HWND list, int row) {
    // The system copies LB_GETTEXT between processes like WM_GETTEXT, but Wine 8 hands an
    // ANSI caller the UTF-16 text of the (Unicode) list box. The wide message is copied
    // right everywhere; the driver converts to the ANSI code page itself.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, row, 0, SMTO_NORMAL, kSendTimeoutMs,
                             &length) ||
        static_cast<LRESULT>(length) <= 0) {
        return {};
    }
    std::vector<wchar_t> wide(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(wide.data()),
                             SMTO_NORMAL, kSendTimeoutMs, &copied) ||
        static_cast<LRESULT>(copied) <= 0) {
        return {};
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(copied),
                                          nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(copied), text.data(), bytes,
                        nullptr, nullptr);
    return text;
}

int ListBoxSelectedRow(HWND list) {
    return static_cast<int>(TrySend(list, LB_GETCURSEL).value_or(LB_ERR));
}

void ListBoxSelectRow(HWND list, int row) {
    SendWithTimeout(list, LB_SETCURSEL, row);
    // LB_SETCURSEL sends no notification of its own; a user's click would.
    PostControlCommand(GetParent(list), GetDlgCtrlID(list), LBN_SELCHANGE, list);
}

// ---- Tree views -----------------------------------------------------------------------

namespace {

HTREEITEM NextTreeItem(HWND tree, UINT relation, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(
        SendWithTimeout(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

bool ReadTreeNode(HWND tree, const RemoteBuffer& remote, TreeNode& node) {
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE;
    item.hItem = node.item;
    item.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
    item.pszText = static_cast<char*>(remote.At(sizeof(TVITEMA)));
    item.cchTextMax = static_cast<int>(kTextCapacity);
    if (!remote.Put(item) || !SendWithTimeout(tree, TVM_GETITEMA, 0, remote.Param())) {
        return false;
    }
    if (!remote.Get(item)) return false;
    node.text = remote.Text(sizeof(TVITEMA), kTextCapacity);
    node.expanded = (item.state & TVIS_EXPANDED) != 0;
    node.selected = (item.state & TVIS_SELECTED) != 0;
    return true;
}

void CollectTreeNodes(HWND tree, const RemoteBuffer& remote, HTREEITEM first, int level,
                      std::vector<TreeNode>& nodes) {
    for (HTREEITEM item = first; item != nullptr; item = NextTreeItem(tree, TVGN_NEXT, item)) {
        TreeNode node;
        node.item = item;
        node.level = level;
        if (!ReadTreeNode(tree, remote, node)) return;
        nodes.push_back(node);
        CollectTreeNodes(tree, remote, NextTreeItem(tree, TVGN_CHILD, item), level + 1, nodes);
    }
}

}  // namespace

std::vector<TreeNode> TreeNodes(HWND tree) {
    std::vector<TreeNode> nodes;
    RemoteBuffer remote(tree, sizeof(TVITEMA) + kTextCapacity);
    if (remote) CollectTreeNodes(tree, remote, NextTreeItem(tree, TVGN_ROOT, nullptr), 0, nodes);
    return nodes;
}

void TreeSelect(HWND tree, HTREEITEM item) {
    SendWithTimeout(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void TreeExpand(HWND tree, HTREEITEM item, bool expand) {
    SendWithTimeout(tree, TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE,
                    reinterpret_cast<LPARAM>(item));
}

POINT TreeNodePoint(HWND tree, HTREEITEM item) {
    // wParam TRUE: the rectangle of the node's text only, which a click selects.
    const std::optional<RECT> rect = RemoteRect(tree, TVM_GETITEMRECT, TRUE, item);
    return rect ? MiddleOnScreen(tree, *rect) : POINT{};
}

}  // namespace kelvaro::test
