// The frame's own work: drawFrame on the sample catalog with drawing calls
// that do nothing, next to the bare cost of the nine folder listings that
// every frame makes (the browsed folder and eight standards words).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "platform/files.h"
#include "screen/frame.h"
#include "standards/directory_listing.h"
#include "state/app_state.h"

namespace orvane {
namespace {

const WindowHandle benchWindow{reinterpret_cast<void*>(uintptr_t{0x1000})};

// The state start-up leaves behind, with the sample catalog beside the
// executable. False when the catalog is not there.
bool prepareState() {
    fake::reset();
    fake::fakePlatform().recordDrawing = false;
    fake::fakePlatform().systemTime = SYSTEMTIME{2026, 12, 2, 8, 14, 30, 15, 0};
    fake::fakePlatform().localTime = SYSTEMTIME{2026, 12, 2, 8, 17, 30, 15, 0};
    fake::fakePlatform().client = Rect{0, 0, 884, 961};

    appState.programFolder = platform::executableFolder();
    platform::setCurrentFolder(appState.programFolder);
    appState.currentFolder = appState.rootFolderName;
    appState.weekdayNames.assign(appState.dayOfWeekKeys.begin(), appState.dayOfWeekKeys.end());
    appState.maxDayNameLength = 0;
    for (const std::u16string& name : appState.weekdayNames) {
        appState.maxDayNameLength = std::max(appState.maxDayNameLength, static_cast<int32_t>(name.size()));
    }
    appState.workingDate = SYSTEMTIME{2026, 12, 2, 8, 17, 30, 15, 0};
    return !listDirectory(appState.currentFolder).empty();
}

void BM_FrameOwnWork(benchmark::State& state) {
    if (!prepareState()) {
        state.SkipWithError("no sample catalog beside the executable");
        return;
    }
    for (auto _ : state) {
        appState.frameCounter = 1;
        benchmark::DoNotOptimize(drawFrame(benchWindow, appState.listOriginX, appState.listOriginY));
    }
    benchmark::DoNotOptimize(appState.fileEntries.size());
}
BENCHMARK(BM_FrameOwnWork)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_NineFolderListings(benchmark::State& state) {
    if (!prepareState()) {
        state.SkipWithError("no sample catalog beside the executable");
        return;
    }
    // The folders one frame lists for the working date above (a Tuesday in
    // December) and its two clocks: the browsed folder; the weekday of the
    // working date; weekday, month (genitive) and year word of each clock
    // line; the month of the working date.
    const std::u16string tuesday = appState.dayOfWeekFolder + u"\\" + appState.dayOfWeekKeys[1];
    const std::u16string december = appState.monthsGenitiveFolder + u"\\" + appState.monthKeys[11];
    const std::vector<std::u16string> folders = {
        appState.currentFolder, tuesday,
        tuesday, december, appState.yearFolder,
        tuesday, december, appState.yearFolder,
        appState.monthsFolder + u"\\" + appState.monthKeys[11],
    };
    for (auto _ : state) {
        for (const std::u16string& folder : folders) benchmark::DoNotOptimize(listDirectory(folder));
    }
}
BENCHMARK(BM_NineFolderListings)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace orvane
