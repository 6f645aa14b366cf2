// The menu bar with its owner-drawn items (image left of the text, drawn check marks, the
// key's name right-aligned, the mnemonic underlined) and the four popup menus.
#pragma once

#include <windows.h>

#include "ui/ids.h"

namespace kelvaro {

// The menu bar of the main window, or null when it could not be made.
HMENU BuildMenuBar();
// Makes the four popup menus; a popup that cannot be made is left out.
void BuildPopupMenus();
HMENU PopupMenuHandle(PopupId popup);
void DestroyPopupMenus();

// WM_MEASUREITEM and WM_DRAWITEM for the owner-drawn menu items; false for anything else.
bool MeasureMenuItem(MEASUREITEMSTRUCT* item);
bool DrawMenuItem(const DRAWITEMSTRUCT* item);
// The owner-drawn items are measured again (the main window moved to another DPI).
void RemeasureMenuItems(HMENU menuBar);

// WM_MENUCHAR: the system finds the mnemonics of plain items itself but not of owner-drawn
// ones; this picks the item of `menu` whose letter was typed.
LRESULT AnswerMenuChar(WPARAM wParam, LPARAM lParam);

}  // namespace kelvaro
