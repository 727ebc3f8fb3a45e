// The Linux program's process entry.

#include "platform/posix/memory.h"
#include "platform/program.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/display_loss.h"

int main() {
    // A window on the desktop, or a line saying why not.
    orvane::sdl::start(orvane::sdl::Video::displayOnly);
    orvane::sdl::endOnDisplayFailure();  // a display lost later: a line and exit code 4, not a close
    orvane::posix::keepFreedMemory();
    const int exitCode = orvane::runProgram();
    orvane::sdl::end();
    return exitCode;
}
