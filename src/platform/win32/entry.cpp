// The process entry of the Windows program. Built with -municode, so the C
// runtime calls wWinMain; its arguments and the command line are not used.

#include <windows.h>

#include "app/main_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return orvane::runProgram();
}
