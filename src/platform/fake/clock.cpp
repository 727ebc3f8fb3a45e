// The fake backend's clocks: whatever the test scripted. The tick count moves
// on by `tickStep` after every reading, so a loop that waits for time to pass
// sees it pass; or, for benchmarks, it is the steady clock's.
#include <chrono>

#include "platform/clock.h"
#include "platform/fake/fake_platform.h"

namespace orvane::platform {

SYSTEMTIME systemTime() { return fake::fakePlatform().systemTime; }

SYSTEMTIME localTime() { return fake::fakePlatform().localTime; }

uint64_t tickCount() {
    fake::FakePlatform& fake = fake::fakePlatform();
    if (fake.realTime) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    const uint64_t now = fake.tick;
    fake.tick += fake.tickStep;
    return now;
}

}  // namespace orvane::platform
