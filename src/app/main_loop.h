#pragma once
// Start-up and the paced main loop, shared by every backend's process entry.

namespace orvane {

// Runs the program: start-up, then the loop until WM_QUIT or WM_CLOSE.
// Returns the process exit code: 1, or 3 when the window could not be made
// (after one diagnostic line saying why).
int runProgram();

}  // namespace orvane
