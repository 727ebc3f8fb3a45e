#pragma once
// How the Linux program ends when its X display fails under it: one line on
// standard error and the exit code exitDisplayLost, never Xlib's own report
// and exit code 1 (the program's normal end after a close).

namespace orvane::sdl {

// 1 is the normal end after a close, 3 "cannot open a window".
constexpr int exitDisplayLost = 4;

// Installs Xlib's handlers for a lost connection (the X server ended, or it
// cut the connection) and for a refused request (the window destroyed by
// another program, say). Process-wide; call before the display is opened.
void endOnDisplayFailure();

}  // namespace orvane::sdl
