// The main window's frame as every part of the program uses it: the window and its bars,
// the status bar's fields, the check marks of the menu commands, the popup menus and the
// answers to control notifications. The program's wiring hands the frame's parts over once
// it has built them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/ids.h"
#include "ui/status_fields.h"

namespace kelvaro {

// The parts as the main window's construction made them; a part that could not be made is
// null. `popupMenu` gives popup 1, 2 or 3.
struct FrameParts {
    HWND window = nullptr;
    HWND toolbar = nullptr;
    HWND statusBar = nullptr;
    HMENU menuBar = nullptr;
    HMENU (*popupMenu)(PopupId popup) = nullptr;
};
void SetFrameParts(const FrameParts& parts);
// Forgets the parts and the notification handlers (at the program's end).
void ForgetFrameParts();

HWND MainWindow();
HWND MainToolbar();
HWND MainStatusBar();

// Status bar fields: a text, or the field's label with a count ("Prozesse: 42").
void SetStatusText(StatusField field, const std::string& text);
void WriteStatusCount(StatusField field, int64_t count);

// The check mark of a command's menu item.
void CheckCommand(CommandId command, bool checked);
bool IsCommandChecked(CommandId command);

// Opens a popup menu at the mouse position moved one pixel left and up, with the main
// window made the foreground window first. The chosen item arrives as a command event.
void OpenPopupMenu(PopupId popup);
// The same at a point in screen coordinates: the menu key asks for the popup of the
// selected item, wherever the mouse is.
void OpenPopupMenuAt(PopupId popup, POINT screen);
// The screen point at which the menu key opens the popup of a control's selected item: the
// item's lower left corner, or the control's upper left corner when the item is none.
POINT PopupPointBelow(HWND control, const RECT* itemInControl);

// A notification of a control that needs an answer (custom drawing of list rows, for
// example): the handler's result is returned to the control. One handler per control and
// notification code; it runs at once, outside the event order.
using NotifyHandler = LRESULT (*)(NMHDR* notification);
void SetNotifyHandler(ControlId control, UINT code, NotifyHandler handler);
// Runs the handler set for the notification; false when none is set.
bool RunNotifyHandler(NMHDR* notification, LRESULT& result);

}  // namespace kelvaro
