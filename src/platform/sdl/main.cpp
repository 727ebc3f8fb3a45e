// The Linux program's process entry.

#include "app/main_loop.h"
#include "platform/posix/memory.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/display_loss.h"

int main() {
    orvane::sdl::requireDisplay();  // a window on the desktop, or a line saying why not
    orvane::sdl::endOnDisplayFailure();  // a display lost later: a line and exit code 4, not a close
    orvane::posix::keepFreedMemory();
    const int exitCode = orvane::runProgram();
    orvane::sdl::shutDown();
    return exitCode;
}
