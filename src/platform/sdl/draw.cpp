// The drawing half of the SDL backend (src/platform/draw.h): memory contexts
// drawing on software canvases, and the copy of a canvas to the window's
// software surface.

#include "platform/draw.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sdl/backend.h"
#include "platform/sdl/text.h"

namespace orvane::sdl {

namespace {

DrawingObject grayBrushObject{ObjectKind::brush, true, 0, nullptr, 0x808080, nullptr};
DrawingObject whiteBrushObject{ObjectKind::brush, true, 0, nullptr, 0xFFFFFF, nullptr};
DrawingObject defaultFontObject{ObjectKind::font, true, 0, nullptr, 0, nullptr};
DrawingObject defaultBitmapObject{ObjectKind::bitmap, true, 0, nullptr, 0, nullptr};

std::vector<Context*> memoryContexts;
std::vector<DrawingObject*> liveObjects;
std::unique_ptr<Canvas> spareCanvas;  // the last deleted canvas, kept for the next of its size

template <typename T>
bool contains(const std::vector<T*>& list, const void* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

Context* contextOf(DeviceContext dc) {
    if (!dc) return nullptr;
    auto* context = static_cast<Context*>(dc.value);
    if (contains(memoryContexts, context)) return context;
    if (Window* window = liveWindow(); window && &window->context == context) return context;
    return nullptr;
}

Window* windowOfContext(const Context* context) {
    if (!context || !context->isWindow) return nullptr;
    Window* window = liveWindow();
    return window && &window->context == context ? window : nullptr;
}

DrawingObject* objectOf(GdiObject handle) {
    auto* object = static_cast<DrawingObject*>(handle.value);
    if (object == &grayBrushObject || object == &whiteBrushObject || object == &defaultFontObject ||
        object == &defaultBitmapObject) {
        return object;
    }
    return contains(liveObjects, object) ? object : nullptr;
}

Canvas& defaultBitmap() {
    if (!defaultBitmapObject.canvas) defaultBitmapObject.canvas.reset(newCanvas(1, 1));
    return *defaultBitmapObject.canvas;
}

// COLORREF (0x00BBGGRR) to a canvas pixel (0x00RRGGBB).
uint32_t pixelOf(uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

// The window surface's pixels as a canvas pixel format, when they can be
// addressed directly (32 bits, red in bits 16-23).
bool surfaceIsDirect(const SDL_Surface* surface) {
    return surface->format->format == SDL_PIXELFORMAT_RGB888 ||
           surface->format->format == SDL_PIXELFORMAT_ARGB8888;
}

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
    return SDL_UpdateWindowSurfaceRects(window.sdl, rects.data(), static_cast<int>(rects.size())) == 0;
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

int copyCanvasToWindow(Canvas& canvas, Window& window, int64_t x, int64_t y, int64_t width, int64_t height,
                       int64_t sourceX, int64_t sourceY) {
    SDL_Surface* surface = SDL_GetWindowSurface(window.sdl);
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

// Runs a drawing step on whatever a context draws on. A memory context draws
// on its canvas; the window's context draws on a canvas that briefly holds the
// affected part of the window surface and is copied back and presented.
template <typename Step>
int drawOn(Context* context, const Box& affected, Step&& step) {
    if (!context) return 0;
    if (!context->isWindow) {
        Canvas& canvas = context->bitmap && context->bitmap->canvas ? *context->bitmap->canvas : defaultBitmap();
        step(canvas);
        return 1;
    }
    Window* window = windowOfContext(context);
    if (!window) return 0;
    SDL_Surface* surface = SDL_GetWindowSurface(window->sdl);
    if (!surface || !surface->pixels) return 0;
    const Box box{std::max<int64_t>(affected.left, 0), std::max<int64_t>(affected.top, 0),
                  std::min<int64_t>(affected.right, surface->w), std::min<int64_t>(affected.bottom, surface->h)};
    if (box.empty()) return 1;
    std::unique_ptr<Canvas> scratch(newCanvas(surface->w, surface->h));
    if (!scratch) return 0;
    copyFromSurface(surface, box.left, box.top, *scratch, box);
    step(*scratch);
    copyToSurface(*scratch, box, surface, box.left, box.top);
    forgetWindowContents(*window);
    const std::vector<SDL_Rect> rects{{static_cast<int>(box.left), static_cast<int>(box.top),
                                       static_cast<int>(box.right - box.left),
                                       static_cast<int>(box.bottom - box.top)}};
    return present(*window, rects) ? 1 : 0;
}

FontFace* faceOf(Context& context) {
    DrawingObject* font = context.font ? context.font : &defaultFontObject;
    if (!font->face) font->face = fontFace(font == &defaultFontObject ? 16 : 0);
    return font->face;
}

void select(DrawingObject*& slot, DrawingObject* object) {
    if (slot && !slot->stock) --slot->selections;
    slot = object;
    if (!object->stock) ++object->selections;
}

}  // namespace

void forgetWindowContents(Window& window) {
    window.syncedSurface = nullptr;
    window.syncedCanvas = 0;
}

}  // namespace orvane::sdl

namespace orvane::platform {

using namespace orvane::sdl;

DeviceContext getWindowContext(WindowHandle handle) {
    Window* window = windowOf(handle);
    if (!window) return {};
    window->context.isWindow = true;
    window->contextHeld = true;
    return {&window->context};
}

int releaseWindowContext(WindowHandle handle, DeviceContext dc) {
    Window* window = windowOf(handle);
    if (!window || dc.value != &window->context || !window->contextHeld) return 0;
    window->contextHeld = false;
    return 1;
}

DeviceContext createMemoryContext(DeviceContext like) {
    if (like && !contextOf(like)) return {};
    auto* context = new (std::nothrow) Context;
    if (!context) return {};
    context->bitmap = &defaultBitmapObject;
    context->brush = &whiteBrushObject;
    context->font = &defaultFontObject;
    memoryContexts.push_back(context);
    return {context};
}

int deleteMemoryContext(DeviceContext dc) {
    auto* context = static_cast<Context*>(dc.value);
    const auto found = std::find(memoryContexts.begin(), memoryContexts.end(), context);
    if (!context || found == memoryContexts.end()) return 0;
    for (DrawingObject* object : {context->bitmap, context->brush, context->font}) {
        if (object && !object->stock) --object->selections;
    }
    memoryContexts.erase(found);
    delete context;
    return 1;
}

Rect clientRect(WindowHandle handle) {
    Window* window = windowOf(handle);
    if (!window) return {};
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window->sdl, &width, &height);
    return {0, 0, width, height};
}

GdiObject createCanvas(DeviceContext like, int32_t width, int32_t height) {
    if (!contextOf(like)) return {};
    std::unique_ptr<Canvas> canvas;
    if (spareCanvas && spareCanvas->width == width && spareCanvas->height == height) {
        canvas = std::move(spareCanvas);
    } else {
        canvas.reset(newCanvas(width, height));
        if (!canvas) return {};
    }
    auto* object = new (std::nothrow) DrawingObject;
    if (!object) return {};
    object->kind = ObjectKind::bitmap;
    object->canvas = std::move(canvas);
    liveObjects.push_back(object);
    return {object};
}

GdiObject grayBrush() { return {&grayBrushObject}; }

int fillRect(DeviceContext dc, const Rect& rect, GdiObject brushHandle) {
    Context* context = contextOf(dc);
    DrawingObject* brush = objectOf(brushHandle);
    if (!context || !brush || brush->kind != ObjectKind::brush) return 0;
    const Box box{rect.left, rect.top, rect.right, rect.bottom};
    return drawOn(context, box, [&](Canvas& canvas) { fillBox(canvas, box, brush->color); });
}

int setTransparentBackground(DeviceContext dc) {
    Context* context = contextOf(dc);
    if (!context) return 0;
    const int previous = context->transparent ? 1 : 2;  // TRANSPARENT 1, OPAQUE 2
    context->transparent = true;
    return previous;
}

uint32_t setTextColor(DeviceContext dc, uint32_t rgb) {
    Context* context = contextOf(dc);
    if (!context) return 0xFFFFFFFF;  // CLR_INVALID
    const uint32_t previous = context->textColor;
    context->textColor = rgb & 0x00FFFFFF;
    return previous;
}

GdiObject createFont(int32_t height, uint8_t charSet) {
    (void)charSet;  // the face is the one for the build's language, whose character set this is
    auto* object = new (std::nothrow) DrawingObject;
    if (!object) return {};
    object->kind = ObjectKind::font;
    object->face = fontFace(height);
    liveObjects.push_back(object);
    return {object};
}

GdiObject selectObject(DeviceContext dc, GdiObject handle) {
    Context* context = contextOf(dc);
    DrawingObject* object = objectOf(handle);
    if (!context || !object) return {};
    DrawingObject* previous = nullptr;
    switch (object->kind) {
        case ObjectKind::bitmap:
            // A bitmap goes into one memory context at a time, never into a window's.
            if (context->isWindow) return {};
            if (object != context->bitmap && !object->stock && object->selections > 0) return {};
            previous = context->bitmap;
            select(context->bitmap, object);
            break;
        case ObjectKind::brush:
            previous = context->brush;
            select(context->brush, object);
            break;
        case ObjectKind::font:
            previous = context->font;
            select(context->font, object);
            break;
    }
    return {previous};
}

int drawRectangle(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    Context* context = contextOf(dc);
    if (!context) return 0;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const Box outer{left, top, right, bottom};
    if (outer.empty()) return 1;
    const DrawingObject* brush = context->brush;
    return drawOn(context, outer, [&](Canvas& canvas) {
        // Inside with the brush, then the one-pixel black pen around it.
        if (brush) fillBox(canvas, {outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1}, brush->color);
        constexpr uint32_t pen = 0x000000;
        fillBox(canvas, {outer.left, outer.top, outer.right, outer.top + 1}, pen);
        fillBox(canvas, {outer.left, outer.bottom - 1, outer.right, outer.bottom}, pen);
        fillBox(canvas, {outer.left, outer.top, outer.left + 1, outer.bottom}, pen);
        fillBox(canvas, {outer.right - 1, outer.top, outer.right, outer.bottom}, pen);
    });
}

int drawText(DeviceContext dc, int32_t x, int32_t y, std::u16string_view text) {
    Context* context = contextOf(dc);
    if (!context) return 0;
    FontFace* face = faceOf(*context);
    if (!face) return 0;
    // Plain texts (nearly all) are measured and drawn from the glyph cache;
    // the others are shaped once and drawn from the shaped glyphs.
    static std::vector<PlacedGlyph> shaped;
    int64_t width = plainTextWidth(*face, text);
    const bool plain = width >= 0;
    if (!plain) width = shapeText(*face, text, shaped);
    const Box cell{x, y, x + width, int64_t{y} + face->ascent + face->descent};
    // Glyphs may reach a little outside their cell (overhangs, fallback faces).
    const Box affected{cell.left - face->ascent, cell.top - face->ascent, cell.right + face->ascent,
                       cell.bottom + face->ascent};
    const uint32_t color = pixelOf(context->textColor);
    const uint32_t background = pixelOf(context->backgroundColor);
    const bool opaque = !context->transparent;
    return drawOn(context, affected, [&](Canvas& canvas) {
        if (opaque) fillBox(canvas, cell, background);
        const int64_t baseline = int64_t{y} + face->ascent;
        auto place = [&](const Glyph& glyph, int64_t penX, int64_t penY) {
            if (glyph.coverage.empty()) return;
            blendMask(canvas, x + penX + glyph.left, baseline + penY - glyph.top, glyph.coverage.data(),
                      glyph.width, glyph.height, color);
        };
        if (plain) {
            drawPlainText(*face, text, [&](const Glyph& glyph, int64_t pen) { place(glyph, pen, 0); });
        } else {
            for (const PlacedGlyph& glyph : shaped) place(*glyph.glyph, glyph.x, glyph.y);
        }
    });
}

int copyBlock(DeviceContext targetDc, int32_t x, int32_t y, int32_t width, int32_t height, DeviceContext sourceDc,
              int32_t sourceX, int32_t sourceY) {
    Context* target = contextOf(targetDc);
    Context* source = contextOf(sourceDc);
    if (!target || !source) return 0;
    int64_t tx = x, ty = y, w = width, h = height, sx = sourceX, sy = sourceY;
    if (w <= 0 || h <= 0) return 1;

    if (!source->isWindow) {
        Canvas& from = source->bitmap && source->bitmap->canvas ? *source->bitmap->canvas : defaultBitmap();
        if (target->isWindow) {
            Window* window = windowOfContext(target);
            return window ? copyCanvasToWindow(from, *window, tx, ty, w, h, sx, sy) : 0;
        }
        Canvas& to = target->bitmap && target->bitmap->canvas ? *target->bitmap->canvas : defaultBitmap();
        if (!clipCopy(tx, ty, w, h, sx, sy, to.width, to.height, from.width, from.height)) return 1;
        // memmove: source and target may be one canvas with overlapping boxes.
        if (ty <= sy) {
            for (int64_t row = 0; row < h; ++row) {
                std::memmove(&to.pixels[(ty + row) * to.width + tx], &from.pixels[(sy + row) * from.width + sx],
                             static_cast<size_t>(w) * 4);
            }
        } else {
            for (int64_t row = h - 1; row >= 0; --row) {
                std::memmove(&to.pixels[(ty + row) * to.width + tx], &from.pixels[(sy + row) * from.width + sx],
                             static_cast<size_t>(w) * 4);
            }
        }
        markWritten(to, {tx, ty, tx + w, ty + h});
        return 1;
    }

    // From the window's surface into a memory context's canvas.
    Window* window = windowOfContext(source);
    if (!window || target->isWindow) return 0;
    SDL_Surface* surface = SDL_GetWindowSurface(window->sdl);
    if (!surface || !surface->pixels) return 0;
    Canvas& to = target->bitmap && target->bitmap->canvas ? *target->bitmap->canvas : defaultBitmap();
    if (!clipCopy(tx, ty, w, h, sx, sy, to.width, to.height, surface->w, surface->h)) return 1;
    copyFromSurface(surface, sx, sy, to, {tx, ty, tx + w, ty + h});
    return 1;
}

int deleteObject(GdiObject handle) {
    DrawingObject* object = objectOf(handle);
    if (!object) return 0;
    if (object->stock) return 1;
    if (object->selections > 0) return 0;  // still selected into a context
    liveObjects.erase(std::find(liveObjects.begin(), liveObjects.end(), object));
    if (object->kind == ObjectKind::bitmap && object->canvas) spareCanvas = std::move(object->canvas);
    delete object;
    return 1;
}

}  // namespace orvane::platform
