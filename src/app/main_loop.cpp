// Start-up and the paced main loop. The loop never blocks: it dispatches one
// waiting message per pass, or draws a frame when none waits (at most 1000
// counted frames per measuring second), and measures the frame rate once a
// second.
#include "platform/program.h"

#include <algorithm>
#include <cstdint>

#include "app/window_procedure.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/window.h"
#include "screen/frame.h"
#include "standards/catalog_check.h"
#include "state/app_state.h"

namespace orvane {

namespace {

constexpr uint32_t frameBudget = 1000;         // frames the loop draws per measuring second
constexpr uint64_t measuringSecondMs = 1000;   // a second ends once more than this has passed
constexpr int exitNoWindow = 3;                // the window could not be made: nothing was shown

// Anchors the process in its executable's folder and fills the start-up fields.
void anchorInProgramFolder() {
    platform::setCurrentFolder(platform::executableFolder());  // result ignored: go on regardless
    appState.programFolder.clear();
    platform::getCurrentFolder(appState.programFolder);
}

void fillWeekdayNames() {
    appState.weekdayNames.assign(appState.dayOfWeekKeys.begin(), appState.dayOfWeekKeys.end());
    appState.maxDayNameLength = 0;
    for (const std::u16string& name : appState.weekdayNames) {
        appState.maxDayNameLength =
            std::max(appState.maxDayNameLength, static_cast<int32_t>(name.size()));
    }
}

}  // namespace

int runProgram() {
    anchorInProgramFolder();
    fillWeekdayNames();
    // Without a readable catalog the list stays empty and the dates lack their
    // words: say once where it was looked for, then run all the same.
    if (const std::u16string line = unreadableCatalogLine(); !line.empty()) platform::writeDiagnostic(line);

    const WindowHandle window = platform::createMainWindow(appState.windowTitle, windowProcedure);
    if (!window) {
        // Without a window the loop would spin unseen for ever: say why, and stop.
        platform::writeDiagnostic(u"orvane: cannot open a window: " + platform::windowFailureText());
        return exitNoWindow;
    }
    appState.arrowCursor = platform::loadArrowCursor();
    platform::setCursor(appState.arrowCursor);

    appState.workingDate = SYSTEMTIME{};
    appState.workingDate = platform::localTime();

    // The update sends the first WM_PAINT straight to the window procedure,
    // so the first frame is drawn before the loop starts.
    platform::showWindow(window);
    platform::updateWindow(window);

    uint64_t secondStart = platform::tickCount();

    Message message{};
    platform::peekMessage(message, false);
    while (message.message != messageQuit && message.message != messageClose) {
        if (platform::peekMessage(message, true)) {
            platform::translateMessage(message);
            platform::dispatchMessage(message);
            continue;
        }
        if (appState.frameCounter <= frameBudget && !appState.frameInProgress) {
            drawFrame(window, appState.listOriginX, appState.listOriginY);
        }
        if (platform::tickCount() - secondStart > measuringSecondMs) {
            appState.framesPerSecond = static_cast<int32_t>(appState.frameCounter);
            appState.frameCounter = 1;
            secondStart = platform::tickCount();
        }
    }

    platform::destroyCursor(appState.arrowCursor);
    platform::closeWindow(window);
    return 1;
}

}  // namespace orvane
