/* Numbers of the resources inside the programs, read by the resource compiler and by the
   C++ code alike, so plain preprocessor definitions only. */
#pragma once

/* The application icon: the lowest icon number, which the shell shows for the file. */
#define KELVARO_ICON_APPLICATION 1

/* The five role icons of the main program. */
#define KELVARO_ICON_SEARCH 101
#define KELVARO_ICON_REFRESH 102
#define KELVARO_ICON_SETTINGS 103
#define KELVARO_ICON_UPDATE 104
#define KELVARO_ICON_TRAY 105
