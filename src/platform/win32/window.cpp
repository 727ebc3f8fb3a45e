// The program's window, its message queue and the cursor on Win32.

#include <windows.h>

#include <string>

#include "app/window_procedure.h"
#include "platform/win32/handles.h"
#include "platform/window.h"

namespace orvane::platform {

using namespace win32;

namespace {

// The class's procedure: hands every message to the shared window procedure.
LRESULT CALLBACK windowProcedureThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return orvane::windowProcedure(fromHwnd(window), message, wParam, lParam);
}

// The message last taken by peekMessage, whole (time and pointer position
// included), so that dispatching it hands Win32 exactly what it delivered.
MSG lastPeeked{};

MSG toMsg(const Message& message) {
    if (message.window == fromHwnd(lastPeeked.hwnd) && message.message == lastPeeked.message &&
        message.wParam == lastPeeked.wParam && message.lParam == lastPeeked.lParam) {
        return lastPeeked;
    }
    MSG msg{};
    msg.hwnd = toHwnd(message.window);
    msg.message = message.message;
    msg.wParam = message.wParam;
    msg.lParam = message.lParam;
    return msg;
}

}  // namespace

WindowHandle createMainWindow(std::u16string_view title) {
    HINSTANCE instance = GetModuleHandleW(nullptr);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = windowProcedureThunk;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"WindowClass";
    RegisterClassExW(&windowClass);  // a failure shows in CreateWindowExW

    const std::u16string caption(title);
    HWND window = CreateWindowExW(0, L"WindowClass", wide(caption), WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                  0, 0, 900, 1000, nullptr, nullptr, instance, nullptr);
    return fromHwnd(window);
}

void showWindow(WindowHandle window) { ShowWindow(toHwnd(window), SW_SHOW); }

void updateWindow(WindowHandle window) { UpdateWindow(toHwnd(window)); }

void closeWindow(WindowHandle window) { CloseWindow(toHwnd(window)); }

bool peekMessage(Message& message, bool remove) {
    MSG msg{};
    if (!PeekMessageW(&msg, nullptr, 0, 0, remove ? PM_REMOVE : PM_NOREMOVE)) {
        return false;
    }
    lastPeeked = msg;
    message.window = fromHwnd(msg.hwnd);
    message.message = msg.message;
    message.wParam = msg.wParam;
    message.lParam = msg.lParam;
    return true;
}

void translateMessage(const Message& message) {
    const MSG msg = toMsg(message);
    TranslateMessage(&msg);
}

intptr_t dispatchMessage(const Message& message) {
    const MSG msg = toMsg(message);
    return DispatchMessageW(&msg);
}

intptr_t defaultWindowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) {
    return DefWindowProcW(toHwnd(window), message, wParam, lParam);
}

void postQuitMessage(int exitCode) { PostQuitMessage(exitCode); }

CursorHandle loadArrowCursor() {
    return CursorHandle{LoadCursorW(nullptr, IDC_ARROW)};
}

void setCursor(CursorHandle cursor) { SetCursor(toCursor(cursor)); }

void destroyCursor(CursorHandle cursor) { DestroyCursor(toCursor(cursor)); }

}  // namespace orvane::platform
