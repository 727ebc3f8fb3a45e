#pragma once
// The window of the Wine helpers that draw beside the program (gdi_loop,
// call_costs): a class like the program's (CS_CLASSDC, no cursor, no brush)
// and a visible window of the program's size, shown and painted once; and a
// frame's canvas made and released as the program makes and releases it.

#include <windows.h>

inline HWND openHelperWindow(const wchar_t* className, const wchar_t* caption, WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
    HWND window = CreateWindowExW(0, className, caption, WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0, 900, 1000,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

// A memory context drawing on a bitmap of the window's client size.
struct HelperCanvas {
    HWND window = nullptr;
    HDC windowDC = nullptr;
    HDC memoryDC = nullptr;
    RECT client{};
    HBITMAP canvas = nullptr;
    HGDIOBJ savedBitmap = nullptr;
};

inline HelperCanvas openCanvas(HWND window) {
    HelperCanvas made;
    made.window = window;
    made.windowDC = GetDC(window);
    made.memoryDC = CreateCompatibleDC(made.windowDC);
    GetClientRect(window, &made.client);
    made.canvas = CreateCompatibleBitmap(made.windowDC, made.client.right, made.client.bottom);
    made.savedBitmap = SelectObject(made.memoryDC, made.canvas);
    return made;
}

inline void closeCanvas(const HelperCanvas& made) {
    SelectObject(made.memoryDC, made.savedBitmap);
    DeleteObject(made.canvas);
    DeleteDC(made.memoryDC);
    ReleaseDC(made.window, made.windowDC);
}
