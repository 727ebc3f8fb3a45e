// The drawing half of the SDL backend (src/platform/draw.h): memory contexts
// drawing on software canvases, the window's context drawing on its software
// surface, and the copy of a canvas to the window (window_surface.cpp).

#include "platform/draw.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "platform/sdl/backend.h"
#include "platform/sdl/text.h"
#include "platform/sdl/window_surface.h"

namespace orvane::sdl {

namespace {

// What the drawing calls keep between calls.
Drawing& drawing() { return backend().drawing; }

// Where `item` stands in `owned`, or its end.
template <typename T>
auto findOwned(std::vector<std::unique_ptr<T>>& owned, const void* item) {
    return std::find_if(owned.begin(), owned.end(), [&](const std::unique_ptr<T>& held) { return held.get() == item; });
}

template <typename T>
bool contains(std::vector<std::unique_ptr<T>>& owned, const void* item) {
    return findOwned(owned, item) != owned.end();
}

Context* contextOf(DeviceContext dc) {
    if (!dc) return nullptr;
    auto* context = static_cast<Context*>(dc.value);
    if (contains(drawing().memoryContexts, context)) return context;
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
    Drawing& objects = drawing();
    if (object == &objects.grayBrush || object == &objects.whiteBrush || object == &objects.defaultFont ||
        object == &objects.defaultBitmap) {
        return object;
    }
    return contains(objects.liveObjects, object) ? object : nullptr;
}

Canvas& defaultBitmap() {
    DrawingObject& bitmap = drawing().defaultBitmap;
    if (!bitmap.canvas) bitmap.canvas = newCanvas(1, 1);
    return *bitmap.canvas;
}

// The canvas a memory context draws on: its selected bitmap's, or the
// default bitmap's while none of its own is selected.
Canvas& canvasOf(const Context& context) {
    return context.bitmap && context.bitmap->canvas ? *context.bitmap->canvas : defaultBitmap();
}

// COLORREF (0x00BBGGRR) to a canvas pixel (0x00RRGGBB).
uint32_t pixelOf(uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

// Runs a drawing step on whatever a context draws on. A memory context draws
// on its canvas; the window's context draws on a canvas that briefly holds the
// affected part of the window surface and is copied back and presented.
template <typename Step>
int drawOn(Context* context, const Box& affected, Step&& step) {
    if (!context) return 0;
    if (!context->isWindow) {
        Canvas& canvas = canvasOf(*context);
        step(canvas);
        return 1;
    }
    Window* window = windowOfContext(context);
    if (!window) return 0;
    SDL_Surface* surface = SDL_GetWindowSurface(window->sdl.get());
    if (!surface || !surface->pixels) return 0;
    const Box box{std::max<int64_t>(affected.left, 0), std::max<int64_t>(affected.top, 0),
                  std::min<int64_t>(affected.right, surface->w), std::min<int64_t>(affected.bottom, surface->h)};
    if (box.empty()) return 1;
    const std::unique_ptr<Canvas> scratch = newCanvas(surface->w, surface->h);
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
    DrawingObject* defaultFont = &drawing().defaultFont;
    DrawingObject* font = context.font ? context.font : defaultFont;
    if (!font->face) font->face = fontFace(font == defaultFont ? 16 : 0);
    return font->face;
}

// A new canvas or font, held until it is deleted.
GdiObject keepObject(std::unique_ptr<DrawingObject> object) {
    std::vector<std::unique_ptr<DrawingObject>>& live = drawing().liveObjects;
    live.push_back(std::move(object));
    return {live.back().get()};
}

void select(DrawingObject*& slot, DrawingObject* object) {
    if (slot && !slot->stock) --slot->selections;
    slot = object;
    if (!object->stock) ++object->selections;
}

}  // namespace

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
    std::unique_ptr<Context> context(new (std::nothrow) Context);
    if (!context) return {};
    Drawing& objects = drawing();
    context->bitmap = &objects.defaultBitmap;
    context->brush = &objects.whiteBrush;
    context->font = &objects.defaultFont;
    objects.memoryContexts.push_back(std::move(context));
    return {objects.memoryContexts.back().get()};
}

int deleteMemoryContext(DeviceContext dc) {
    std::vector<std::unique_ptr<Context>>& contexts = drawing().memoryContexts;
    const auto found = findOwned(contexts, dc.value);
    if (!dc.value || found == contexts.end()) return 0;
    const Context& context = **found;
    for (DrawingObject* object : {context.bitmap, context.brush, context.font}) {
        if (object && !object->stock) --object->selections;
    }
    contexts.erase(found);
    return 1;
}

Rect clientRect(WindowHandle handle) {
    Window* window = windowOf(handle);
    if (!window) return {};
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window->sdl.get(), &width, &height);
    return {0, 0, width, height};
}

GdiObject createCanvas(DeviceContext like, int32_t width, int32_t height) {
    if (!contextOf(like)) return {};
    std::unique_ptr<Canvas> canvas;
    std::unique_ptr<Canvas>& spare = drawing().spareCanvas;
    if (spare && spare->width == width && spare->height == height) {
        canvas = std::move(spare);
    } else {
        canvas = newCanvas(width, height);
        if (!canvas) return {};
    }
    std::unique_ptr<DrawingObject> object(new (std::nothrow) DrawingObject);
    if (!object) return {};
    object->kind = ObjectKind::bitmap;
    object->canvas = std::move(canvas);
    return keepObject(std::move(object));
}

GdiObject grayBrush() { return {&drawing().grayBrush}; }

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
    std::unique_ptr<DrawingObject> object(new (std::nothrow) DrawingObject);
    if (!object) return {};
    object->kind = ObjectKind::font;
    object->face = fontFace(height);
    return keepObject(std::move(object));
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
    std::vector<PlacedGlyph>& shaped = drawing().shaped;
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
        Canvas& from = canvasOf(*source);
        if (target->isWindow) {
            Window* window = windowOfContext(target);
            return window ? copyCanvasToWindow(from, *window, tx, ty, w, h, sx, sy) : 0;
        }
        Canvas& to = canvasOf(*target);
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
    SDL_Surface* surface = SDL_GetWindowSurface(window->sdl.get());
    if (!surface || !surface->pixels) return 0;
    Canvas& to = canvasOf(*target);
    if (!clipCopy(tx, ty, w, h, sx, sy, to.width, to.height, surface->w, surface->h)) return 1;
    copyFromSurface(surface, sx, sy, to, {tx, ty, tx + w, ty + h});
    return 1;
}

int deleteObject(GdiObject handle) {
    DrawingObject* object = objectOf(handle);
    if (!object) return 0;
    if (object->stock) return 1;
    if (object->selections > 0) return 0;  // still selected into a context
    Drawing& objects = drawing();
    if (object->kind == ObjectKind::bitmap && object->canvas) objects.spareCanvas = std::move(object->canvas);
    objects.liveObjects.erase(findOwned(objects.liveObjects, object));
    return 1;
}

}  // namespace orvane::platform
