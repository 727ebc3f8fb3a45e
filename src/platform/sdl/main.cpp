// The Linux program's process entry.

#include "app/main_loop.h"
#include "platform/sdl/backend.h"

int main() {
    const int exitCode = orvane::runProgram();
    orvane::sdl::shutDown();
    return exitCode;
}
