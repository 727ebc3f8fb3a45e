#pragma once
// The software canvas: 32-bit pixels (0x00RRGGBB) in rows, and a record of
// which 16 by 16 tiles may differ from one known fill colour and which tiles
// changed since the canvas was last copied to the window. The records let a
// full-canvas fill repaint only what the previous frame drew, and let the copy
// to the window touch only what changed, so a frame costs little memory
// traffic while every call still has its whole effect.

#include <cstdint>
#include <memory>
#include <vector>

namespace orvane::sdl {

constexpr int32_t tileSize = 16;

// Tile flags.
constexpr uint8_t tileMayDiffer = 1;  // pixels may differ from Canvas::uniformColor
constexpr uint8_t tileChanged = 2;    // written since the last copy to the window

// Pixel rectangle, right and bottom excluded. 64-bit so that coordinates the
// program computes from an unbounded scroll offset never overflow.
struct Box {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;
    [[nodiscard]] bool empty() const { return right <= left || bottom <= top; }
};

struct Canvas {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // width * height, row after row
    int32_t tilesX = 0;
    int32_t tilesY = 0;
    std::vector<uint8_t> tiles;  // tilesX * tilesY flags
    // Every pixel of a tile without tileMayDiffer has this colour.
    uint32_t uniformColor = 0;
    uint64_t identity = 0;  // tells canvases apart for the window's copy record
};

// A canvas of the given size whose every tile is marked as unknown and
// changed. Null when the size is not positive or the memory cannot be had.
std::unique_ptr<Canvas> newCanvas(int32_t width, int32_t height);

Box clipToCanvas(const Canvas& canvas, Box box);

// Fills `box` (clipped) with `color`, skipping tiles already known to hold it.
void fillBox(Canvas& canvas, Box box, uint32_t color);

// Records that pixels inside `box` (clipped) were written with anything.
void markWritten(Canvas& canvas, Box box);

// Writes `color` over the canvas through an 8-bit coverage mask whose top-left
// pixel lands at (x, y): coverage 255 gives the colour, 0 leaves the pixel.
void blendMask(Canvas& canvas, int64_t x, int64_t y, const uint8_t* mask, int32_t maskWidth,
               int32_t maskHeight, uint32_t color);

}  // namespace orvane::sdl
