// The window half of the SDL backend (src/platform/window.h): one SDL window,
// SDL events turned into the Win32 messages the shared window procedure
// speaks, a non-blocking queue with Win32's order (posted and input messages,
// then WM_QUIT, then WM_PAINT), the default handling of the few messages that
// reach it, and the arrow cursor.

#include "platform/window.h"

#include <SDL.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/window_geometry.h"
#include "platform/posix/posix_files.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/shell.h"
#include "platform/sdl/text.h"

namespace orvane::sdl {

namespace {

constexpr uintptr_t leftButtonFlag = 0x0001;  // MK_LBUTTON

// The window half's part of the running backend.
Windowing& windowing() { return backend().windowing; }

WindowHandle handleOf(Window& window) { return {&window}; }

bool isDisplayDriver(std::string_view driver) { return driver == "x11" || driver == "wayland"; }

std::string environmentValue(const char* name) {
    const char* value = SDL_getenv(name);
    return value ? value : "";
}

// The display drivers to try, in order: the ones SDL_VIDEODRIVER names (when
// every one it names is a display driver), else x11 where DISPLAY is set and
// wayland where WAYLAND_DISPLAY is set. Empty, with the reason in
// videoFailure, when there is none.
std::vector<std::string> displayDrivers() {
    std::vector<std::string> drivers;
    const std::string asked = environmentValue("SDL_VIDEODRIVER");
    if (!asked.empty()) {
        size_t at = 0;
        while (at <= asked.size()) {
            size_t comma = asked.find(',', at);
            if (comma == std::string::npos) comma = asked.size();
            const std::string driver = asked.substr(at, comma - at);
            if (!isDisplayDriver(driver)) {
                windowing().videoFailure =
                    "SDL_VIDEODRIVER=" + asked + " names no display driver (x11 or wayland)";
                return {};
            }
            drivers.push_back(driver);
            at = comma + 1;
        }
        return drivers;
    }
    if (!environmentValue("DISPLAY").empty()) drivers.emplace_back("x11");
    if (!environmentValue("WAYLAND_DISPLAY").empty()) drivers.emplace_back("wayland");
    if (drivers.empty()) windowing().videoFailure = "no display (DISPLAY is not set)";
    return drivers;
}

// What failed when `driver` could not start, with the display it aimed at.
std::string driverFailure(const std::string& driver) {
    const char* variable = driver == "x11" ? "DISPLAY" : "WAYLAND_DISPLAY";
    const std::string display = environmentValue(variable);
    if (display.empty()) return std::string("no display (") + variable + " is not set)";
    return "cannot reach the display \"" + display + "\" (" + driver + ": " + SDL_GetError() + ")";
}

bool startVideo() {
    Windowing& state = windowing();
    if (state.videoReady) return true;
    // A software window surface: the OpenGL path is slower under Xvfb and
    // costs far more memory. No mouse capture while a button is held, as the
    // window procedure takes none.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    if (state.video == Video::anyDriver) {
        state.videoReady = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        if (!state.videoReady) state.videoFailure = SDL_GetError();
        return state.videoReady;
    }
    // Left to itself SDL falls back to its off-screen driver when no display
    // answers, and the program would run unseen: each driver is named instead.
    for (const std::string& driver : displayDrivers()) {
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            state.videoReady = true;
            return true;
        }
        if (state.videoFailure.empty()) state.videoFailure = driverFailure(driver);
    }
    return false;
}

// The program's window procedure, with one message for the window; 0 when
// the program gave none.
intptr_t callProcedure(WindowHandle window, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    const platform::WindowProcedure procedure = windowing().procedure;
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

void post(const Message& message) {
    // Like Win32, a new pointer move replaces one still waiting at the end.
    std::deque<Message>& queue = windowing().queue;
    if (message.message == messageMouseMove && !queue.empty() && queue.back().message == messageMouseMove) {
        queue.back() = message;
        return;
    }
    queue.push_back(message);
}

// DestroyWindow: the procedure hears WM_DESTROY while the window still
// exists, then the window goes.
void destroyWindow(Window& window) {
    if (!window.sdl) return;
    callProcedure(handleOf(window), messageDestroy);
    window.sdl.reset();
    window.needsPaint = false;
    window.contextHeld = false;
    forgetWindowContents(window);
    // Pointer messages for a window that is gone are dropped.
    std::erase_if(windowing().queue, [&](const Message& m) { return m.window.value == &window; });
}

// A request to close (the window's close button, the window manager, Alt+F4,
// an interrupt) is sent to the procedure as WM_CLOSE, as Win32's default
// handling of the system menu's Close does.
void requestClose() {
    if (Window* window = liveWindow()) callProcedure(handleOf(*window), messageClose);
}

bool isOurWindow(uint32_t windowId) {
    const Window* window = liveWindow();
    return window && SDL_GetWindowID(window->sdl.get()) == windowId;
}

void postPointer(uint32_t windowId, uint32_t message, int32_t x, int32_t y, bool leftHeld) {
    if (!isOurWindow(windowId)) return;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(windowing().window.sdl.get(), &width, &height);
    // Without capture a window hears the pointer only over its client area.
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    post({handleOf(windowing().window), message, leftHeld ? leftButtonFlag : 0, packPoint(x, y)});
}

void translate(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEMOTION:
            postPointer(event.motion.windowID, messageMouseMove, event.motion.x, event.motion.y,
                        (event.motion.state & SDL_BUTTON_LMASK) != 0);
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) {
                postPointer(event.button.windowID, messageLeftButtonDown, event.button.x, event.button.y, true);
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) {
                postPointer(event.button.windowID, messageLeftButtonUp, event.button.x, event.button.y, false);
            }
            break;
        case SDL_KEYDOWN:
            if (event.key.keysym.sym == SDLK_F4 && (event.key.keysym.mod & KMOD_ALT) &&
                isOurWindow(event.key.windowID)) {
                requestClose();
            }
            break;
        case SDL_WINDOWEVENT:
            if (!isOurWindow(event.window.windowID)) break;
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    requestClose();
                    break;
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    windowing().window.needsPaint = true;
                    forgetWindowContents(windowing().window);
                    break;
                default:
                    break;
            }
            break;
        case SDL_QUIT:
            requestClose();
            break;
        default:
            break;
    }
}

void pumpEvents() {
    reapOpeners();
    if (!windowing().videoReady) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) translate(event);
}

// Gives the window its outer size where a window manager adds a frame; under
// a bare X server there is none and the client area is that size.
void fitOuterSize(SDL_Window* window) {
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) return;
    if (top + bottom <= 0 && left + right <= 0) return;
    SDL_SetWindowSize(window, geometry::windowWidth - left - right, geometry::windowHeight - top - bottom);
}

}  // namespace

Window* liveWindow() {
    if (!running()) return nullptr;
    Window& window = windowing().window;
    return window.sdl ? &window : nullptr;
}

Window* windowOf(WindowHandle handle) {
    Window* window = liveWindow();
    return window && handle.value == window ? window : nullptr;
}

Windowing::~Windowing() {
    window.sdl.reset();
    if (videoReady) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

}  // namespace orvane::sdl

namespace orvane::platform {

using namespace orvane::sdl;

WindowHandle createMainWindow(std::u16string_view title, WindowProcedure procedure) {
    Windowing& state = windowing();
    if (state.window.sdl) {
        state.videoFailure = "the window is open already";
        return {};
    }
    if (!startVideo()) return {};
    // Every message of the window goes to the program's procedure, as the
    // class registered with it would send them on Windows.
    state.procedure = procedure;
    const std::string caption = utf8Of(title);
    SDL_Window* window = SDL_CreateWindow(caption.c_str(), geometry::windowLeft, geometry::windowTop,
                                          geometry::windowWidth, geometry::windowHeight, SDL_WINDOW_SHOWN);
    if (!window) {
        state.videoFailure = SDL_GetError();
        return {};
    }
    state.window.sdl.reset(window);
    state.window.needsPaint = true;
    fitOuterSize(window);
    return handleOf(state.window);
}

std::u16string windowFailureText() { return posix::nameFromBytes(windowing().videoFailure); }

void showWindow(WindowHandle handle) {
    if (Window* window = windowOf(handle)) {
        SDL_ShowWindow(window->sdl.get());
        SDL_RaiseWindow(window->sdl.get());
    }
}

void updateWindow(WindowHandle handle) {
    if (Window* window = windowOf(handle); window && window->needsPaint) {
        callProcedure(handle, messagePaint);
    }
}

void closeWindow(WindowHandle handle) {
    // CloseWindow minimises; it does not destroy.
    if (Window* window = windowOf(handle)) SDL_MinimizeWindow(window->sdl.get());
}

bool peekMessage(Message& message, bool remove) {
    pumpEvents();
    Windowing& state = windowing();
    if (!state.queue.empty()) {
        message = state.queue.front();
        if (remove) state.queue.pop_front();
        return true;
    }
    if (state.quitPosted) {
        message = {{}, messageQuit, static_cast<uintptr_t>(state.quitCode), 0};
        if (remove) state.quitPosted = false;
        return true;
    }
    if (state.window.sdl && state.window.needsPaint) {
        // WM_PAINT stays due until the window is painted (validated).
        message = {handleOf(state.window), messagePaint, 0, 0};
        return true;
    }
    return false;
}

void translateMessage(const Message&) {}

intptr_t dispatchMessage(const Message& message) {
    if (!windowOf(message.window)) return 0;
    return callProcedure(message.window, message.message, message.wParam, message.lParam);
}

intptr_t defaultWindowProcedure(WindowHandle handle, uint32_t message, uintptr_t, intptr_t) {
    Window* window = windowOf(handle);
    if (!window) return 0;
    switch (message) {
        case messageClose:
            destroyWindow(*window);
            return 0;
        case messagePaint:
            // Painting validates the window; the background is erased first
            // (WM_ERASEBKGND) when the window became due for painting.
            if (window->needsPaint) {
                window->needsPaint = false;
                callProcedure(handle, messageEraseBackground);
            }
            return 0;
        default:
            return 0;
    }
}

void postQuitMessage(int exitCode) {
    Windowing& state = windowing();
    state.quitPosted = true;
    state.quitCode = exitCode;
}

CursorHandle loadArrowCursor() {
    if (!startVideo()) return {};
    return {SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW)};
}

void setCursor(CursorHandle cursor) {
    if (!windowing().videoReady) return;
    if (!cursor) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    auto* sdlCursor = static_cast<SDL_Cursor*>(cursor.value);
    if (SDL_GetCursor() != sdlCursor) SDL_SetCursor(sdlCursor);
    if (SDL_ShowCursor(SDL_QUERY) != SDL_ENABLE) SDL_ShowCursor(SDL_ENABLE);
}

void destroyCursor(CursorHandle cursor) {
    if (!windowing().videoReady || !cursor) return;
    auto* sdlCursor = static_cast<SDL_Cursor*>(cursor.value);
    if (SDL_GetCursor() == sdlCursor) SDL_SetCursor(SDL_GetDefaultCursor());
    SDL_FreeCursor(sdlCursor);
}

}  // namespace orvane::platform
