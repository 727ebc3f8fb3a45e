// The SDL backend's one owner: start() makes the Backend, end() takes it apart.
#include "platform/sdl/backend.h"

#include <utility>

namespace orvane::sdl {

namespace {

// The running backend, null before start() and after end(). A plain pointer:
// the backend ends when end() says so, never in a static destructor.
Backend* current = nullptr;

}  // namespace

void start(Video video) {
    end();
    current = new Backend;
    current->windowing.video = video;
}

void end() {
    // The backend is no longer running while it is taken apart, so a handler
    // that asks for the window meanwhile (display_loss.cpp) finds none.
    delete std::exchange(current, nullptr);
}

bool running() { return current != nullptr; }

Backend& backend() { return *current; }

}  // namespace orvane::sdl
