// Draws one frame of a chosen state off-screen (SDL's dummy video driver) with
// the Linux drawing backend and saves what reached the window as a PNG; with
// --texts, also measures where texts leave ink (tools/render/render_request.h
// lists the options).
//
// The program's start-up is repeated (its folder made current, the weekday
// heads and their longest length) without the window loop; the clocks give
// the instants named (the local one defaults to the UTC one).

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/window_procedure.h"
#include "platform/draw.h"
#include "platform/posix/posix_files.h"
#include "platform/sdl/backend.h"
#include "platform/window.h"
#include "screen/frame.h"
#include "state/app_state.h"
#include "tools/render/fixed_clock.h"
#include "tools/render/render_request.h"

namespace orvane::render {

namespace {

bool readCanvas(DeviceContext, GdiObject canvas, int32_t width, int32_t height, std::vector<uint32_t>& pixels) {
    const auto* object = static_cast<const sdl::DrawingObject*>(canvas.value);
    if (!object || !object->canvas || object->canvas->width != width || object->canvas->height != height) return false;
    pixels = object->canvas->pixels;
    return true;
}

}  // namespace

int run(int argc, char** argv) {
    RenderRequest request;
    if (!parseRenderRequest(argc, argv, request)) return 2;
    if (request.help) return 0;
    // Before the program's folder becomes current.
    request.out = std::filesystem::absolute(request.out).string();
    if (!request.texts.empty()) {
        request.texts = std::filesystem::absolute(request.texts).string();
        request.boxes = std::filesystem::absolute(request.boxes).string();
    }
    fixedSystemTime = request.utc;
    fixedLocalTime = request.local;
    // A path as the program holds currentFolder: "\\" and "/" both separate
    // its components.
    std::u16string folder = posix::nameFromBytes(request.folder);
    std::replace(folder.begin(), folder.end(), posix::nameBackslash, u'\\');
    startAsTheProgramDoes(request, folder);

    setenv("SDL_VIDEODRIVER", "dummy", 1);
    sdl::start();
    const WindowHandle window = platform::createMainWindow(appState.windowTitle, windowProcedure);
    if (!window) {
        std::fprintf(stderr, "no window: %s\n", SDL_GetError());
        sdl::end();
        return 1;
    }
    const int32_t failed = drawFrame(window, appState.listOriginX, appState.listOriginY);
    SDL_Surface* surface = SDL_GetWindowSurface(sdl::windowOf(window)->sdl.get());
    const bool saved = surface && IMG_SavePNG(surface, request.out.c_str()) == 0;
    if (!saved) std::fprintf(stderr, "could not save %s: %s\n", request.out.c_str(), SDL_GetError());
    bool measured = true;
    if (!request.texts.empty()) {
        measured = measureTexts(request, platform::getWindowContext(window), readCanvas);
        if (!measured) std::fprintf(stderr, "could not measure the texts of %s\n", request.texts.c_str());
    }
    sdl::end();
    return saved && measured && failed == 0 ? 0 : 1;
}

}  // namespace orvane::render

int main(int argc, char** argv) { return orvane::render::run(argc, argv); }
