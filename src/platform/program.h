#pragma once
// The program as the backends' process entries see it: each entry (main on
// Linux, wWinMain on Windows) sets its platform up, runs the program and
// ends its platform.

namespace orvane {

// Runs the program: start-up, then the loop until WM_QUIT or WM_CLOSE.
// Returns the process exit code: 1, or 3 when the window could not be made
// (after one diagnostic line saying why).
int runProgram();

}  // namespace orvane
