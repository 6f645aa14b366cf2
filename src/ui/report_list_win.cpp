// Making report-style list views and their columns.
#include "ui/report_list_win.h"

#include <commctrl.h>

#include "ui/dpi_win.h"
#include "ui/program_windows_win.h"

namespace kelvaro {

HWND CreateReportList(ControlId id, HWND parent, DWORD styles, const Rect& rect, HFONT font) {
    return CreateControl(id, parent, WC_LISTVIEWA, "", LVS_REPORT | styles, WS_EX_CLIENTEDGE,
                         rect.x, rect.y, rect.width, rect.height, font);
}

void SetListExtendedStyles(HWND list, DWORD extendedStyles) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extendedStyles, extendedStyles);
}

void AddListColumns(HWND list, std::span<const ListColumn> columns) {
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(columns[i].title);
        column.cx = Scaled(list, columns[i].width);
        column.iSubItem = static_cast<int>(i);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

}  // namespace kelvaro
