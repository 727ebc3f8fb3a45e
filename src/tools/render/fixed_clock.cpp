// The render tools' clocks: they give the instants the tool was told. (Their
// folder calls are their program's own.)

#include "platform/clock.h"
#include "tools/render/fixed_clock.h"

namespace orvane::render {

SYSTEMTIME fixedSystemTime{};
SYSTEMTIME fixedLocalTime{};

}  // namespace orvane::render

namespace orvane::platform {

SYSTEMTIME systemTime() { return render::fixedSystemTime; }
SYSTEMTIME localTime() { return render::fixedLocalTime; }
uint64_t tickCount() { return 0; }

}  // namespace orvane::platform
