// The Linux program's end when its X display fails under it. Xlib's defaults
// print a report of their own and end the process with exit code 1, which is
// the program's normal end after a close, so a lost display would read as a
// close. These handlers say what happened on one line and end the process
// with exitDisplayLost instead, at once: the display cannot be used again,
// and nothing of the program needs saving.
//
// The handlers end the process themselves rather than return: a returning
// connection handler would need Xlib 1.7's exit handler to keep the process
// alive, and every request after it would fail quietly.

#include "platform/sdl/display_loss.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <string>

#include "platform/sdl/backend.h"

namespace orvane::sdl {

namespace {

std::string displayName(Display* display) {
    const char* name = display ? DisplayString(display) : nullptr;
    return name && *name ? std::string(" \"") + name + "\"" : std::string();
}

[[noreturn]] void endWith(const std::string& line) {
    const std::string text = "orvane: " + line + "\n";
    // One write, straight to the descriptor: the process ends next, and it may
    // be in the middle of a frame.
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, text.data(), text.size());
    _exit(exitDisplayLost);
}

// The X window of the program's window, or 0 when there is none.
unsigned long programWindowId() {
    Window* window = liveWindow();
    if (!window) return 0;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window->sdl.get(), &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

// The connection is gone: the X server ended or crashed, or it cut this
// client off (xkill, say).
int onConnectionLost(Display* display) {
    endWith("lost the connection to the display" + displayName(display) +
            " (the X server ended or closed the connection)");
}

// A request the X server refused. Anticipated refusals are caught by SDL
// around the calls that expect them; what reaches here would have ended the
// process anyway. The usual one: another program destroyed the window
// (xdotool windowclose), and the next request naming it fails.
int onRequestRefused(Display* display, XErrorEvent* error) {
    const unsigned long window = programWindowId();
    if (window != 0 && error->resourceid == window &&
        (error->error_code == BadWindow || error->error_code == BadDrawable)) {
        endWith("lost the window on the display" + displayName(display) +
                " (another program destroyed it)");
    }
    char reason[160] = "";
    XGetErrorText(display, error->error_code, reason, sizeof reason);
    endWith("the display" + displayName(display) + " refused a request (" + reason + ", request " +
            std::to_string(error->request_code) + "." + std::to_string(error->minor_code) + ")");
}

}  // namespace

void endOnDisplayFailure() {
    XSetIOErrorHandler(onConnectionLost);
    XSetErrorHandler(onRequestRefused);
}

}  // namespace orvane::sdl
