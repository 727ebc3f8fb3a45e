// The software canvas of the Linux backend: making one, and filling, marking
// and blending into it with the record of which tiles may differ from the
// canvas's uniform colour and which changed since the last copy to the window.
#include "platform/sdl/canvas.h"

#include <algorithm>
#include <new>

#include "platform/sdl/backend.h"

namespace orvane::sdl {

namespace {

// Tiles overlapped by a clipped, non-empty box.
struct TileSpan {
    int32_t firstX, lastX, firstY, lastY;
};

TileSpan tilesOf(const Box& box) {
    return {static_cast<int32_t>(box.left / tileSize), static_cast<int32_t>((box.right - 1) / tileSize),
            static_cast<int32_t>(box.top / tileSize), static_cast<int32_t>((box.bottom - 1) / tileSize)};
}

Box tileBox(const Canvas& canvas, int32_t tx, int32_t ty) {
    return {int64_t{tx} * tileSize, int64_t{ty} * tileSize,
            std::min<int64_t>(int64_t{tx + 1} * tileSize, canvas.width),
            std::min<int64_t>(int64_t{ty + 1} * tileSize, canvas.height)};
}

void fillPixels(Canvas& canvas, const Box& box, uint32_t color) {
    const auto width = static_cast<size_t>(box.right - box.left);
    for (int64_t y = box.top; y < box.bottom; ++y) {
        uint32_t* row = canvas.pixels.data() + y * canvas.width + box.left;
        std::fill_n(row, width, color);
    }
}

}  // namespace

std::unique_ptr<Canvas> newCanvas(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
    std::unique_ptr<Canvas> canvas(new (std::nothrow) Canvas);
    if (!canvas) return nullptr;
    canvas->width = width;
    canvas->height = height;
    canvas->tilesX = (width + tileSize - 1) / tileSize;
    canvas->tilesY = (height + tileSize - 1) / tileSize;
    try {
        canvas->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        canvas->tiles.assign(static_cast<size_t>(canvas->tilesX) * static_cast<size_t>(canvas->tilesY),
                             tileMayDiffer | tileChanged);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    canvas->identity = backend().nextCanvasIdentity++;
    return canvas;
}

Box clipToCanvas(const Canvas& canvas, Box box) {
    box.left = std::max<int64_t>(box.left, 0);
    box.top = std::max<int64_t>(box.top, 0);
    box.right = std::min<int64_t>(box.right, canvas.width);
    box.bottom = std::min<int64_t>(box.bottom, canvas.height);
    return box;
}

void fillBox(Canvas& canvas, Box box, uint32_t color) {
    box = clipToCanvas(canvas, box);
    if (box.empty()) return;

    // The whole canvas in a new colour: every tile becomes uniform in it.
    if (box.left == 0 && box.top == 0 && box.right == canvas.width && box.bottom == canvas.height &&
        color != canvas.uniformColor) {
        fillPixels(canvas, box, color);
        canvas.uniformColor = color;
        std::fill(canvas.tiles.begin(), canvas.tiles.end(), tileChanged);
        return;
    }

    const bool fillsUniformColor = color == canvas.uniformColor;
    const TileSpan span = tilesOf(box);
    for (int32_t ty = span.firstY; ty <= span.lastY; ++ty) {
        for (int32_t tx = span.firstX; tx <= span.lastX; ++tx) {
            uint8_t& flags = canvas.tiles[static_cast<size_t>(ty) * canvas.tilesX + tx];
            if (fillsUniformColor && !(flags & tileMayDiffer)) continue;  // already that colour
            const Box whole = tileBox(canvas, tx, ty);
            const Box part{std::max(box.left, whole.left), std::max(box.top, whole.top),
                           std::min(box.right, whole.right), std::min(box.bottom, whole.bottom)};
            fillPixels(canvas, part, color);
            const bool coversTile = part.left == whole.left && part.top == whole.top &&
                                    part.right == whole.right && part.bottom == whole.bottom;
            if (fillsUniformColor && coversTile) {
                flags = tileChanged;
            } else {
                flags = tileMayDiffer | tileChanged;
            }
        }
    }
}

void markWritten(Canvas& canvas, Box box) {
    box = clipToCanvas(canvas, box);
    if (box.empty()) return;
    const TileSpan span = tilesOf(box);
    for (int32_t ty = span.firstY; ty <= span.lastY; ++ty) {
        uint8_t* row = canvas.tiles.data() + static_cast<size_t>(ty) * canvas.tilesX;
        for (int32_t tx = span.firstX; tx <= span.lastX; ++tx) row[tx] = tileMayDiffer | tileChanged;
    }
}

namespace {

// Writes `color` through one row of coverage: each channel becomes
// (old * (255 - a) + colour * a) / 255, rounded. Without branches, so that the
// loop runs on vector units; with `black` known at compile time the colour's
// terms fall away, and black is the colour of almost every text.
template <bool black>
void blendRow(uint32_t* pixel, const uint8_t* coverage, int64_t count, uint32_t color) {
    const uint32_t colorRedBlue = color & 0xFF00FF;
    const uint32_t colorGreen = color & 0x00FF00;
    for (int64_t i = 0; i < count; ++i) {
        const uint32_t a = coverage[i];
        const uint32_t rest = 255 - a;
        const uint32_t old = pixel[i];
        uint32_t redBlue = (old & 0xFF00FF) * rest;
        uint32_t greenPart = (old & 0x00FF00) * rest;
        if constexpr (!black) {
            redBlue += colorRedBlue * a;
            greenPart += colorGreen * a;
        }
        // x / 255 rounded, for x up to 255 * 255: (x + 128 + ((x + 128) >> 8)) >> 8.
        redBlue += 0x800080;
        redBlue = ((redBlue + ((redBlue >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
        greenPart += 0x8000;
        greenPart = ((greenPart + ((greenPart >> 8) & 0xFFFF00)) >> 8) & 0xFF00;
        pixel[i] = redBlue | greenPart;
    }
}

}  // namespace

void blendMask(Canvas& canvas, int64_t x, int64_t y, const uint8_t* mask, int32_t maskWidth,
               int32_t maskHeight, uint32_t color) {
    const Box box = clipToCanvas(canvas, {x, y, x + maskWidth, y + maskHeight});
    if (box.empty()) return;
    markWritten(canvas, box);
    const int64_t count = box.right - box.left;
    for (int64_t py = box.top; py < box.bottom; ++py) {
        const uint8_t* coverage = mask + (py - y) * maskWidth + (box.left - x);
        uint32_t* pixel = canvas.pixels.data() + py * canvas.width + box.left;
        if (color == 0) {
            blendRow<true>(pixel, coverage, count, color);
        } else {
            blendRow<false>(pixel, coverage, count, color);
        }
    }
}

}  // namespace orvane::sdl
