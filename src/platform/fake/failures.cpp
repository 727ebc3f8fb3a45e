// The fake backend's state and its failure rules.
#include <algorithm>

#include "platform/fake/fake_platform.h"

namespace orvane::fake {

FakePlatform& fakePlatform() {
    static FakePlatform platform;
    return platform;
}

void failCall(Call call, int occurrence) {
    fakePlatform().failures.push_back(FailureRule{call, occurrence, 0});
}

bool shouldFail(Call call) {
    bool fail = false;
    for (FailureRule& rule : fakePlatform().failures) {
        if (rule.call != call) continue;
        ++rule.seen;
        if (rule.occurrence == 0 || rule.seen == rule.occurrence) fail = true;
    }
    return fail;
}

void reset() { fakePlatform() = FakePlatform{}; }

}  // namespace orvane::fake
