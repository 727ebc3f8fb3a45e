// The Linux drawing backend: a whole frame drawn on the software canvas and
// copied to the window surface (SDL's dummy video driver, so presenting the
// surface costs nothing), next to the parts it is made of. Runs from beside
// the sample catalog (build/linux/bin).

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/window_procedure.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "platform/posix/memory.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/canvas.h"
#include "platform/window.h"
#include "screen/frame.h"
#include "state/app_state.h"

namespace {

using namespace orvane;

// The program's start-up, without the loop, on an off-screen window.
WindowHandle startOnce() {
    static WindowHandle window = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        posix::keepFreedMemory();
        platform::setCurrentFolder(platform::executableFolder());
        platform::getCurrentFolder(appState.programFolder);
        for (const auto& name : appState.dayOfWeekKeys) {
            appState.weekdayNames.push_back(name);
            appState.maxDayNameLength = std::max(appState.maxDayNameLength, static_cast<int32_t>(name.size()));
        }
        appState.workingDate = platform::localTime();
        return platform::createMainWindow(appState.windowTitle, windowProcedure);
    }();
    return window;
}

// Peak resident memory of this process, kilobytes (VmHWM).
long peakMemoryKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

void BM_SdlFullFrame(benchmark::State& state) {
    const WindowHandle window = startOnce();
    if (!window) {
        state.SkipWithError("no window");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(drawFrame(window, appState.listOriginX, appState.listOriginY));
        appState.frameCounter = 1 + appState.frameCounter % 1000;
    }
}
BENCHMARK(BM_SdlFullFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What a frame would cost without the tile records: the whole canvas filled
// and the whole canvas copied to the window surface.
void BM_WholeCanvasFillAndCopy(benchmark::State& state) {
    const WindowHandle window = startOnce();
    SDL_Surface* surface = SDL_GetWindowSurface(sdl::windowOf(window)->sdl.get());
    const std::unique_ptr<sdl::Canvas> canvas = sdl::newCanvas(surface->w, surface->h);
    uint32_t color = 0x808080;
    for (auto _ : state) {
        std::fill(canvas->pixels.begin(), canvas->pixels.end(), color);
        for (int y = 0; y < surface->h; ++y) {
            std::memcpy(static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                        canvas->pixels.data() + static_cast<size_t>(y) * canvas->width,
                        static_cast<size_t>(canvas->width) * 4);
        }
        color ^= 1;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WholeCanvasFillAndCopy)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One text on a memory context: glyphs come from the cache after the first run.
void BM_SdlTextLine(benchmark::State& state) {
    startOnce();
    const DeviceContext dc = platform::createMemoryContext({});
    const GdiObject canvas = platform::createCanvas(dc, 900, 100);
    const GdiObject saved = platform::selectObject(dc, canvas);
    platform::setTransparentBackground(dc);
    const GdiObject font = platform::createFont(16, appState.fontCharSet);
    const GdiObject savedFont = platform::selectObject(dc, font);
    const std::u16string text = u" Tuesday 14:49:02 08 December 2026 year.";
    for (auto _ : state) benchmark::DoNotOptimize(platform::drawText(dc, 250, 46, text));
    platform::selectObject(dc, savedFont);
    platform::deleteObject(font);
    platform::selectObject(dc, saved);
    platform::deleteObject(canvas);
    platform::deleteMemoryContext(dc);
}
BENCHMARK(BM_SdlTextLine)->Unit(benchmark::kMicrosecond);

// 100,000 frames; reports the peak resident memory after the first thousand
// and after all of them (kilobytes), which must stay flat.
void BM_SdlPeakMemory(benchmark::State& state) {
    const WindowHandle window = startOnce();
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) drawFrame(window, appState.listOriginX, appState.listOriginY);
        state.counters["VmHWM_kB_after_1000"] = static_cast<double>(peakMemoryKb());
        for (int i = 1000; i < 100000; ++i) {
            drawFrame(window, appState.listOriginX, appState.listOriginY);
            appState.frameCounter = 1 + appState.frameCounter % 1000;
        }
        state.counters["VmHWM_kB_after_100000"] = static_cast<double>(peakMemoryKb());
    }
}
BENCHMARK(BM_SdlPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// The backend runs for the whole run of the benchmarks and ends after them.
int main(int argc, char** argv) {
    orvane::sdl::start();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    orvane::sdl::end();
    return 0;
}
