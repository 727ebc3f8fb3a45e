// The program's window, its message queue and the cursor on Win32.

#include <windows.h>

#include <memory>
#include <string>

#include "geometry/window_geometry.h"
#include "platform/win32/backend.h"
#include "platform/win32/handles.h"
#include "platform/window.h"

namespace orvane::platform {

using namespace win32;

namespace {

struct WindowState {
    WindowProcedure procedure = nullptr;  // the program's, given to createMainWindow
    std::u16string failure;  // why the window could not be made, when it could not
    // The message last taken by peekMessage, whole (time and pointer position
    // included), so that dispatching it hands Win32 exactly what it delivered.
    MSG lastPeeked{};
};

std::unique_ptr<WindowState> windowing;

// The class's procedure: hands every message to the program's window
// procedure; while the backend is not running, to the default handling.
LRESULT CALLBACK windowProcedureThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!windowing || windowing->procedure == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return windowing->procedure(fromHwnd(window), message, wParam, lParam);
}

// The system's text for an error code, on one line; the number when the
// system has no text for it.
std::u16string errorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string result;
    if (length > 0 && text != nullptr) result.assign(reinterpret_cast<const char16_t*>(text), length);
    if (text != nullptr) LocalFree(text);
    while (!result.empty() && (result.back() == u'\n' || result.back() == u'\r' || result.back() == u' ')) {
        result.pop_back();
    }
    if (result.empty()) {
        const std::wstring number = std::to_wstring(error);
        result = u"error " + std::u16string(number.begin(), number.end());
    }
    return result;
}

MSG toMsg(const Message& message) {
    if (windowing) {
        const MSG& peeked = windowing->lastPeeked;
        if (message.window == fromHwnd(peeked.hwnd) && message.message == peeked.message &&
            message.wParam == peeked.wParam && message.lParam == peeked.lParam) {
            return peeked;
        }
    }
    MSG msg{};
    msg.hwnd = toHwnd(message.window);
    msg.message = message.message;
    msg.wParam = message.wParam;
    msg.lParam = message.lParam;
    return msg;
}

}  // namespace

WindowHandle createMainWindow(std::u16string_view title, WindowProcedure procedure) {
    if (!windowing) return {};  // the backend has not started: no procedure can be kept
    HINSTANCE instance = GetModuleHandleW(nullptr);
    windowing->procedure = procedure;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = windowProcedureThunk;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"WindowClass";
    RegisterClassExW(&windowClass);  // a failure shows in CreateWindowExW

    const std::u16string caption(title);
    HWND window = CreateWindowExW(0, L"WindowClass", wide(caption), WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                  geometry::windowLeft, geometry::windowTop, geometry::windowWidth,
                                  geometry::windowHeight, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) windowing->failure = errorText(GetLastError());
    return fromHwnd(window);
}

std::u16string windowFailureText() { return windowing ? windowing->failure : std::u16string(); }

void showWindow(WindowHandle window) { ShowWindow(toHwnd(window), SW_SHOW); }

void updateWindow(WindowHandle window) { UpdateWindow(toHwnd(window)); }

void closeWindow(WindowHandle window) { CloseWindow(toHwnd(window)); }

bool peekMessage(Message& message, bool remove) {
    MSG msg{};
    if (!PeekMessageW(&msg, nullptr, 0, 0, remove ? PM_REMOVE : PM_NOREMOVE)) {
        return false;
    }
    if (windowing) windowing->lastPeeked = msg;
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

namespace orvane::platform::win32 {

void startWindowing() { windowing = std::make_unique<WindowState>(); }

void endWindowing() { windowing.reset(); }

}  // namespace orvane::platform::win32
