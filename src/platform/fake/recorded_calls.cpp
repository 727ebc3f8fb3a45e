// Looking up the fake backend's recorded calls.
#include "platform/fake/fake_platform.h"

namespace orvane::fake {

std::vector<RecordedCall> callsOf(Call call) {
    std::vector<RecordedCall> found;
    for (const RecordedCall& recorded : fakePlatform().calls) {
        if (recorded.call == call) found.push_back(recorded);
    }
    return found;
}

}  // namespace orvane::fake
