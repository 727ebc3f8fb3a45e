// The window procedure under any sequence of messages with any parameters,
// against a plain model of what it keeps:
//   - leftButtonDown follows the last press or release;
//   - lastMouseY is the y of the last pointer move, as a signed 16-bit value;
//   - a move over the scroll strip (x 200 to 239) with the button down adds
//     the vertical distance to the scroll offset, held at the limits of 32
//     bits; other moves leave it alone;
//   - erasing the background sets the list origin and returns 0; destruction
//     posts the quit message with code 0; no frame is left in progress.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "app/window_procedure.h"
#include "fuzz_support.h"
#include "locale/string_table.h"
#include "platform/fake/fake_platform.h"
#include "platform/window.h"
#include "state/app_state.h"

namespace {

using namespace orvane;

const WindowHandle window = fake::mainWindow;

constexpr uint32_t messages[] = {
    messageDestroy, messagePaint, messageClose, messageQuit, messageEraseBackground, messageMouseMove,
    messageMouseMove, messageMouseMove, messageLeftButtonDown, messageLeftButtonUp, 0, 0x0100, 0x0202};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    fuzz::startFreshProgram();
    fake::fakePlatform().procedure = windowProcedure;
    appState.scrollOffset = input.take<int32_t>();

    bool buttonDown = false;
    int32_t lastY = 0;
    int64_t scroll = appState.scrollOffset;
    for (int count = 0; count < 64 && !input.empty(); ++count) {
        const uint32_t message = messages[input.pick(std::size(messages))];
        const auto wParam = input.take<uintptr_t>();
        // Positions near the strip's edges are the interesting ones.
        intptr_t lParam = input.take<intptr_t>();
        if (input.take<uint8_t>() & 1) lParam = packPoint(195 + static_cast<int32_t>(input.pick(50)), input.take<int16_t>());

        const intptr_t result = windowProcedure(window, message, wParam, lParam);

        const auto packed = static_cast<uint32_t>(lParam);
        const int32_t y = static_cast<int16_t>(static_cast<uint16_t>(packed >> 16));
        const uint32_t x = packed & 0xFFFFu;
        switch (message) {
        case messageMouseMove:
            if (x >= 200 && x <= 239 && buttonDown) {
                scroll = std::clamp<int64_t>(scroll + y - lastY, std::numeric_limits<int32_t>::min(),
                                             std::numeric_limits<int32_t>::max());
            }
            lastY = y;
            break;
        case messageLeftButtonDown:
            buttonDown = true;
            FUZZ_CHECK(result == 0);
            break;
        case messageLeftButtonUp:
            buttonDown = false;
            scroll = appState.scrollOffset;  // the click may scroll the list to its top
            break;
        case messageEraseBackground:
            FUZZ_CHECK(result == 0 && appState.listOriginX == 22 && appState.listOriginY == 16);
            break;
        case messageDestroy:
            FUZZ_CHECK(result == 0 && fake::fakePlatform().quitCode == 0);
            break;
        default:
            break;
        }
        FUZZ_CHECK(appState.leftButtonDown == buttonDown);
        FUZZ_CHECK(appState.lastMouseY == lastY);
        FUZZ_CHECK(appState.scrollOffset == scroll);
        FUZZ_CHECK(!appState.frameInProgress);
    }
    return 0;
}
