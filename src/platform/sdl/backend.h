#pragma once
// What the SDL backend's window, message and drawing halves share: the one
// window, drawing contexts and drawing objects. Only src/platform/sdl/ sees it.

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <memory>

#include "platform/sdl/canvas.h"
#include "platform/sdl/fonts.h"
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

// The window behind a handle, or null when the handle does not name a live window.
Window* windowOf(WindowHandle handle);
// The program's window while it exists, else null.
Window* liveWindow();

// Marks the window's surface as no longer matching any canvas (it was
// uncovered, resized or drawn on directly): the next copy carries everything.
void forgetWindowContents(Window& window);

// Frees what SDL holds (window, cursor, subsystems). Called when the process ends.
void shutDown();

// Makes the window a real one or none: createMainWindow then starts only a
// display driver (x11 or wayland; the one SDL_VIDEODRIVER names when it names
// one of them), never one of SDL's off-screen drivers, and says why when no
// display can be reached. The program calls it first; the render tool and
// the backend's tests draw off-screen on the dummy driver and do not.
void requireDisplay();

}  // namespace orvane::sdl
