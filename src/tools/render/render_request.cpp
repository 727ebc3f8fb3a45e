#include "tools/render/render_request.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "calendar/calendar_date.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "state/app_state.h"

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

constexpr const char* usageText =
    "usage: orvane_render_en --out FILE [--date YYYY-MM-DD[Thh:mm:ss]] [--utc YYYY-MM-DDThh:mm:ss]\n"
    "       [--local YYYY-MM-DDThh:mm:ss] [--folder PATH] [--scroll N] [--fps N] [--frame N]\n"
    "       [--texts FILE --boxes FILE]\n"
    "       (orvane_render_ru for the Russian build)\n";

constexpr const char* helpText =
    "\n"
    "Draws one frame of the program for a chosen state off-screen, with this\n"
    "build's own drawing backend and the catalog beside the tool, and saves it\n"
    "(PNG on Linux, BMP on Windows); or measures where texts leave ink.\n"
    "\n"
    "  --out FILE          the image to write\n"
    "  --date D            the working date, YYYY-MM-DD[Thh:mm:ss] (2026-12-08T10:30:00)\n"
    "  --utc T             London time, YYYY-MM-DDThh:mm:ss (2026-12-08T09:15:30)\n"
    "  --local T           local time (London time's)\n"
    "  --folder PATH       the browsed folder, relative to the tool's folder (the catalog)\n"
    "  --scroll N          the list's scroll offset in pixels (0)\n"
    "  --fps N             the frame rate the bottom line shows (1001)\n"
    "  --frame N           the current frame it shows (1)\n"
    "  --texts FILE --boxes FILE\n"
    "                      measure instead: FILE holds one \"HEIGHT<tab>TEXT\" a line (UTF-8);\n"
    "                      each text's ink box is written to the --boxes file\n"
    "  --help              this text\n";

bool usage() {
    std::fputs(usageText, stderr);
    std::fputs("--help says more.\n", stderr);
    return false;
}

// UTF-8 to UTF-16 (the texts file is the test's own, so it is valid UTF-8).
std::u16string utf16Of(std::string_view bytes) {
    std::u16string text;
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < bytes.size(); ++k) cp = (cp << 6) | (bytes[i + k] & 0x3F);
        i += 1 + extra;
        if (cp >= 0x10000) {
            text.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(cp));
        }
    }
    return text;
}

}  // namespace

bool parseRenderRequest(int argc, char** argv, RenderRequest& request) {
    parseInstant("2026-12-08T10:30:00", request.working);
    parseInstant("2026-12-08T09:15:30", request.utc);
    bool localGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::fputs(usageText, stdout);
            std::fputs(helpText, stdout);
            request.help = true;
            return true;
        }
        if (i + 1 >= argc) return usage();
        const char* value = argv[++i];
        if (option == "--out") {
            request.out = value;
        } else if (option == "--date") {
            if (!parseInstant(value, request.working)) return usage();
        } else if (option == "--utc") {
            if (!parseInstant(value, request.utc)) return usage();
        } else if (option == "--local") {
            if (!parseInstant(value, request.local)) return usage();
            localGiven = true;
        } else if (option == "--folder") {
            request.folder = value;
        } else if (option == "--scroll") {
            request.scroll = static_cast<int32_t>(std::strtol(value, nullptr, 10));
        } else if (option == "--fps") {
            request.fps = static_cast<int32_t>(std::strtol(value, nullptr, 10));
        } else if (option == "--frame") {
            request.frame = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (option == "--texts") {
            request.texts = value;
        } else if (option == "--boxes") {
            request.boxes = value;
        } else {
            return usage();
        }
    }
    if (!localGiven) request.local = request.utc;
    if (request.out.empty() || request.texts.empty() != request.boxes.empty()) return usage();
    return true;
}

void startAsTheProgramDoes(const RenderRequest& request, const std::u16string& folder) {
    platform::setCurrentFolder(platform::executableFolder());
    platform::getCurrentFolder(appState.programFolder);
    for (const auto& name : appState.dayOfWeekKeys) {
        appState.weekdayNames.push_back(name);
        appState.maxDayNameLength = std::max(appState.maxDayNameLength, static_cast<int32_t>(name.size()));
    }
    appState.workingDate = request.working;
    if (!folder.empty()) appState.currentFolder = folder;
    appState.scrollOffset = request.scroll;
    appState.framesPerSecond = request.fps;
    appState.frameCounter = request.frame;
}

bool measureTexts(const RenderRequest& request, DeviceContext like, CanvasReader readCanvas) {
    std::ifstream in(request.texts, std::ios::binary);
    std::ofstream out(request.boxes, std::ios::binary);
    if (!in || !out) return false;
    constexpr int32_t width = 1200, height = 200, anchorX = 100, anchorY = 50;
    const DeviceContext dc = platform::createMemoryContext(like);
    const GdiObject canvas = platform::createCanvas(like, width, height);
    if (!dc || !canvas) return false;
    bool drawn = true;
    std::vector<uint32_t> pixels;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        const auto fontHeight = static_cast<int32_t>(std::strtol(line.c_str(), nullptr, 10));
        const GdiObject font = platform::createFont(fontHeight, appState.fontCharSet);
        const GdiObject savedBitmap = platform::selectObject(dc, canvas);
        const GdiObject savedFont = platform::selectObject(dc, font);
        platform::fillRect(dc, {0, 0, width, height}, platform::grayBrush());
        platform::setTransparentBackground(dc);
        platform::setTextColor(dc, 0x000000);
        drawn = platform::drawText(dc, anchorX, anchorY, utf16Of(std::string_view(line).substr(tab + 1))) == 1 &&
                drawn;
        platform::selectObject(dc, savedFont);
        platform::selectObject(dc, savedBitmap);
        platform::deleteObject(font);
        if (!readCanvas(like, canvas, width, height, pixels)) return false;
        // Ink: at least half way from the gray background to black.
        int32_t left = width, top = height, right = 0, bottom = 0;
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                if (((pixels[static_cast<size_t>(y) * width + x] >> 8) & 0xFF) > 64) continue;
                left = std::min(left, x), top = std::min(top, y);
                right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
            }
        }
        if (right == 0) {
            out << "none\n";
        } else {
            out << left - anchorX << ' ' << top - anchorY << ' ' << right - anchorX << ' ' << bottom - anchorY << '\n';
        }
    }
    platform::deleteObject(canvas);
    platform::deleteMemoryContext(dc);
    return drawn && static_cast<bool>(out);
}

}  // namespace orvane::render
