// The fake backend's window, message queue, cursor, shell open and
// diagnostics. Every call is recorded; the queue is the test's script, and
// dispatching calls the window procedure the window was made with, as the
// real platforms do.
#include <algorithm>
#include <cstdint>

#include "platform/clock.h"
#include "platform/fake/fake_platform.h"
#include "platform/window.h"

namespace orvane::platform {

namespace {

using fake::Call;
using fake::fakePlatform;

// Handle values the fake hands out; tests may compare against them.
void* const fakeCursorValue = reinterpret_cast<void*>(uintptr_t{32512});  // IDC_ARROW

int64_t handleValue(const void* value) { return static_cast<int64_t>(reinterpret_cast<uintptr_t>(value)); }

void record(Call call, std::vector<int64_t> args = {}, std::u16string text = {},
            std::u16string secondText = {}) {
    fakePlatform().calls.push_back(
        fake::RecordedCall{call, std::move(args), std::move(text), std::move(secondText)});
}

std::vector<int64_t> messageArgs(WindowHandle window, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) {
    return {handleValue(window.value), message, static_cast<int64_t>(wParam), lParam};
}

// The window's procedure with one message; 0 when no procedure was given.
intptr_t callProcedure(WindowHandle window, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    const WindowProcedure procedure = fakePlatform().procedure;
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

// Moves the scheduled messages whose time has come to the end of the queue,
// earliest first (stable for equal times).
void deliverDueMessages() {
    fake::FakePlatform& fake = fakePlatform();
    std::stable_sort(fake.scheduled.begin(), fake.scheduled.end(),
                     [](const fake::ScheduledMessage& a, const fake::ScheduledMessage& b) {
                         return a.atTick < b.atTick;
                     });
    const uint64_t now = fake.realTime ? platform::tickCount() : fake.tick;
    auto due = fake.scheduled.begin();
    while (due != fake.scheduled.end() && due->atTick <= now) {
        fake.queue.push_back(due->message);
        ++due;
    }
    fake.scheduled.erase(fake.scheduled.begin(), due);
}

}  // namespace

WindowHandle createMainWindow(std::u16string_view title, WindowProcedure procedure) {
    fake::FakePlatform& fake = fakePlatform();
    record(Call::createMainWindow, {}, std::u16string(title));
    if (fake::shouldFail(Call::createMainWindow)) return WindowHandle{};
    fake.procedure = procedure;
    fake.window = fake::mainWindow;
    fake.windowTitle = std::u16string(title);
    fake.windowDestroyed = false;
    return fake.window;
}

std::u16string windowFailureText() { return u"the test made window creation fail"; }

void showWindow(WindowHandle window) { record(Call::showWindow, {handleValue(window.value)}); }

void updateWindow(WindowHandle window) {
    record(Call::updateWindow, {handleValue(window.value)});
    callProcedure(window, messagePaint);
}

void closeWindow(WindowHandle window) { record(Call::closeWindow, {handleValue(window.value)}); }

bool peekMessage(Message& message, bool remove) {
    fake::FakePlatform& fake = fakePlatform();
    record(Call::peekMessage, {remove ? 1 : 0});
    deliverDueMessages();
    if (fake.queue.empty()) return false;
    message = fake.queue.front();
    if (remove) fake.queue.pop_front();
    return true;
}

void translateMessage(const Message& message) {
    record(Call::translateMessage,
           messageArgs(message.window, message.message, message.wParam, message.lParam));
}

intptr_t dispatchMessage(const Message& message) {
    record(Call::dispatchMessage,
           messageArgs(message.window, message.message, message.wParam, message.lParam));
    return callProcedure(message.window, message.message, message.wParam, message.lParam);
}

intptr_t defaultWindowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) {
    record(Call::defaultWindowProcedure, messageArgs(window, message, wParam, lParam));
    if (message == messageClose) {
        // The default handling of a close request destroys the window, and
        // destruction reaches the procedure as WM_DESTROY.
        fakePlatform().windowDestroyed = true;
        callProcedure(window, messageDestroy);
    }
    return 0;  // WM_PAINT: the window is validated; everything else: nothing to report
}

void postQuitMessage(int exitCode) {
    fake::FakePlatform& fake = fakePlatform();
    record(Call::postQuitMessage, {exitCode});
    fake.quitCode = exitCode;
    Message quit;
    quit.message = messageQuit;
    quit.wParam = static_cast<uintptr_t>(exitCode);
    fake.queue.push_back(quit);
}

CursorHandle loadArrowCursor() {
    record(Call::loadArrowCursor);
    if (fake::shouldFail(Call::loadArrowCursor)) return CursorHandle{};
    return CursorHandle{fakeCursorValue};
}

void setCursor(CursorHandle cursor) { record(Call::setCursor, {handleValue(cursor.value)}); }

void destroyCursor(CursorHandle cursor) { record(Call::destroyCursor, {handleValue(cursor.value)}); }

void shellOpen(WindowHandle window, const std::u16string& file, const std::u16string& workingFolder) {
    record(Call::shellOpen, {handleValue(window.value)}, file, workingFolder);
}

void writeDiagnostic(std::u16string_view text) {
    record(Call::writeDiagnostic, {}, std::u16string(text));
}

}  // namespace orvane::platform
