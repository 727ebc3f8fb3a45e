#pragma once
// The window, its message queue, the cursor, the shell open and diagnostics.
// Message numbers and the packing of pointer positions are those of Win32 on
// every backend, so one main loop and one window procedure serve them all.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace orvane {

enum WindowMessage : uint32_t {
    messageDestroy = 2,            // WM_DESTROY
    messagePaint = 15,             // WM_PAINT
    messageClose = 16,             // WM_CLOSE
    messageQuit = 18,              // WM_QUIT
    messageEraseBackground = 20,   // WM_ERASEBKGND
    messageMouseMove = 512,        // WM_MOUSEMOVE
    messageLeftButtonDown = 513,   // WM_LBUTTONDOWN
    messageLeftButtonUp = 514,     // WM_LBUTTONUP
};

// One queued message (MSG). Pointer messages carry x in bits 0-15 and y in
// bits 16-31 of lParam, in client coordinates.
struct Message {
    WindowHandle window{};
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// Packs a client position the way pointer messages carry it.
constexpr intptr_t packPoint(int32_t x, int32_t y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(x) & 0xFFFFu) |
                                 ((static_cast<uint32_t>(y) & 0xFFFFu) << 16));
}

// A client position as pointer messages carry it: each half of the packed
// value is a signed 16-bit coordinate.
struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

constexpr Point unpackPoint(intptr_t packed) {
    const auto bits = static_cast<uint32_t>(packed);
    return {static_cast<int16_t>(static_cast<uint16_t>(bits & 0xFFFFu)),
            static_cast<int16_t>(static_cast<uint16_t>(bits >> 16))};
}

}  // namespace orvane

namespace orvane::platform {

// The program's window procedure (WNDPROC): every message of its window
// reaches it, from dispatchMessage, updateWindow and the default handling.
using WindowProcedure = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Registers the class "WindowClass" (CS_CLASSDC, no cursor, no brush,
// `procedure` as its window procedure) and creates the program's window:
// caption `title`, WS_VISIBLE | WS_OVERLAPPEDWINDOW, at the place and of the
// outer size that geometry/window_geometry.h gives. Null on failure.
WindowHandle createMainWindow(std::u16string_view title, WindowProcedure procedure);
// Why the last createMainWindow made no window, in a few words for a
// diagnostic line (the system's text for GetLastError on Windows; on Linux
// what kept the display from being reached).
std::u16string windowFailureText();
void showWindow(WindowHandle window);    // ShowWindow(SW_SHOW)
void updateWindow(WindowHandle window);  // UpdateWindow: sends WM_PAINT straight to the procedure
void closeWindow(WindowHandle window);   // CloseWindow

// PeekMessageW for all windows and all messages, PM_REMOVE when `remove`,
// else PM_NOREMOVE. True when a message waited; it is copied into `message`.
bool peekMessage(Message& message, bool remove);
void translateMessage(const Message& message);    // TranslateMessage
intptr_t dispatchMessage(const Message& message);  // DispatchMessageW: calls the window's procedure
intptr_t defaultWindowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam);  // DefWindowProcW
void postQuitMessage(int exitCode);               // PostQuitMessage

CursorHandle loadArrowCursor();         // LoadCursorW(NULL, IDC_ARROW)
void setCursor(CursorHandle cursor);    // SetCursor
void destroyCursor(CursorHandle cursor);  // DestroyCursor

// Hands `file` (the name of an entry of the folder `workingFolder`, a full
// path) to the program the desktop associates with it, with `workingFolder`
// as that program's working folder. On Windows ShellExecuteW gets the verb
// "Open" and the file's full path, never a bare name. Never waits for it.
void shellOpen(WindowHandle window, const std::u16string& file, const std::u16string& workingFolder);

// Writes one line to the platform's diagnostic channel (OutputDebugStringW,
// standard error on Linux). Never into the window.
void writeDiagnostic(std::u16string_view text);

}  // namespace orvane::platform
