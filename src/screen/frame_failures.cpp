// Failure marks of a frame and their diagnostic lines.
#include <array>
#include <cstdint>

#include "platform/clock.h"
#include "platform/window.h"
#include "screen/frame_context.h"
#include "state/app_state.h"

namespace orvane {

namespace {

// When each failure text was last written. A failing call fails again in
// every frame, up to a thousand times a second; one line a second per text
// says as much without flooding the channel.
struct ReportTimes {
    std::array<uint64_t, frameFailureKinds> lastTick{};
    std::array<bool, frameFailureKinds> written{};
};

ReportTimes& reportTimes() {
    static ReportTimes times;
    return times;
}

constexpr uint64_t reportInterval = 1000;  // milliseconds

}  // namespace

void markFrameFailed(FrameContext& frame, FrameFailure failure) {
    frame.frameFailed = true;
    const auto kind = static_cast<size_t>(failure);
    if (kind >= static_cast<size_t>(frameFailureKinds)) return;
    ReportTimes& times = reportTimes();
    const uint64_t now = platform::tickCount();
    // A tick count that went backwards (a new clock, a test) counts as a new second.
    if (times.written[kind] && now >= times.lastTick[kind] &&
        now - times.lastTick[kind] < reportInterval) {
        return;
    }
    times.written[kind] = true;
    times.lastTick[kind] = now;
    platform::writeDiagnostic(appState.failureTexts[kind]);
}

void forgetReportedFailures() { reportTimes() = ReportTimes{}; }

}  // namespace orvane
