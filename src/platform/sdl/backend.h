#pragma once
// The SDL backend's state and its one owner. The window, message and drawing
// halves, the fonts and the shell open each keep their part in one Backend,
// which start() makes and end() takes apart: nothing of the backend outlives
// end() or is left to the process's exit, and a test can begin from a fresh
// backend. Only src/platform/sdl/, the Linux render tool and the backend's own
// tests and benchmarks see it.

#include <SDL.h>
#include <sys/types.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/sdl/canvas.h"
#include "platform/sdl/fonts.h"
#include "platform/sdl/text.h"
#include "platform/window.h"

namespace orvane::sdl {

struct DrawingObject;

// A drawing context: the window's own, or one in memory drawing on a canvas.
struct Context {
    bool isWindow = false;
    DrawingObject* bitmap = nullptr;  // memory contexts: the selected canvas
    DrawingObject* brush = nullptr;
    DrawingObject* font = nullptr;
    bool transparent = false;         // background mode TRANSPARENT (else OPAQUE)
    uint32_t textColor = 0x000000;    // COLORREF: 0x00BBGGRR
    uint32_t backgroundColor = 0xFFFFFF;
};

enum class ObjectKind { bitmap, brush, font };

struct DrawingObject {
    ObjectKind kind = ObjectKind::brush;
    bool stock = false;        // never freed; deleting it does nothing and succeeds
    int32_t selections = 0;    // memory contexts holding it selected
    std::unique_ptr<Canvas> canvas;  // bitmap
    uint32_t color = 0;              // brush, as a canvas pixel 0x00RRGGBB
    FontFace* face = nullptr;        // font; null when no font file could be opened
};

struct SdlWindowRelease {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};

// The program's window.
struct Window {
    std::unique_ptr<SDL_Window, SdlWindowRelease> sdl;
    Context context;              // the window's drawing context (a class context)
    bool contextHeld = false;     // handed out by getWindowContext, not yet released
    bool needsPaint = false;      // uncovered or shown: a WM_PAINT is due
    // What the window surface last received from a canvas: when the surface
    // is still the same and nothing else drew on it, a copy of that canvas
    // need only carry the tiles that changed since.
    SDL_Surface* syncedSurface = nullptr;
    uint64_t syncedCanvas = 0;
};

// Which video drivers createMainWindow may start.
enum class Video {
    // Whatever SDL takes, its off-screen drivers included: the render tool and
    // the backend's tests and benchmarks draw off-screen on the dummy driver.
    anyDriver,
    // Only a display driver (x11 or wayland; the one SDL_VIDEODRIVER names
    // when it names one of them), saying why when no display can be reached:
    // the program's window is a real one or none.
    displayOnly,
};

// The window half (window.cpp): the one window, the procedure the program
// handed over with it, SDL's video subsystem and the message queue. Ending it
// destroys the window and ends SDL.
struct Windowing {
    Windowing() = default;
    ~Windowing();
    Windowing(const Windowing&) = delete;
    Windowing& operator=(const Windowing&) = delete;

    Window window;
    platform::WindowProcedure procedure = nullptr;
    Video video = Video::anyDriver;
    bool videoReady = false;
    std::string videoFailure;  // why no window could be made
    std::deque<Message> queue;
    bool quitPosted = false;
    int quitCode = 0;
};

// The drawing half (draw.cpp): the stock objects, the memory contexts and the
// objects not yet deleted.
struct Drawing {
    // The stock objects: never freed; deleting one does nothing and succeeds.
    DrawingObject grayBrush{ObjectKind::brush, true, 0, nullptr, 0x808080, nullptr};
    DrawingObject whiteBrush{ObjectKind::brush, true, 0, nullptr, 0xFFFFFF, nullptr};
    DrawingObject defaultFont{ObjectKind::font, true, 0, nullptr, 0, nullptr};
    DrawingObject defaultBitmap{ObjectKind::bitmap, true, 0, nullptr, 0, nullptr};
    std::vector<std::unique_ptr<Context>> memoryContexts;
    std::vector<std::unique_ptr<DrawingObject>> liveObjects;  // canvases and fonts not yet deleted
    std::unique_ptr<Canvas> spareCanvas;  // the last deleted canvas, kept for the next of its size
    std::vector<PlacedGlyph> shaped;      // the glyphs of the last shaped text
};

// The shell open (shell.cpp).
struct Shell {
    std::vector<pid_t> openers;       // started, not yet reaped
    std::set<std::string> saidLines;  // why files could not be opened, each said once a run
};

// Everything the backend keeps between calls. Members end in reverse order:
// the drawing objects before the window and SDL, and all of them before the
// font faces they point at.
struct Backend {
    Fonts fonts;
    uint64_t nextCanvasIdentity = 1;  // tells canvases apart for the window's copy record
    Windowing windowing;
    Drawing drawing;
    Shell shell;
};

// Starts a fresh backend (ending a running one first). Every other call of
// the backend needs a running one.
void start(Video video = Video::anyDriver);
// Ends the running backend: the window, SDL, the drawing objects, the fonts,
// FreeType and fontconfig are all given back. Nothing when none runs.
void end();
// Whether a backend runs, and the running one.
bool running();
Backend& backend();

// The window behind a handle, or null when the handle does not name a live window.
Window* windowOf(WindowHandle handle);
// The program's window while it exists (and the backend runs), else null.
Window* liveWindow();

// Marks the window's surface as no longer matching any canvas (it was
// uncovered, resized or drawn on directly): the next copy carries everything.
void forgetWindowContents(Window& window);

}  // namespace orvane::sdl
