// Huge folders stay usable: with 100,000 or 1,000,000 entries in the browsed
// folder (every frame lists them all), how long the program's real main loop
// takes to act on a click and to close, from the moment the message is due.
// The loop runs on the fake backend (drawing calls do nothing, folders are
// real) with its tick count on the steady clock, and the messages are
// scheduled at different moments of a frame: a click on the next-day button
// followed by a close, so the loop ends once the frame that shows the new
// date is drawn; or a close alone, which ends it after the frame in progress.
// Beside them: one frame by itself, and the listing's floor (read every entry
// and turn its name into UTF-16).
//
// The folders are made once below the benchmark's own folder (huge-folders/)
// and kept for later runs.

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/window_procedure.h"
#include "platform/clock.h"
#include "platform/fake/fake_platform.h"
#include "platform/files.h"
#include "platform/posix/posix_files.h"
#include "platform/program.h"
#include "platform/window.h"
#include "screen/frame.h"
#include "state/app_state.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// A folder of `entries` empty files, made once; a marker beside it says it is
// complete.
std::string hugeFolder(int64_t entries) {
    const fs::path base = fs::path(posix::bytesFromName(platform::executableFolder())) / "huge-folders";
    const fs::path folder = base / std::to_string(entries);
    const fs::path done = base / (std::to_string(entries) + ".complete");
    if (!fs::exists(done)) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (int64_t i = 0; i < entries; ++i) {
            std::string name = (folder / "entry ").string();
            name += std::to_string(i);
            name += ".txt";
            const int file = open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            if (file >= 0) close(file);
        }
        std::ofstream(done) << entries << "\n";
    }
    return folder.string();
}

constexpr SYSTEMTIME startDate{2026, 12, 3, 9, 10, 20, 30, 0};  // Wednesday 9 December 2026

void startFresh(const std::u16string& folder) {
    fake::reset();
    fake::FakePlatform& fake = fake::fakePlatform();
    fake.recordDrawing = false;
    fake.realTime = true;
    fake.localTime = startDate;
    fake.systemTime = startDate;
    appState.currentFolder = folder;
    appState.pendingFile.clear();
    appState.scrollOffset = 0;
    appState.frameCounter = 1;
}

// The time of one frame browsing `folder`, after one that fills it in.
double frameMilliseconds(const std::u16string& folder) {
    startFresh(folder);
    appState.programFolder = platform::executableFolder();
    const WindowHandle window = platform::createMainWindow(appState.windowTitle, windowProcedure);
    drawFrame(window, appState.listOriginX, appState.listOriginY);
    const uint64_t start = platform::tickCount();
    drawFrame(window, appState.listOriginX, appState.listOriginY);
    return static_cast<double>(platform::tickCount() - start);
}

// Acting on a click (and drawing the frame that shows it), or closing, with
// the messages due 1.2, 1.5 and 1.8 frames after start-up (which draws one
// frame before the loop begins); one run each.
void BM_HugeFolderLoop(benchmark::State& state) {
    const bool click = state.range(1) != 0;
    const std::u16string folder = posix::nameFromBytes(hugeFolder(state.range(0)));
    const double frame = frameMilliseconds(folder);
    const double phases[] = {1.2, 1.5, 1.8};
    size_t run = 0;
    double slowest = 0;
    for (auto _ : state) {
        startFresh(folder);
        const uint64_t due = platform::tickCount() + static_cast<uint64_t>(frame * phases[run++ % 3]);
        std::vector<fake::ScheduledMessage>& scheduled = fake::fakePlatform().scheduled;
        if (click) {
            const intptr_t nextDayButton = 440 | (200 << 16);
            scheduled.push_back({due, fake::windowMessage(messageLeftButtonDown, nextDayButton)});
            scheduled.push_back({due, fake::windowMessage(messageLeftButtonUp, nextDayButton)});
        }
        scheduled.push_back({due, fake::windowMessage(messageClose)});
        runProgram();
        const double milliseconds = static_cast<double>(platform::tickCount() - due);
        if (click && appState.workingDate.wDay != startDate.wDay + 1) {
            state.SkipWithError("the click was not acted on");
            return;
        }
        slowest = std::max(slowest, milliseconds);
        state.SetIterationTime(milliseconds / 1e3);
    }
    state.counters["frame_ms"] = frame;
    state.counters["slowest_ms"] = slowest;
    state.counters["allowed_ms"] = state.range(0) >= 1000000 ? 1000 : 300;
    fake::reset();
}
BENCHMARK(BM_HugeFolderLoop)
    ->ArgNames({"entries", "click"})
    ->Args({100000, 1})->Args({100000, 0})->Args({1000000, 1})->Args({1000000, 0})
    ->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The floor of a frame's listing of the same folder: read every entry and
// turn its name into UTF-16.
void BM_HugeFolderFloor(benchmark::State& state) {
    const std::string folder = hugeFolder(state.range(0));
    for (auto _ : state) {
        std::vector<std::u16string> names;
        DIR* entries = opendir(folder.c_str());
        std::string bytes;
        while (const dirent* entry = readdir(entries)) {
            bytes.assign(entry->d_name);
            names.push_back(posix::nameFromBytes(bytes));
        }
        closedir(entries);
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(BM_HugeFolderFloor)->ArgName("entries")->Arg(100000)->Arg(1000000)->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvane
