// The entry of Kelvaro(x64).exe. The program reads no command line.
#include <windows.h>

#include "shell/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    kelvaro::RunProgram();
}
