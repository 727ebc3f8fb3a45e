// Draws one frame of a chosen state with the Windows drawing backend, on the
// program's window, and saves what reached the window as a 24-bit BMP; with
// --texts, also measures where texts leave ink (tools/render/render_request.h
// lists the options). The clocks give the instants named.
//
// The same options as the Linux render tool, so that one state can be drawn
// by both builds and compared (under Wine for this one).

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/window_procedure.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/win32/backend.h"
#include "platform/win32/handles.h"
#include "platform/window.h"
#include "screen/frame.h"
#include "state/app_state.h"
#include "tools/render/fixed_clock.h"
#include "tools/render/render_request.h"

namespace orvane::render {

namespace {

// A canvas's pixels through a 32-bit top-down DIB.
bool readCanvas(DeviceContext like, GdiObject canvas, int32_t width, int32_t height, std::vector<uint32_t>& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.assign(static_cast<size_t>(width) * height, 0);
    const int rows = GetDIBits(platform::win32::toHdc(like), static_cast<HBITMAP>(platform::win32::toGdi(canvas)), 0,
                               static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& pixel : pixels) pixel &= 0x00FFFFFF;
    return rows == height;
}

// The window's client area as a bottom-up 24-bit BMP file.
bool saveWindow(WindowHandle window, const std::string& path) {
    const Rect client = platform::clientRect(window);
    const int32_t width = client.right - client.left;
    const int32_t height = client.bottom - client.top;
    HDC windowDC = GetDC(platform::win32::toHwnd(window));
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, width, height);
    HGDIOBJ saved = SelectObject(memoryDC, bitmap);
    const bool copied = BitBlt(memoryDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
    SelectObject(memoryDC, saved);
    std::vector<uint32_t> pixels;
    const bool read = copied && readCanvas(platform::win32::fromHdc(memoryDC),
                                           platform::win32::fromGdi(bitmap), width, height, pixels);
    DeleteObject(bitmap);
    DeleteDC(memoryDC);
    ReleaseDC(platform::win32::toHwnd(window), windowDC);
    if (!read) return false;

    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + rowBytes * static_cast<uint32_t>(height);
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    std::vector<uint8_t> row(rowBytes, 0);
    for (int32_t y = height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t pixel = pixels[static_cast<size_t>(y) * width + x];
            const size_t column = static_cast<size_t>(x) * 3;
            row[column] = static_cast<uint8_t>(pixel);
            row[column + 1] = static_cast<uint8_t>(pixel >> 8);
            row[column + 2] = static_cast<uint8_t>(pixel >> 16);
        }
        out.write(reinterpret_cast<const char*>(row.data()), rowBytes);
    }
    return static_cast<bool>(out);
}

std::u16string nameOf(const std::string& bytes) {
    std::u16string name;
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    name.resize(static_cast<size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(name.data()), length);
    return name;
}

}  // namespace

int draw(const RenderRequest& request) {
    fixedSystemTime = request.utc;
    fixedLocalTime = request.local;
    startAsTheProgramDoes(request, nameOf(request.folder));

    const WindowHandle window = platform::createMainWindow(appState.windowTitle, windowProcedure);
    if (!window) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    const int32_t failed = drawFrame(window, appState.listOriginX, appState.listOriginY);
    const bool saved = saveWindow(window, request.out);
    if (!saved) std::fprintf(stderr, "could not save %s\n", request.out.c_str());
    bool measured = true;
    if (!request.texts.empty()) {
        const DeviceContext windowDC = platform::getWindowContext(window);
        measured = measureTexts(request, windowDC, readCanvas);
        platform::releaseWindowContext(window, windowDC);
        if (!measured) std::fprintf(stderr, "could not measure the texts of %s\n", request.texts.c_str());
    }
    DestroyWindow(platform::win32::toHwnd(window));
    return saved && measured && failed == 0 ? 0 : 1;
}

int run(int argc, char** argv) {
    RenderRequest request;
    if (!parseRenderRequest(argc, argv, request)) return 2;
    if (request.help) return 0;
    platform::win32::startBackend();
    const int result = draw(request);
    platform::win32::endBackend();
    return result;
}

}  // namespace orvane::render

int main(int argc, char** argv) { return orvane::render::run(argc, argv); }
