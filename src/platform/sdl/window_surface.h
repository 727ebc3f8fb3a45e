#pragma once
// Copies between canvases and the window's software surface, for the drawing
// calls of the SDL backend.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/sdl/backend.h"
#include "platform/sdl/canvas.h"

namespace orvane::sdl {

// Copies rows between a canvas box and the same-sized box of a surface whose
// top-left corner is at (toX, toY), or (fromX, fromY) the other way.
void copyToSurface(const Canvas& canvas, const Box& from, SDL_Surface* surface, int64_t toX, int64_t toY);
void copyFromSurface(const SDL_Surface* surface, int64_t fromX, int64_t fromY, Canvas& canvas, const Box& to);

// A copy of a source box to a target position, both clipped so that only
// pixels inside both areas move. Returns false when nothing is left.
bool clipCopy(int64_t& x, int64_t& y, int64_t& width, int64_t& height, int64_t& sourceX, int64_t& sourceY,
              int64_t targetWidth, int64_t targetHeight, int64_t sourceWidth, int64_t sourceHeight);

// Presents boxes of the window surface.
bool present(Window& window, const std::vector<SDL_Rect>& rects);

// BitBlt of a canvas box onto the window: 1 when done (or nothing was left
// after clipping), 0 when the window has no surface or presenting failed.
int copyCanvasToWindow(Canvas& canvas, Window& window, int64_t x, int64_t y, int64_t width, int64_t height,
                       int64_t sourceX, int64_t sourceY);

}  // namespace orvane::sdl
