// The fake backend's clocks: whatever the test scripted. The tick count moves
// on by `tickStep` after every reading, so a loop that waits for time to pass
// sees it pass.
#include "platform/clock.h"
#include "platform/fake/fake_platform.h"

namespace orvane::platform {

SYSTEMTIME systemTime() { return fake::fakePlatform().systemTime; }

SYSTEMTIME localTime() { return fake::fakePlatform().localTime; }

uint64_t tickCount() {
    fake::FakePlatform& fake = fake::fakePlatform();
    const uint64_t now = fake.tick;
    fake.tick += fake.tickStep;
    return now;
}

}  // namespace orvane::platform
