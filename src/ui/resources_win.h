// The program's fonts and icons, created once at start-up and released at its end.
#pragma once

#include <windows.h>

namespace kelvaro {

enum class FontRole {
    Tahoma10,  // the lists and the tree
    Corbel12,  // the description fields
};

enum class IconRole { Search, Refresh, Settings, Update, Tray };
inline constexpr int kIconRoleCount = 5;

enum class IconSize {
    Small,  // 16 x 16: menus, the notification area
    Large,  // 32 x 32: the toolbar
};

// Creates "corbel" 12 points, then "Tahoma" 10 points, at the system's DPI. False when one
// could not be made (its controls then keep the system font).
bool CreateProgramFonts();
// Loads the five icons from the program file in both sizes for a DPI (the small size of
// the system at that DPI, the large one 32 pixels at 96 DPI, scaled); the program's own
// icon for the window class at the system's DPI the first time.
bool LoadProgramIcons(int dpi);
// The font drawn in menus, as the system's settings give it, at a DPI.
HFONT MenuFont(int dpi);

HFONT ProgramFont(FontRole role);
HFONT ProgramFont(FontRole role, int dpi);
// The system's GUI font (buttons, fields, tabs) at a DPI.
HFONT DialogFont(int dpi);
// The same font made for another DPI: the height scaled by `toDpi` / `fromDpi`. The
// program's own fonts come back when the scaled one is one of them; the others are made
// once per size and kept to the program's end. Null for a null font.
HFONT FontForDpi(HFONT font, int fromDpi, int toDpi);
HICON ProgramIcon(IconRole role, IconSize size);
HICON ApplicationIcon(IconSize size);
// The program's own icon in the size the system uses for windows at a DPI.
HICON ApplicationIcon(IconSize size, int dpi);

// Libraries loaded when they are first needed rather than with the program (the rich
// edit control's, the shell's notification area), each loaded once and freed at the
// program's end. Null when the library cannot be loaded.
HMODULE LoadRunTimeLibrary(const char* name);
void FreeRunTimeLibraries();

void ReleaseProgramFonts();
void ReleaseProgramIcons();

}  // namespace kelvaro
