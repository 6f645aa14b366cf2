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

// Creates "corbel" 12 points, then "Tahoma" 10 points. False when one could not be made
// (its controls then keep the system font).
bool CreateProgramFonts();
// Loads the five icons from the program file in both sizes.
bool LoadProgramIcons();
// The font drawn in menus, as the system's settings give it.
HFONT MenuFont();

HFONT ProgramFont(FontRole role);
HICON ProgramIcon(IconRole role, IconSize size);
HICON ApplicationIcon(IconSize size);

// Libraries loaded when they are first needed rather than with the program (the rich
// edit control's, the shell's notification area), each loaded once and freed at the
// program's end. Null when the library cannot be loaded.
HMODULE LoadRunTimeLibrary(const char* name);
void FreeRunTimeLibraries();

void ReleaseProgramFonts();
void ReleaseProgramIcons();

}  // namespace kelvaro
