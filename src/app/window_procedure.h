#pragma once
// The window procedure of the program's one window, shared by every backend:
// the program hands it to the backend with the window (createMainWindow), and
// each backend's message dispatch ends here.

#include <cstdint>

#include "platform/types.h"

namespace orvane {

intptr_t windowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace orvane
