// The Linux program's process entry.

#include "app/main_loop.h"
#include "platform/posix/memory.h"
#include "platform/sdl/backend.h"

int main() {
    orvane::sdl::requireDisplay();  // a window on the desktop, or a line saying why not
    orvane::posix::keepFreedMemory();
    const int exitCode = orvane::runProgram();
    orvane::sdl::shutDown();
    return exitCode;
}
