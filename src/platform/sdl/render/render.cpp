// Draws one frame of a chosen state off-screen (SDL's dummy video driver) with
// the Linux drawing backend and saves what reached the window as a PNG.
//
//   orvane_render_en --out FILE.png [--date YYYY-MM-DD[Thh:mm:ss]]
//       [--utc YYYY-MM-DDThh:mm:ss] [--local YYYY-MM-DDThh:mm:ss]
//       [--folder PATH] [--scroll N] [--fps N] [--frame N]
//
// The program's start-up is repeated (its folder made current, the weekday
// heads and their longest length) without the window loop; the clocks give
// the instants named (the local one defaults to the UTC one).

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "calendar/calendar_date.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "platform/posix/posix_files.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/render/fixed_clock.h"
#include "platform/window.h"
#include "screen/frame.h"

namespace orvane::render {

namespace {

// "YYYY-MM-DD" with an optional "Thh:mm:ss"; the weekday is worked out.
bool parseInstant(std::string_view text, SYSTEMTIME& time) {
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const std::string copy(text);
    const int fields = std::sscanf(copy.c_str(), "%u-%u-%uT%u:%u:%u", &year, &month, &day, &hour, &minute, &second);
    if (fields != 3 && fields != 6) return false;
    SYSTEMTIME parsed{};
    parsed.wYear = static_cast<uint16_t>(year);
    parsed.wMonth = static_cast<uint16_t>(month);
    parsed.wDay = static_cast<uint16_t>(day);
    parsed.wHour = static_cast<uint16_t>(hour);
    parsed.wMinute = static_cast<uint16_t>(minute);
    parsed.wSecond = static_cast<uint16_t>(second);
    return CalendarDate::fromSystemTime(parsed).toSystemTime(time);
}

int usage() {
    std::fputs(
        "usage: orvane_render --out FILE.png [--date YYYY-MM-DD[Thh:mm:ss]] [--utc YYYY-MM-DDThh:mm:ss]\n"
        "       [--local YYYY-MM-DDThh:mm:ss] [--folder PATH] [--scroll N] [--fps N] [--frame N]\n",
        stderr);
    return 2;
}

}  // namespace

int run(int argc, char** argv) {
    std::string out;
    SYSTEMTIME working{};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    bool localGiven = false;
    parseInstant("2026-12-08T10:30:00", working);
    parseInstant("2026-12-08T09:15:30", utc);
    std::u16string folder;
    int32_t scroll = 0;
    int32_t fps = 1001;
    uint32_t frame = 1;

    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) return usage();
        const char* value = argv[++i];
        if (option == "--out") {
            out = value;
        } else if (option == "--date") {
            if (!parseInstant(value, working)) return usage();
        } else if (option == "--utc") {
            if (!parseInstant(value, utc)) return usage();
        } else if (option == "--local") {
            if (!parseInstant(value, local)) return usage();
            localGiven = true;
        } else if (option == "--folder") {
            // A path as the program holds currentFolder: "\" and "/" both
            // separate its components.
            folder = posix::namesFromBytes(value);
            std::replace(folder.begin(), folder.end(), posix::nameBackslash, u'\\');
        } else if (option == "--scroll") {
            scroll = static_cast<int32_t>(std::strtol(value, nullptr, 10));
        } else if (option == "--fps") {
            fps = static_cast<int32_t>(std::strtol(value, nullptr, 10));
        } else if (option == "--frame") {
            frame = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
        } else {
            return usage();
        }
    }
    if (out.empty()) return usage();
    out = std::filesystem::absolute(out).string();  // before the program's folder becomes current
    fixedSystemTime = utc;
    fixedLocalTime = localGiven ? local : utc;

    // Start-up as the program does it, without the loop.
    platform::setCurrentFolder(platform::executableFolder());
    platform::getCurrentFolder(appState.programFolder);
    for (const auto& name : appState.dayOfWeekKeys) {
        appState.weekdayNames.push_back(name);
        appState.maxDayNameLength = std::max(appState.maxDayNameLength, static_cast<int32_t>(name.size()));
    }
    appState.workingDate = working;
    if (!folder.empty()) appState.currentFolder = folder;
    appState.scrollOffset = scroll;
    appState.framesPerSecond = fps;
    appState.frameCounter = frame;

    setenv("SDL_VIDEODRIVER", "dummy", 1);
    const WindowHandle window = platform::createMainWindow(appState.windowTitle);
    if (!window) {
        std::fprintf(stderr, "no window: %s\n", SDL_GetError());
        return 1;
    }
    const int32_t failed = drawFrame(window, appState.listOriginX, appState.listOriginY);
    SDL_Surface* surface = SDL_GetWindowSurface(sdl::windowOf(window)->sdl);
    const bool saved = surface && IMG_SavePNG(surface, out.c_str()) == 0;
    if (!saved) std::fprintf(stderr, "could not save %s: %s\n", out.c_str(), SDL_GetError());
    sdl::shutDown();
    return saved && failed == 0 ? 0 : 1;
}

}  // namespace orvane::render

int main(int argc, char** argv) { return orvane::render::run(argc, argv); }
