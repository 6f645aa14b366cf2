// The entry of Kelvaro(x64).exe, and the version it is built as (the generated version
// header that the build puts first on the include path). The program reads no command line.
#include <windows.h>

#include "kelvaro_version.h"
#include "shell/program_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    kelvaro::RunProgram(KELVARO_VERSION_TEXT);
}
