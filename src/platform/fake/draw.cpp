// The fake backend's drawing: every call is recorded with its arguments,
// handles are handed out and tracked until released, and any call fails on
// request. With recordDrawing off the calls do nothing and succeed.
#include "platform/draw.h"

#include <algorithm>
#include <utility>

#include "platform/fake/fake_platform.h"

namespace orvane::platform {

namespace {

using fake::Call;
using fake::HandleKind;
using fake::fakePlatform;

constexpr int opaqueMode = 2;  // OPAQUE, a new context's mode (TRANSPARENT is 1)
constexpr uint32_t invalidColor = 0xFFFFFFFFu;  // CLR_INVALID

int64_t handleValue(const void* value) {
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(value));
}
int64_t handleValue(DeviceContext dc) { return handleValue(dc.value); }
int64_t handleValue(GdiObject object) { return handleValue(object.value); }
int64_t handleValue(WindowHandle window) { return handleValue(window.value); }

void* handlePointer(int64_t value) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(value));
}

void record(Call call, std::vector<int64_t> args, std::u16string_view text = {}) {
    fakePlatform().calls.push_back(fake::RecordedCall{call, std::move(args), std::u16string(text), {}});
}

// A call fails when the test asked for it. Counting happens only for
// recorded calls, so a rule counts the calls a test can see.
bool failing(Call call) { return fakePlatform().recordDrawing && fake::shouldFail(call); }

int64_t newObject(HandleKind kind) {
    fake::FakePlatform& fake = fakePlatform();
    const int64_t handle = fake.nextHandle++;
    fake.liveObjects[handle] = kind;
    if (kind == HandleKind::windowContext || kind == HandleKind::memoryContext) {
        fake.selections[handle] = fake::ContextSelection{};
    }
    return handle;
}

bool isLive(int64_t handle, HandleKind kind) {
    const auto found = fakePlatform().liveObjects.find(handle);
    return found != fakePlatform().liveObjects.end() && found->second == kind;
}

bool isLiveContext(int64_t handle) {
    return isLive(handle, HandleKind::windowContext) ||
           isLive(handle, HandleKind::memoryContext);
}

// What kind of selectable object a handle stands for, if any.
bool selectableKind(int64_t handle, HandleKind& kind) {
    switch (handle) {
        case fake::grayBrushHandle:
        case fake::defaultBrushHandle: kind = HandleKind::stockBrush; return true;
        case fake::defaultBitmapHandle: kind = HandleKind::stockBitmap; return true;
        case fake::defaultFontHandle: kind = HandleKind::stockFont; return true;
        default: break;
    }
    const auto found = fakePlatform().liveObjects.find(handle);
    if (found == fakePlatform().liveObjects.end()) return false;
    if (found->second != HandleKind::canvas && found->second != HandleKind::font) return false;
    kind = found->second;
    return true;
}

bool isSelectedSomewhere(int64_t handle) {
    return std::ranges::any_of(fakePlatform().selections, [handle](const auto& entry) {
        const auto& selection = entry.second;
        return selection.bitmap == handle || selection.brush == handle || selection.font == handle;
    });
}

int releaseContext(int64_t handle, HandleKind kind) {
    if (!isLive(handle, kind)) return 0;
    fakePlatform().liveObjects.erase(handle);
    fakePlatform().selections.erase(handle);
    return 1;
}

// Values handed out while drawing does nothing.
constexpr int64_t idleContext = 0x20;
constexpr int64_t idleObject = 0x21;

}  // namespace

DeviceContext getWindowContext(WindowHandle window) {
    if (!fakePlatform().recordDrawing) return DeviceContext{handlePointer(idleContext)};
    record(Call::getWindowContext, {handleValue(window)});
    if (failing(Call::getWindowContext)) return DeviceContext{};
    return DeviceContext{handlePointer(newObject(HandleKind::windowContext))};
}

int releaseWindowContext(WindowHandle window, DeviceContext dc) {
    if (!fakePlatform().recordDrawing) return 1;
    record(Call::releaseWindowContext, {handleValue(window), handleValue(dc)});
    if (failing(Call::releaseWindowContext)) return 0;
    return releaseContext(handleValue(dc), HandleKind::windowContext);
}

DeviceContext createMemoryContext(DeviceContext like) {
    if (!fakePlatform().recordDrawing) return DeviceContext{handlePointer(idleContext)};
    record(Call::createMemoryContext, {handleValue(like)});
    if (failing(Call::createMemoryContext)) return DeviceContext{};
    return DeviceContext{handlePointer(newObject(HandleKind::memoryContext))};
}

int deleteMemoryContext(DeviceContext dc) {
    if (!fakePlatform().recordDrawing) return 1;
    record(Call::deleteMemoryContext, {handleValue(dc)});
    if (failing(Call::deleteMemoryContext)) return 0;
    return releaseContext(handleValue(dc), HandleKind::memoryContext);
}

Rect clientRect(WindowHandle window) {
    if (!fakePlatform().recordDrawing) return fakePlatform().client;
    record(Call::clientRect, {handleValue(window)});
    if (failing(Call::clientRect)) return Rect{};
    return fakePlatform().client;
}

GdiObject createCanvas(DeviceContext like, int32_t width, int32_t height) {
    if (!fakePlatform().recordDrawing) return GdiObject{handlePointer(idleObject)};
    record(Call::createCanvas, {handleValue(like), width, height});
    if (failing(Call::createCanvas) || !isLiveContext(handleValue(like))) return GdiObject{};
    return GdiObject{handlePointer(newObject(HandleKind::canvas))};
}

GdiObject grayBrush() {
    if (!fakePlatform().recordDrawing) return GdiObject{handlePointer(fake::grayBrushHandle)};
    record(Call::grayBrush, {});
    if (failing(Call::grayBrush)) return GdiObject{};
    return GdiObject{handlePointer(fake::grayBrushHandle)};
}

int fillRect(DeviceContext dc, const Rect& rect, GdiObject brush) {
    if (!fakePlatform().recordDrawing) return 1;
    record(Call::fillRect,
           {handleValue(dc), rect.left, rect.top, rect.right, rect.bottom, handleValue(brush)});
    if (failing(Call::fillRect) || !isLiveContext(handleValue(dc))) return 0;
    HandleKind kind{};
    if (!selectableKind(handleValue(brush), kind) || kind != HandleKind::stockBrush) return 0;
    return 1;
}

int setTransparentBackground(DeviceContext dc) {
    if (!fakePlatform().recordDrawing) return opaqueMode;
    record(Call::setTransparentBackground, {handleValue(dc)});
    if (failing(Call::setTransparentBackground) || !isLiveContext(handleValue(dc))) return 0;
    return opaqueMode;
}

uint32_t setTextColor(DeviceContext dc, uint32_t rgb) {
    if (!fakePlatform().recordDrawing) return 0;
    record(Call::setTextColor, {handleValue(dc), rgb});
    if (failing(Call::setTextColor) || !isLiveContext(handleValue(dc))) return invalidColor;
    return 0;  // a new context writes black
}

GdiObject createFont(int32_t height, uint8_t charSet) {
    if (!fakePlatform().recordDrawing) return GdiObject{handlePointer(idleObject)};
    record(Call::createFont, {height, charSet});
    if (failing(Call::createFont)) return GdiObject{};
    const int64_t font = newObject(HandleKind::font);
    fakePlatform().fontHeights[font] = height;
    return GdiObject{handlePointer(font)};
}

GdiObject selectObject(DeviceContext dc, GdiObject object) {
    if (!fakePlatform().recordDrawing) return object;
    record(Call::selectObject, {handleValue(dc), handleValue(object)});
    if (failing(Call::selectObject)) return GdiObject{};
    const auto context = fakePlatform().selections.find(handleValue(dc));
    HandleKind kind{};
    if (context == fakePlatform().selections.end() || !selectableKind(handleValue(object), kind)) {
        return GdiObject{};
    }
    fake::ContextSelection& selection = context->second;
    int64_t* slot = &selection.font;
    if (kind == HandleKind::canvas || kind == HandleKind::stockBitmap) slot = &selection.bitmap;
    if (kind == HandleKind::stockBrush) slot = &selection.brush;
    const int64_t previous = std::exchange(*slot, handleValue(object));
    return GdiObject{handlePointer(previous)};
}

int drawRectangle(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (!fakePlatform().recordDrawing) return 1;
    record(Call::drawRectangle, {handleValue(dc), left, top, right, bottom});
    if (failing(Call::drawRectangle) || !isLiveContext(handleValue(dc))) return 0;
    return 1;
}

int drawText(DeviceContext dc, int32_t x, int32_t y, std::u16string_view text) {
    if (!fakePlatform().recordDrawing) return 1;
    record(Call::drawText, {handleValue(dc), x, y}, text);
    if (failing(Call::drawText) || !isLiveContext(handleValue(dc))) return 0;
    return 1;
}

int copyBlock(DeviceContext target, int32_t x, int32_t y, int32_t width, int32_t height,
              DeviceContext source, int32_t sourceX, int32_t sourceY) {
    if (!fakePlatform().recordDrawing) return 1;
    record(Call::copyBlock, {handleValue(target), x, y, width, height, handleValue(source), sourceX,
                             sourceY});
    if (failing(Call::copyBlock) || !isLiveContext(handleValue(target)) ||
        !isLiveContext(handleValue(source))) {
        return 0;
    }
    return 1;
}

int deleteObject(GdiObject object) {
    if (!fakePlatform().recordDrawing) return 1;
    const int64_t handle = handleValue(object);
    record(Call::deleteObject, {handle});
    if (failing(Call::deleteObject)) return 0;
    HandleKind kind{};
    if (!selectableKind(handle, kind)) return 0;
    // Deleting a stock object has no effect and succeeds.
    if (kind != HandleKind::canvas && kind != HandleKind::font) return 1;
    if (isSelectedSomewhere(handle)) return 0;
    fakePlatform().liveObjects.erase(handle);
    return 1;
}

}  // namespace orvane::platform

namespace orvane::fake {

int liveDrawingObjects() { return static_cast<int>(fakePlatform().liveObjects.size()); }

}  // namespace orvane::fake
