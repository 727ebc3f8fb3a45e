// A bare GDI frame loop to set beside the program's own frame rate: a window
// of the program's size, and per frame the same GDI work the program's frame
// does (window and memory contexts, a canvas, two fonts, a gray fill, then
// `rectangles` outlined boxes and `texts` short texts, one block copy),
// with none of the program's folder reading.
//   gdi_loop.exe [seconds] [rectangles] [texts]
// Prints "frames <n> seconds <s> fps <f>" to standard output.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cstdlib>

#include "helper_window.h"

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_ERASEBKGND) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void drawFrame(HWND window, int rectangles, int texts, unsigned frame) {
    const HelperCanvas drawn = openCanvas(window);
    const HDC windowDC = drawn.windowDC;
    const HDC memoryDC = drawn.memoryDC;
    const RECT client = drawn.client;
    HBRUSH gray = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    FillRect(memoryDC, &client, gray);
    SetBkMode(memoryDC, TRANSPARENT);
    HGDIOBJ savedBrush = SelectObject(memoryDC, gray);
    SetTextColor(memoryDC, RGB(0, 0, 0));
    LOGFONTW small{};
    small.lfHeight = 16;
    LOGFONTW large{};
    large.lfHeight = 64;
    HFONT smallFont = CreateFontIndirectW(&small);
    HFONT largeFont = CreateFontIndirectW(&large);
    HGDIOBJ savedFont = SelectObject(memoryDC, smallFont);

    for (int i = 0; i < rectangles; ++i) {
        const int x = 250 + (i % 7) * 40;
        const int y = 20 + (i / 7) * 32;
        Rectangle(memoryDC, x, y, x + 38, y + 30);
    }
    wchar_t text[32];
    for (int i = 0; i < texts; ++i) {
        const int length = swprintf(text, 32, L"%02d %u", i, frame % 1000);
        TextOutW(memoryDC, 20 + (i % 3) * 200, 10 + (i / 3) * 24, text, length);
    }
    SelectObject(memoryDC, largeFont);
    TextOutW(memoryDC, 300, 200, L"31", 2);
    SelectObject(memoryDC, savedFont);
    SelectObject(memoryDC, savedBrush);

    BitBlt(windowDC, 0, 0, client.right, client.bottom, memoryDC, 0, 0, SRCCOPY);
    DeleteObject(largeFont);
    DeleteObject(smallFont);
    closeCanvas(drawn);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wcscmp(argv[1], L"--help") == 0) {
        std::puts("usage: gdi_loop.exe [seconds (5)] [rectangles (20)] [texts (110)]\n"
                  "A bare GDI frame loop of the program's size and GDI work, with no folder reading;\n"
                  "prints \"frames <n> seconds <s> fps <f>\".");
        return 0;
    }
    const double seconds = argc > 1 ? _wtof(argv[1]) : 5.0;
    const int rectangles = argc > 2 ? _wtoi(argv[2]) : 20;
    const int texts = argc > 3 ? _wtoi(argv[3]) : 110;

    HWND window = openHelperWindow(L"GdiLoopClass", L"GDI loop", procedure);

    const ULONGLONG start = GetTickCount64();
    const ULONGLONG end = start + static_cast<ULONGLONG>(seconds * 1000.0);
    unsigned frames = 0;
    MSG message{};
    while (GetTickCount64() < end) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return 1;  // closed before the time was up
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        drawFrame(window, rectangles, texts, frames);
        ++frames;
    }
    const double elapsed = static_cast<double>(GetTickCount64() - start) / 1000.0;
    std::printf("frames %u seconds %.2f fps %.1f\n", frames, elapsed, frames / elapsed);
    std::fflush(stdout);
    DestroyWindow(window);
    return 0;
}
