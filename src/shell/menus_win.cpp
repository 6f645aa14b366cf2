// The menu bar as data tables, its owner-drawn items, and the popup menus.
#include "shell/menus_win.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "common/scoped_win.h"
#include "ui/resources_win.h"

namespace kelvaro {
namespace {

constexpr int kSeparator = -1;
constexpr int kSubmenu = -2;
constexpr int kNoImage = -1;

// One line of a menu. The owner-drawn items carry a pointer to their row, which lives as
// long as the program, so drawing finds the text and the image there.
struct MenuRow {
    int command = kSeparator;  // a CommandId, kSeparator or kSubmenu
    int image = kNoImage;      // an IconRole, or kNoImage
    bool checked = false;      // checked when the menu is built
    const char* submenuTitle = nullptr;
    const MenuRow* submenu = nullptr;
    size_t submenuSize = 0;
};

constexpr int Image(IconRole role) {
    return static_cast<int>(role);
}

constexpr MenuRow kSortRows[] = {
    {CmdSortAscending, kNoImage, true},
    {CmdSortDescending},
    {kSeparator},
    {CmdSortByName, kNoImage, true},
    {CmdSortByPriority},
    {CmdSortByThreads},
    {CmdSortByVerdict},
};

constexpr MenuRow kFileRows[] = {
    {CmdCheckForUpdates, Image(IconRole::Update)},
    {CmdSettings, Image(IconRole::Settings)},
    {kSeparator},
    {CmdQuit},
};

constexpr MenuRow kProcessRows[] = {
    {CmdSearchProcess, Image(IconRole::Search)},
    {CmdRefreshLists, Image(IconRole::Refresh)},
    {CmdKillListWindow},
    {kSeparator},
    {kSubmenu, kNoImage, false, "Liste sortieren", kSortRows, std::size(kSortRows)},
};

constexpr MenuRow kViewRows[] = {{CmdAlwaysOnTop}};
constexpr MenuRow kHelpRows[] = {{CmdAbout}};

struct BarMenu {
    const char* title;
    const MenuRow* rows;
    size_t size;
};

constexpr BarMenu kMenuBar[] = {
    {"Datei", kFileRows, std::size(kFileRows)},
    {"Prozesse", kProcessRows, std::size(kProcessRows)},
    {"Ansicht", kViewRows, std::size(kViewRows)},
    {"?", kHelpRows, std::size(kHelpRows)},
};

struct PopupRow {
    PopupId popup;
    CommandId command;
};

constexpr PopupRow kPopupRows[] = {
    {PopupTray, CmdOpenFromTray},
    {PopupTray, CmdTrayQuit},
    {PopupProcessList, CmdAddToKillList},
    {PopupWindowTree, CmdCloseWindow},
    {PopupWindowTree, CmdToggleWindowVisible},
    {PopupWindowTree, CmdToggleWindowEnabled},
    {PopupWindowTree, CmdBringWindowToFront},
};

// Geometry of an item: a column for the image or the check mark, then the text.
constexpr int kImageSize = 16;
constexpr int kColumnLeft = 4;
constexpr int kTextLeft = kColumnLeft + kImageSize + 8;
constexpr int kTextRightMargin = 20;  // room for a submenu's arrow
constexpr int kItemPadding = 6;

std::array<ScopedMenu, 3>& Popups() {
    static std::array<ScopedMenu, 3> popups;
    return popups;
}

std::string_view RowText(const MenuRow& row) {
    if (row.command == kSubmenu) return row.submenuTitle;
    return CommandText(static_cast<CommandId>(row.command));
}

bool InsertSeparator(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_SEPARATOR;
    return InsertMenuItemA(menu, position, TRUE, &info) != FALSE;
}

HMENU BuildDropDown(const MenuRow* rows, size_t size);

bool InsertOwnerDrawnItem(HMENU menu, UINT position, const MenuRow& row) {
    // The text is kept as the item's string as well, so that the system can read it
    // (accessibility, tests) although the program draws it.
    std::string text(RowText(row));
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_DATA | MIIM_STATE | MIIM_ID;
    info.fType = MFT_OWNERDRAW;
    info.dwTypeData = text.data();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&row);
    info.fState = row.checked ? MFS_CHECKED : MFS_UNCHECKED;
    info.wID = row.command >= 0 ? static_cast<UINT>(row.command) : 0;
    ScopedMenu submenu;
    if (row.command == kSubmenu) {
        submenu.reset(BuildDropDown(row.submenu, row.submenuSize));
        if (!submenu) return false;
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = submenu.get();
    }
    if (!InsertMenuItemA(menu, position, TRUE, &info)) return false;
    submenu.release();  // now owned by the menu
    return true;
}

// A menu of rows; rows that cannot be inserted are left out.
HMENU BuildDropDown(const MenuRow* rows, size_t size) {
    ScopedMenu menu(CreatePopupMenu());
    if (!menu) return nullptr;
    UINT position = 0;
    for (size_t i = 0; i < size; ++i) {
        const bool inserted = rows[i].command == kSeparator
                                  ? InsertSeparator(menu.get(), position)
                                  : InsertOwnerDrawnItem(menu.get(), position, rows[i]);
        if (inserted) ++position;
    }
    return menu.release();
}

const MenuRow* RowOf(ULONG_PTR itemData) {
    return reinterpret_cast<const MenuRow*>(itemData);
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 2, colour);
    if (pen == nullptr) return;
    {
        ScopedSelect selected(dc, pen);
        const POINT points[] = {{box.left + 3, box.top + 8},
                                {box.left + 6, box.top + 11},
                                {box.left + 12, box.top + 4}};
        Polyline(dc, points, 3);
    }
    DeleteObject(pen);
}

}  // namespace

HMENU BuildMenuBar() {
    ScopedMenu bar(CreateMenu());
    if (!bar) return nullptr;
    for (const BarMenu& entry : kMenuBar) {
        HMENU dropDown = BuildDropDown(entry.rows, entry.size);
        if (dropDown == nullptr) continue;
        if (!AppendMenuA(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown),
                         entry.title)) {
            DestroyMenu(dropDown);
        }
    }
    return bar.release();
}

void BuildPopupMenus() {
    for (int popup = PopupTray; popup <= PopupWindowTree; ++popup) {
        ScopedMenu menu(CreatePopupMenu());
        if (!menu) continue;
        for (const PopupRow& row : kPopupRows) {
            if (row.popup != popup) continue;
            const std::string text(CommandText(row.command));
            AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(row.command), text.c_str());
        }
        Popups()[static_cast<size_t>(popup - PopupTray)] = std::move(menu);
    }
}

HMENU PopupMenuHandle(PopupId popup) {
    if (popup < PopupTray || popup > PopupWindowTree) return nullptr;
    return Popups()[static_cast<size_t>(popup - PopupTray)].get();
}

void DestroyPopupMenus() {
    for (ScopedMenu& menu : Popups()) menu.reset();
}

bool MeasureMenuItem(MEASUREITEMSTRUCT* item) {
    if (item == nullptr || item->CtlType != ODT_MENU || item->itemData == 0) return false;
    const std::string_view text = RowText(*RowOf(item->itemData));
    SIZE extent{0, 16};
    ScopedWindowDc screen(nullptr, GetDC(nullptr));
    if (screen) {
        ScopedSelect font(screen.get(), MenuFont());
        GetTextExtentPoint32A(screen.get(), text.data(), static_cast<int>(text.size()), &extent);
    }
    item->itemWidth = static_cast<UINT>(kTextLeft + extent.cx + kTextRightMargin);
    item->itemHeight =
        static_cast<UINT>(std::max(extent.cy, static_cast<LONG>(kImageSize)) + kItemPadding);
    return true;
}

bool DrawMenuItem(const DRAWITEMSTRUCT* item) {
    if (item == nullptr || item->CtlType != ODT_MENU || item->itemData == 0) return false;
    const MenuRow& row = *RowOf(item->itemData);
    const HDC dc = item->hDC;
    const RECT& area = item->rcItem;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const bool grayed = (item->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;

    FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const COLORREF textColour = GetSysColor(grayed     ? COLOR_GRAYTEXT
                                            : selected ? COLOR_HIGHLIGHTTEXT
                                                       : COLOR_MENUTEXT);

    const int columnTop = area.top + (area.bottom - area.top - kImageSize) / 2;
    const RECT column{area.left + kColumnLeft, columnTop, area.left + kColumnLeft + kImageSize,
                      columnTop + kImageSize};
    if ((item->itemState & ODS_CHECKED) != 0) {
        DrawCheckMark(dc, column, textColour);
    } else if (row.image != kNoImage) {
        const HICON icon = ProgramIcon(static_cast<IconRole>(row.image), IconSize::Small);
        if (icon != nullptr) {
            DrawIconEx(dc, column.left, column.top, icon, kImageSize, kImageSize, 0, nullptr,
                       DI_NORMAL);
        }
    }

    const std::string_view text = RowText(row);
    RECT textArea{area.left + kTextLeft, area.top, area.right - kTextRightMargin, area.bottom};
    ScopedSelect font(dc, MenuFont());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, textColour);
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    return true;
}

}  // namespace kelvaro
