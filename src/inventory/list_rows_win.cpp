// Filling and colouring the rows of the inventory's list views.
#include "inventory/list_rows_win.h"

#include <string>

namespace kelvaro {

void AppendListRow(HWND list, int row, std::initializer_list<std::string_view> columns,
                   LPARAM value) {
    int column = 0;
    std::string text;
    for (std::string_view part : columns) {
        text.assign(part);
        LVITEMA item{};
        item.iItem = row;
        item.iSubItem = column;
        item.pszText = text.data();
        if (column == 0) {
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.lParam = value;
            row = static_cast<int>(
                SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            if (row < 0) return;
        } else {
            item.mask = LVIF_TEXT;
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&item));
        }
        ++column;
    }
}

void RemoveAllListRows(HWND list) {
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
}

void SuspendListRedraw(HWND list) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
}

void ResumeListRedraw(HWND list) {
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    // Resuming does not repaint on its own on every system.
    InvalidateRect(list, nullptr, TRUE);
}

int SelectedListRow(HWND list) {
    if (list == nullptr) return -1;
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

LRESULT DrawRowInItsColour(NMHDR* notification, RowColour rowColour) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(notification);
    switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            // The item state in the notification is not reliable for list views; the list
            // is asked.
            const auto row = static_cast<WPARAM>(draw->nmcd.dwItemSpec);
            const bool selected =
                (SendMessageA(notification->hwndFrom, LVM_GETITEMSTATE, row, LVIS_SELECTED) &
                 LVIS_SELECTED) != 0;
            COLORREF colour = 0;
            if (!selected && rowColour(*draw, colour)) draw->clrText = colour;
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

LRESULT SkipPerRowDeleteNotifications(NMHDR*) {
    return TRUE;
}

}  // namespace kelvaro
