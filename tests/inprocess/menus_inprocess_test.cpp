// The menu bar, its owner-drawn items and the popup menus, read from inside the program
// (another process cannot read them under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inprocess/harness.h"
#include "shell/menus_win.h"
#include "ui/ids.h"

namespace kelvaro::test {
namespace {

struct Item {
    std::string text;   // as shown: without the mnemonic's "&" and the key; "-" for a separator
    std::string label;  // as the item carries it, with the "&"
    std::string key;    // the name of the item's shortcut key, after the tab; empty for none
    int id = -1;
    bool checked = false;
    bool ownerDrawn = false;
    HMENU submenu = nullptr;
    ULONG_PTR data = 0;
};

std::vector<Item> Items(HMENU menu) {
    std::vector<Item> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_DATA;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        Item item;
        const std::string whole = (info.fType & MFT_SEPARATOR) != 0 ? "-" : text;
        const size_t tab = whole.find('\t');
        item.label = whole.substr(0, tab);
        if (tab != std::string::npos) item.key = whole.substr(tab + 1);
        for (const char c : item.label) {
            if (c != '&') item.text += c;
        }
        item.id = (info.fType & MFT_SEPARATOR) != 0 ? -1 : static_cast<int>(info.wID);
        item.checked = (info.fState & MFS_CHECKED) != 0;
        item.ownerDrawn = (info.fType & MFT_OWNERDRAW) != 0;
        item.submenu = info.hSubMenu;
        item.data = info.dwItemData;
        items.push_back(item);
    }
    return items;
}

std::vector<std::string> Texts(const std::vector<Item>& items) {
    std::vector<std::string> texts;
    for (const Item& item : items) texts.push_back(item.text);
    return texts;
}

HMENU MenuBar() {
    return GetMenu(ProgramMainWindow());
}

HMENU DropDown(int position) {
    return GetSubMenu(MenuBar(), position);
}

TEST(MenuBar, MenusAndItemsInTheirOrder) {
    ASSERT_NE(MenuBar(), nullptr);
    EXPECT_EQ(Texts(Items(MenuBar())),
              (std::vector<std::string>{"Datei", "Prozesse", "Ansicht", "?"}));
    EXPECT_EQ(Texts(Items(DropDown(0))),
              (std::vector<std::string>{"Auf Updates pr\xFC"
                                        "fen",
                                        "Einstellungen", "-", "Beenden"}));
    EXPECT_EQ(Texts(Items(DropDown(1))),
              (std::vector<std::string>{"Prozess suchen...", "Liste aktualisieren",
                                        "Bestimmte Prozesse beenden, wenn sie gefunden werden...",
                                        "-", "Liste sortieren"}));
    EXPECT_EQ(Texts(Items(DropDown(2))), (std::vector<std::string>{"Immer im Vordergrund"}));
    EXPECT_EQ(Texts(Items(DropDown(3))), (std::vector<std::string>{"\xDC"
                                                                   "ber"}));

    const std::vector<Item> processes = Items(DropDown(1));
    ASSERT_EQ(processes.size(), 5u);
    ASSERT_NE(processes[4].submenu, nullptr);
    EXPECT_EQ(Texts(Items(processes[4].submenu)),
              (std::vector<std::string>{"Aufsteigend", "Absteigend", "-", "Name", "Priorit\xE4t",
                                        "Anzahl Threads", "Befund"}));
}

TEST(MenuBar, ItemsCarryTheirCommandNumbers) {
    auto ids = [](HMENU menu) {
        std::vector<int> result;
        for (const Item& item : Items(menu)) {
            if (item.submenu == nullptr) result.push_back(item.id);
        }
        return result;
    };
    EXPECT_EQ(ids(DropDown(0)), (std::vector<int>{4, 5, -1, 6}));
    EXPECT_EQ(ids(DropDown(1)), (std::vector<int>{2, 3, 13, -1}));
    EXPECT_EQ(ids(GetSubMenu(DropDown(1), 4)), (std::vector<int>{7, 8, -1, 9, 10, 11, 12}));
    EXPECT_EQ(ids(DropDown(2)), (std::vector<int>{14}));
    EXPECT_EQ(ids(DropDown(3)), (std::vector<int>{15}));
}

TEST(MenuBar, CheckMarksAtStartAreAscendingAndName) {
    const HMENU bar = MenuBar();
    auto checked = [bar](int command) {
        return (GetMenuState(bar, static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_TRUE(checked(CmdSortAscending));
    EXPECT_FALSE(checked(CmdSortDescending));
    EXPECT_TRUE(checked(CmdSortByName));
    EXPECT_FALSE(checked(CmdSortByPriority));
    EXPECT_FALSE(checked(CmdSortByThreads));
    EXPECT_FALSE(checked(CmdSortByVerdict));
    EXPECT_FALSE(checked(CmdAlwaysOnTop));
}

// Draws one owner-drawn item into a picture of its own and tells whether anything but the
// item's background ended up in the column left of the text.
struct DrawnItem {
    bool columnMarked = false;
    bool textDrawn = false;
};

DrawnItem DrawItem(const Item& item, bool checked) {
    constexpr int kWidth = 300;
    constexpr int kHeight = 24;
    DrawnItem result;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, picture);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = static_cast<UINT>(item.id);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = checked ? ODS_CHECKED : 0;
    draw.hDC = dc;
    draw.rcItem = {0, 0, kWidth, kHeight};
    draw.itemData = item.data;
    if (DrawMenuItem(&draw)) {
        const COLORREF background = GetSysColor(COLOR_MENU);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (GetPixel(dc, x, y) == background) continue;
                if (x < 24) result.columnMarked = true;
                if (x >= 28) result.textDrawn = true;
            }
        }
    }
    SelectObject(dc, old);
    DeleteObject(picture);
    DeleteDC(dc);
    return result;
}

TEST(MenuBar, OwnerDrawnItemsShowTheirImageOrCheckMarkLeftOfTheText) {
    const std::vector<Item> file = Items(DropDown(0));
    const std::vector<Item> processes = Items(DropDown(1));
    const std::vector<Item> sort = Items(processes[4].submenu);
    for (const Item* item : {&file[0], &file[1], &file[3], &processes[0], &processes[1],
                             &processes[2], &sort[0], &sort[3]}) {
        EXPECT_TRUE(item->ownerDrawn) << item->text;
        EXPECT_NE(item->data, 0u) << item->text;
    }
    // "Auf Updates prüfen", "Einstellungen", "Prozess suchen...", "Liste aktualisieren"
    // carry images; "Beenden" and the kill-list item do not.
    for (const Item* item : {&file[0], &file[1], &processes[0], &processes[1]}) {
        const DrawnItem drawn = DrawItem(*item, false);
        EXPECT_TRUE(drawn.columnMarked) << item->text;
        EXPECT_TRUE(drawn.textDrawn) << item->text;
    }
    for (const Item* item : {&file[3], &processes[2], &sort[1]}) {
        const DrawnItem drawn = DrawItem(*item, false);
        EXPECT_FALSE(drawn.columnMarked) << item->text;
        EXPECT_TRUE(drawn.textDrawn) << item->text;
    }
    // A checked item shows its mark in the same column.
    EXPECT_TRUE(DrawItem(sort[0], true).columnMarked);
    EXPECT_TRUE(DrawItem(sort[1], true).columnMarked);
}

TEST(PopupMenus, PlainTextItemsWithTheirCommands) {
    auto rows = [](PopupId popup) {
        std::vector<std::pair<int, std::string>> result;
        for (const Item& item : Items(PopupMenuHandle(popup))) {
            EXPECT_FALSE(item.ownerDrawn) << item.text;
            result.emplace_back(item.id, item.text);
        }
        return result;
    };
    using Rows = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(rows(PopupTray), (Rows{{0,
                                      "\xD6"
                                      "ffnen"},
                                     {1, "Beenden"}}));
    EXPECT_EQ(rows(PopupProcessList),
              (Rows{{16, "Prozess beenden, wenn gefunden"}, {22, "Prozess beenden"}, {21, "Kopieren"}}));
    EXPECT_EQ(rows(PopupWindowTree), (Rows{{19, "Fenster schliessen"},
                                           {17, "Fenster zeigen/verstecken"},
                                           {18, "Fenster aktivieren/deaktivieren"},
                                           {20, "Fenster in Vordergrund setzen"},
                                           {21, "Kopieren"}}));
    EXPECT_EQ(rows(PopupWindowProperties), (Rows{{21, "Kopieren"}}));
}

// Every menu, the bar included, gives each of its items a letter of its own, and the items
// with a shortcut key name it after a tab, as the key table has it.
TEST(Menus, EveryItemHasAMnemonicOfItsOwnAndItsKeyRightAligned) {
    std::vector<HMENU> menus = {MenuBar(), GetSubMenu(DropDown(1), 4)};
    for (int i = 0; i < 4; ++i) menus.push_back(DropDown(i));
    for (int popup = PopupTray; popup <= PopupWindowProperties; ++popup) {
        menus.push_back(PopupMenuHandle(static_cast<PopupId>(popup)));
    }
    std::vector<std::string> keys;
    for (const HMENU menu : menus) {
        std::string letters;
        for (const Item& item : Items(menu)) {
            if (item.text == "-") continue;
            const char letter = MnemonicOf(item.label);
            EXPECT_NE(letter, 0) << item.text;
            EXPECT_EQ(letters.find(letter), std::string::npos) << item.text << " repeats " << letter;
            letters += letter;
            if (!item.key.empty()) keys.push_back(item.text + " " + item.key);
        }
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"Prozess suchen... Strg+F", "Liste aktualisieren F5",
                                              "Prozess beenden Entf", "Kopieren Strg+C",
                                              "Kopieren Strg+C", "Kopieren Strg+C"}));
}

TEST(AlwaysOnTop, TogglesCheckMarkAndTopmostStateTogether) {
    const HWND window = ProgramMainWindow();
    auto checked = [] {
        return (GetMenuState(MenuBar(), CmdAlwaysOnTop, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    auto topmost = [window] {
        return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    RECT before{};
    GetWindowRect(window, &before);
    ASSERT_FALSE(checked());
    ASSERT_FALSE(topmost());

    SendWait(window, WM_COMMAND, CmdAlwaysOnTop, 0);
    EXPECT_TRUE(checked());
    EXPECT_TRUE(topmost());
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));

    SendWait(window, WM_COMMAND, CmdAlwaysOnTop, 0);
    EXPECT_FALSE(checked());
    EXPECT_FALSE(topmost());
}

}  // namespace
}  // namespace kelvaro::test
