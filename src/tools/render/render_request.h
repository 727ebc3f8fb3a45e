#pragma once
// What the render tools (orvane_render_en, orvane_render_ru on each platform)
// are asked to draw, and the parts of their work that are the same on every
// platform: reading the options, the program's start-up without its loop,
// and measuring where texts leave ink.
//
//   orvane_render_en --out FILE [--date YYYY-MM-DD[Thh:mm:ss]]
//       [--utc YYYY-MM-DDThh:mm:ss] [--local YYYY-MM-DDThh:mm:ss]
//       [--folder PATH] [--scroll N] [--fps N] [--frame N]
//       [--texts FILE --boxes FILE]
//   orvane_render_en --help
//
// --texts names a UTF-8 file with one text a line, "HEIGHT<tab>TEXT": each is
// drawn alone with the build's font of that LOGFONT height at (x, y) =
// (100, 50) on a gray canvas, and its ink box (left, top, right, bottom from
// that point, right and bottom excluded) goes to --boxes, one line each,
// "none" for a text without ink.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace orvane::render {

struct RenderRequest {
    std::string out;
    SYSTEMTIME working{};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    std::string folder;  // bytes as given; each platform turns them into a name
    int32_t scroll = 0;
    int32_t fps = 1001;
    uint32_t frame = 1;
    std::string texts;
    std::string boxes;
    bool help = false;  // --help: the help was printed, nothing more to do
};

// Reads the options; prints the usage and returns false when they are wrong.
bool parseRenderRequest(int argc, char** argv, RenderRequest& request);

// The program's start-up (its folder made current, the weekday heads and
// their longest length) and the state asked for. `folder` is the browsed
// folder as a name, empty for the catalog.
void startAsTheProgramDoes(const RenderRequest& request, const std::u16string& folder);

// Reads the pixels (0x00RRGGBB, row after row) of a canvas that is not
// selected into any context.
using CanvasReader = bool (*)(DeviceContext like, GdiObject canvas, int32_t width, int32_t height,
                              std::vector<uint32_t>& pixels);

// Measures the texts of request.texts and writes request.boxes. False when
// a file cannot be read or written or a drawing call fails.
bool measureTexts(const RenderRequest& request, DeviceContext like, CanvasReader readCanvas);

}  // namespace orvane::render
