// The process entry of the Windows program. Built with -municode, so the C
// runtime calls wWinMain; its arguments and the command line are not used.
// COM is initialised for the program's one thread around its whole run: the
// shell open may hand a file to a handler that is a COM object. The backend's
// own state lives from just before the run to just after it.

#include <windows.h>
#include <objbase.h>

#include "platform/program.h"
#include "platform/win32/backend.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Apartment-threaded, as the shell's handlers expect, and without the
    // dynamic data exchange of OLE 1. Where that fails (COM set up otherwise
    // on this thread) the program runs all the same and leaves COM as it was.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    orvane::platform::win32::startBackend();
    const int exitCode = orvane::runProgram();
    orvane::platform::win32::endBackend();
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}
