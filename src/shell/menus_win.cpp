// The menu bar as data tables, its owner-drawn items, and the popup menus.
#include "shell/menus_win.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "common/scoped_win.h"
#include "ui/dpi_win.h"
#include "ui/program_windows_win.h"
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
    {kSubmenu, kNoImage, false, "Liste s&ortieren", kSortRows, std::size(kSortRows)},
};

constexpr MenuRow kViewRows[] = {{CmdAlwaysOnTop}};
constexpr MenuRow kHelpRows[] = {{CmdAbout}};

struct BarMenu {
    const char* title;
    const MenuRow* rows;
    size_t size;
};

constexpr BarMenu kMenuBar[] = {
    {"&Datei", kFileRows, std::size(kFileRows)},
    {"&Prozesse", kProcessRows, std::size(kProcessRows)},
    {"&Ansicht", kViewRows, std::size(kViewRows)},
    {"&?", kHelpRows, std::size(kHelpRows)},
};

struct PopupRow {
    PopupId popup;
    CommandId command;
};

constexpr PopupRow kPopupRows[] = {
    {PopupTray, CmdOpenFromTray},
    {PopupTray, CmdTrayQuit},
    {PopupProcessList, CmdAddToKillList},
    {PopupProcessList, CmdEndProcess},
    {PopupProcessList, CmdCopy},
    {PopupWindowTree, CmdCloseWindow},
    {PopupWindowTree, CmdToggleWindowVisible},
    {PopupWindowTree, CmdToggleWindowEnabled},
    {PopupWindowTree, CmdBringWindowToFront},
    {PopupWindowTree, CmdCopy},
    {PopupWindowProperties, CmdCopy},
};

// Geometry of an item at 96 DPI: a column for the image or the check mark, then the text.
// The menus are the main window's and scaled to its DPI.
constexpr int kImageSize = 16;
constexpr int kColumnLeft = 4;
constexpr int kTextLeft = kColumnLeft + kImageSize + 8;
constexpr int kTextRightMargin = 20;  // room for a submenu's arrow
constexpr int kKeyGap = 24;           // between the text and the key's name
constexpr int kItemPadding = 6;

std::array<ScopedMenu, kPopupCount>& Popups() {
    static std::array<ScopedMenu, kPopupCount> popups;
    return popups;
}

// The label with its "&", as drawn.
std::string RowLabel(const MenuRow& row) {
    if (row.command == kSubmenu) return row.submenuTitle;
    return MenuLabel(static_cast<CommandId>(row.command));
}

std::string_view RowKeyName(const MenuRow& row) {
    if (row.command < 0) return {};
    return ShortcutKeyName(static_cast<CommandId>(row.command));
}

// The item's string as the system keeps it: the label, then a tab and the key's name.
std::string ItemString(CommandId command) {
    std::string text = MenuLabel(command);
    const std::string_view key = ShortcutKeyName(command);
    if (!key.empty()) text += '\t' + std::string(key);
    return text;
}

std::string RowItemString(const MenuRow& row) {
    if (row.command == kSubmenu) return row.submenuTitle;
    return ItemString(static_cast<CommandId>(row.command));
}

SIZE TextExtent(HDC dc, std::string_view text, UINT format) {
    RECT box{0, 0, 0, 0};
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_CALCRECT | format);
    return {box.right - box.left, box.bottom - box.top};
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
    std::string text = RowItemString(row);
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

int MenuDpi() {
    return ProgramWindowDpi(WndMain);
}

int Px(int value) {
    return ScaleToDpi(value, MenuDpi());
}

const MenuRow* RowOf(ULONG_PTR itemData) {
    return reinterpret_cast<const MenuRow*>(itemData);
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, Px(2), colour);
    if (pen == nullptr) return;
    {
        ScopedSelect selected(dc, pen);
        const POINT points[] = {{box.left + Px(3), box.top + Px(8)},
                                {box.left + Px(6), box.top + Px(11)},
                                {box.left + Px(12), box.top + Px(4)}};
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
    for (int popup = PopupTray; popup <= PopupWindowProperties; ++popup) {
        ScopedMenu menu(CreatePopupMenu());
        if (!menu) continue;
        for (const PopupRow& row : kPopupRows) {
            if (row.popup != popup) continue;
            const std::string text = ItemString(row.command);
            AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(row.command), text.c_str());
        }
        Popups()[static_cast<size_t>(popup - PopupTray)] = std::move(menu);
    }
}

HMENU PopupMenuHandle(PopupId popup) {
    if (popup < PopupTray || popup > PopupWindowProperties) return nullptr;
    return Popups()[static_cast<size_t>(popup - PopupTray)].get();
}

void DestroyPopupMenus() {
    for (ScopedMenu& menu : Popups()) menu.reset();
}

bool MeasureMenuItem(MEASUREITEMSTRUCT* item) {
    if (item == nullptr || item->CtlType != ODT_MENU || item->itemData == 0) return false;
    const MenuRow& row = *RowOf(item->itemData);
    const int imageSize = Px(kImageSize);
    SIZE extent{0, imageSize};
    SIZE keyExtent{0, 0};
    ScopedWindowDc screen(nullptr, GetDC(nullptr));
    if (screen) {
        ScopedSelect font(screen.get(), MenuFont(MenuDpi()));
        extent = TextExtent(screen.get(), RowLabel(row), 0);
        const std::string_view key = RowKeyName(row);
        if (!key.empty()) keyExtent = TextExtent(screen.get(), key, DT_NOPREFIX);
    }
    const int keyWidth = keyExtent.cx > 0 ? Px(kKeyGap) + keyExtent.cx : 0;
    item->itemWidth =
        static_cast<UINT>(Px(kTextLeft) + extent.cx + keyWidth + Px(kTextRightMargin));
    item->itemHeight =
        static_cast<UINT>(std::max(extent.cy, static_cast<LONG>(imageSize)) + Px(kItemPadding));
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

    const int imageSize = Px(kImageSize);
    const int columnTop = area.top + (area.bottom - area.top - imageSize) / 2;
    const RECT column{area.left + Px(kColumnLeft), columnTop,
                      area.left + Px(kColumnLeft) + imageSize, columnTop + imageSize};
    if ((item->itemState & ODS_CHECKED) != 0) {
        DrawCheckMark(dc, column, textColour);
    } else if (row.image != kNoImage) {
        const HICON icon = ProgramIcon(static_cast<IconRole>(row.image), IconSize::Small);
        if (icon != nullptr) {
            DrawIconEx(dc, column.left, column.top, icon, imageSize, imageSize, 0, nullptr,
                       DI_NORMAL);
        }
    }

    const std::string text = RowLabel(row);
    const std::string_view key = RowKeyName(row);
    RECT textArea{area.left + Px(kTextLeft), area.top, area.right - Px(kTextRightMargin),
                  area.bottom};
    ScopedSelect font(dc, MenuFont(MenuDpi()));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, textColour);
    // The mnemonic's underline shows as the system's menus show it: only once the user
    // works the menu from the keyboard.
    const UINT prefix = (item->itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0;
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | prefix);
    if (!key.empty()) {
        DrawTextA(dc, key.data(), static_cast<int>(key.size()), &textArea,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    return true;
}

namespace {

// Setting an owner-drawn item's type again makes the system measure it anew.
void RemeasureItems(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        if (info.hSubMenu != nullptr) RemeasureItems(info.hSubMenu);
        if ((info.fType & MFT_OWNERDRAW) == 0) continue;
        info.fMask = MIIM_FTYPE;
        SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    }
}

}  // namespace

void RemeasureMenuItems(HMENU menuBar) {
    if (menuBar != nullptr) RemeasureItems(menuBar);
}

LRESULT AnswerMenuChar(WPARAM wParam, LPARAM lParam) {
    const auto menu = reinterpret_cast<HMENU>(lParam);
    // The typed character folded as the labels' letters are.
    const char typed = MnemonicOf(std::string("&") + static_cast<char>(LOWORD(wParam)));
    const int count = GetMenuItemCount(menu);
    for (int position = 0; typed != 0 && position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        if ((info.fType & MFT_OWNERDRAW) == 0 || info.dwItemData == 0) continue;
        if (MnemonicOf(RowLabel(*RowOf(info.dwItemData))) == typed) {
            return MAKELRESULT(position, MNC_EXECUTE);
        }
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

}  // namespace kelvaro
