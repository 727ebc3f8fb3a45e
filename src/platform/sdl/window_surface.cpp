// Copies between canvases and the window's software surface: rows of a box
// either way, and a whole canvas onto the window carrying only the tiles that
// changed since that canvas was last copied there.
#include "platform/sdl/window_surface.h"

#include <algorithm>
#include <cstring>

namespace orvane::sdl {

namespace {

// The window surface's pixels as a canvas pixel format, when they can be
// addressed directly (32 bits, red in bits 16-23).
bool surfaceIsDirect(const SDL_Surface* surface) {
    return surface->format->format == SDL_PIXELFORMAT_RGB888 ||
           surface->format->format == SDL_PIXELFORMAT_ARGB8888;
}

// Copies one tile of the canvas onto the window surface when any of its rows
// differs from what the surface holds. True when it did.
bool copyTileIfDifferent(const Canvas& canvas, SDL_Surface* surface, int32_t tx, int32_t ty) {
    const int32_t left = tx * tileSize;
    const auto rowBytes = static_cast<size_t>(std::min(tileSize, canvas.width - left)) * 4;
    const int32_t bottom = std::min((ty + 1) * tileSize, canvas.height);
    bool copied = false;
    for (int32_t y = ty * tileSize; y < bottom; ++y) {
        auto* shown = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch +
                      static_cast<size_t>(left) * 4;
        const uint32_t* drawn = canvas.pixels.data() + static_cast<size_t>(y) * canvas.width + left;
        if (std::memcmp(shown, drawn, rowBytes) != 0) {
            std::memcpy(shown, drawn, rowBytes);
            copied = true;
        }
    }
    return copied;
}

// The whole canvas onto a window surface of the same size that last received
// this canvas: the surface then holds what the window shows, so only tiles
// written since are compared with it, and only those that differ are copied
// and presented.
bool copyChangedTiles(Canvas& canvas, Window& window, SDL_Surface* surface) {
    std::vector<SDL_Rect> rects;
    for (int32_t ty = 0; ty < canvas.tilesY; ++ty) {
        int32_t runStart = -1;
        for (int32_t tx = 0; tx <= canvas.tilesX; ++tx) {
            bool differs = false;
            if (tx < canvas.tilesX) {
                uint8_t& flags = canvas.tiles[static_cast<size_t>(ty) * canvas.tilesX + tx];
                if (flags & tileChanged) {
                    flags &= static_cast<uint8_t>(~tileChanged);
                    differs = copyTileIfDifferent(canvas, surface, tx, ty);
                }
            }
            if (differs && runStart < 0) runStart = tx;
            if (!differs && runStart >= 0) {
                const int32_t top = ty * tileSize;
                const int32_t right = std::min(tx * tileSize, canvas.width);
                SDL_Rect rect{runStart * tileSize, top, right - runStart * tileSize,
                              std::min(tileSize, canvas.height - top)};
                // Join a run to the one just above it when they span the same columns.
                if (!rects.empty() && rects.back().x == rect.x && rects.back().w == rect.w &&
                    rects.back().y + rects.back().h == rect.y) {
                    rects.back().h += rect.h;
                } else {
                    rects.push_back(rect);
                }
                runStart = -1;
            }
        }
    }
    return present(window, rects);
}

}  // namespace

// Copies rows between a canvas box and the same-sized box of a surface.
void copyToSurface(const Canvas& canvas, const Box& from, SDL_Surface* surface, int64_t toX, int64_t toY) {
    const auto width = static_cast<int>(from.right - from.left);
    const auto height = static_cast<int>(from.bottom - from.top);
    auto* target = static_cast<uint8_t*>(surface->pixels) + toY * surface->pitch +
                   toX * surface->format->BytesPerPixel;
    const uint32_t* source = canvas.pixels.data() + from.top * canvas.width + from.left;
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, source, canvas.width * 4,
                      surface->format->format, target, surface->pitch);
}

void copyFromSurface(const SDL_Surface* surface, int64_t fromX, int64_t fromY, Canvas& canvas, const Box& to) {
    const auto width = static_cast<int>(to.right - to.left);
    const auto height = static_cast<int>(to.bottom - to.top);
    const auto* source = static_cast<const uint8_t*>(surface->pixels) + fromY * surface->pitch +
                         fromX * surface->format->BytesPerPixel;
    uint32_t* target = canvas.pixels.data() + to.top * canvas.width + to.left;
    SDL_ConvertPixels(width, height, surface->format->format, source, surface->pitch,
                      SDL_PIXELFORMAT_RGB888, target, canvas.width * 4);
    markWritten(canvas, to);
}

// A copy of a source box to a target position, both clipped so that only
// pixels inside both areas move. Returns false when nothing is left.
bool clipCopy(int64_t& x, int64_t& y, int64_t& width, int64_t& height, int64_t& sourceX, int64_t& sourceY,
              int64_t targetWidth, int64_t targetHeight, int64_t sourceWidth, int64_t sourceHeight) {
    const int64_t shiftLeft = std::max({int64_t{0}, -x, -sourceX});
    x += shiftLeft, sourceX += shiftLeft, width -= shiftLeft;
    const int64_t shiftTop = std::max({int64_t{0}, -y, -sourceY});
    y += shiftTop, sourceY += shiftTop, height -= shiftTop;
    width = std::min({width, targetWidth - x, sourceWidth - sourceX});
    height = std::min({height, targetHeight - y, sourceHeight - sourceY});
    return width > 0 && height > 0;
}

// Presents boxes of the window surface.
bool present(Window& window, const std::vector<SDL_Rect>& rects) {
    if (rects.empty()) return true;
    return SDL_UpdateWindowSurfaceRects(window.sdl.get(), rects.data(), static_cast<int>(rects.size())) == 0;
}

// The window's surface receives the canvas box x, y, width, height from
// sourceX, sourceY (both clipped); when the whole canvas goes to a surface of
// its size, only the tiles changed since its last copy there are compared and
// carried.
int copyCanvasToWindow(Canvas& canvas, Window& window, int64_t x, int64_t y, int64_t width, int64_t height,
                       int64_t sourceX, int64_t sourceY) {
    SDL_Surface* surface = SDL_GetWindowSurface(window.sdl.get());
    if (!surface || !surface->pixels) return 0;
    const bool wholeCanvas = x == 0 && y == 0 && sourceX == 0 && sourceY == 0 && width >= canvas.width &&
                             height >= canvas.height && surface->w == canvas.width &&
                             surface->h == canvas.height && surfaceIsDirect(surface);
    if (wholeCanvas && window.syncedSurface == surface && window.syncedCanvas == canvas.identity) {
        return copyChangedTiles(canvas, window, surface) ? 1 : 0;
    }
    if (!clipCopy(x, y, width, height, sourceX, sourceY, surface->w, surface->h, canvas.width, canvas.height)) {
        return 1;
    }
    copyToSurface(canvas, {sourceX, sourceY, sourceX + width, sourceY + height}, surface, x, y);
    if (wholeCanvas) {
        for (uint8_t& flags : canvas.tiles) flags &= static_cast<uint8_t>(~tileChanged);
        window.syncedSurface = surface;
        window.syncedCanvas = canvas.identity;
    } else {
        forgetWindowContents(window);
    }
    const std::vector<SDL_Rect> rects{{static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                                       static_cast<int>(height)}};
    return present(window, rects) ? 1 : 0;
}


void forgetWindowContents(Window& window) {
    window.syncedSurface = nullptr;
    window.syncedCanvas = 0;
}

}  // namespace orvane::sdl
