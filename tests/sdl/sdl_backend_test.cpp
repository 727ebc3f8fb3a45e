// The Linux backend on SDL's dummy video driver: the canvas and its tile
// records, the drawing calls and their results, the copy to the window
// surface, SDL events as window messages, and the shell open.

#include <gtest/gtest.h>

#include <SDL.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/window_procedure.h"
#include "fresh_backend.h"
#include "platform/draw.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/canvas.h"
#include "platform/sdl/fonts.h"
#include "platform/sdl/shell.h"
#include "platform/window.h"

namespace orvane {
namespace {

using namespace orvane::sdl;
namespace fs = std::filesystem;

constexpr uint32_t gray = 0x808080;

// A canvas kept the plain way, pixel by pixel, to hold the tile records to.
struct PlainCanvas {
    int32_t width, height;
    std::vector<uint32_t> pixels;
    void fill(Box box, uint32_t color) {
        for (int64_t y = std::max<int64_t>(box.top, 0); y < std::min<int64_t>(box.bottom, height); ++y)
            for (int64_t x = std::max<int64_t>(box.left, 0); x < std::min<int64_t>(box.right, width); ++x)
                pixels[y * width + x] = color;
    }
};

class SdlCanvas : public FreshBackend {};

TEST_F(SdlCanvas, TileRecordsNeverHideAPixel) {
    // Frames of fills (whole and partial, inside and across the edges) and
    // masks; after every step the canvas must equal the plain one.
    std::mt19937 random(7);
    const std::unique_ptr<Canvas> canvas = newCanvas(100, 70);
    ASSERT_NE(canvas, nullptr);
    PlainCanvas plain{100, 70, std::vector<uint32_t>(100 * 70, 0)};
    const uint32_t colors[] = {gray, 0x000000, 0xFFFFFF, gray};
    std::vector<uint8_t> mask(9 * 11);
    for (auto& a : mask) a = static_cast<uint8_t>(random() % 3 == 0 ? 0 : random() % 256);
    for (int step = 0; step < 3000; ++step) {
        const int kind = static_cast<int>(random() % 4);
        const int64_t left = static_cast<int64_t>(random() % 130) - 15;
        const int64_t top = static_cast<int64_t>(random() % 100) - 15;
        if (kind == 0) {
            fillBox(*canvas, {0, 0, 100, 70}, gray);
            plain.fill({0, 0, 100, 70}, gray);
        } else if (kind == 1) {
            const Box box{left, top, left + static_cast<int64_t>(random() % 40), top + static_cast<int64_t>(random() % 40)};
            const uint32_t color = colors[random() % 4];
            fillBox(*canvas, box, color);
            plain.fill(box, color);
        } else {
            blendMask(*canvas, left, top, mask.data(), 9, 11, 0x000000);
            for (int64_t y = 0; y < 11; ++y)
                for (int64_t x = 0; x < 9; ++x) {
                    if (left + x < 0 || left + x >= 100 || top + y < 0 || top + y >= 70) continue;
                    uint32_t& p = plain.pixels[(top + y) * 100 + left + x];
                    const uint32_t a = mask[y * 9 + x], rest = 255 - a;
                    auto channel = [&](int shift) { return (((p >> shift) & 0xFF) * rest + 127) / 255; };  // rounded
                    p = channel(16) << 16 | channel(8) << 8 | channel(0);
                }
        }
        ASSERT_EQ(canvas->pixels, plain.pixels) << "after step " << step << " of kind " << kind;
    }
}

TEST_F(SdlCanvas, BlendsCoverageLikeGdiBlendsAntialiasedText) {
    struct Case { uint32_t under, color; uint8_t coverage; uint32_t result; };
    const Case cases[] = {
        {gray, 0x000000, 0, gray},          {gray, 0x000000, 255, 0x000000},
        {gray, 0x000000, 128, 0x404040},    {0xFFFFFF, 0xFF0000, 51, 0xFFCCCC},
        {0x000000, 0xFFFFFF, 255, 0xFFFFFF}, {0x102030, 0x102030, 77, 0x102030},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<Canvas> canvas = newCanvas(3, 1);
        canvas->pixels.assign(3, c.under);
        blendMask(*canvas, 1, 0, &c.coverage, 1, 1, c.color);
        EXPECT_EQ(canvas->pixels[1], c.result) << std::hex << c.under << " " << c.color << " " << int(c.coverage);
        EXPECT_EQ(canvas->pixels[0], c.under);
        EXPECT_EQ(canvas->pixels[2], c.under);
    }
}

TEST_F(SdlCanvas, RefusesSizesItCannotHold) {
    for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {-5, 10}, {40000, 10}}) EXPECT_EQ(newCanvas(w, h), nullptr);
}

// Everything below draws through the seam on an off-screen window.
class SdlBackend : public FreshBackend {
protected:
    void SetUp() override {
        FreshBackend::SetUp();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        window = platform::createMainWindow(u"Orvane", windowProcedure);
        ASSERT_TRUE(window);
        dc = platform::createMemoryContext(platform::getWindowContext(window));
        canvas = platform::createCanvas(dc, 900, 1000);
        savedBitmap = platform::selectObject(dc, canvas);
        font = platform::createFont(16, 0);
        savedFont = platform::selectObject(dc, font);
        platform::selectObject(dc, platform::grayBrush());
        platform::setTransparentBackground(dc);
        platform::fillRect(dc, {0, 0, 900, 1000}, platform::grayBrush());
    }
    void TearDown() override {
        platform::selectObject(dc, savedFont);
        platform::selectObject(dc, savedBitmap);
        platform::deleteObject(font);
        platform::deleteObject(canvas);
        platform::deleteMemoryContext(dc);
        platform::releaseWindowContext(window, platform::getWindowContext(window));
        FreshBackend::TearDown();
    }
    Canvas& pixels() { return *static_cast<DrawingObject*>(canvas.value)->canvas; }
    uint32_t at(int x, int y) { return pixels().pixels[static_cast<size_t>(y) * 900 + x]; }
    // The rows in which the canvas holds anything but gray.
    std::pair<int, int> inkedRows() {
        int first = -1, last = -1;
        for (int y = 0; y < 1000; ++y)
            for (int x = 0; x < 900; ++x)
                if (at(x, y) != gray) {
                    if (first < 0) first = y;
                    last = y;
                }
        return {first, last};
    }

    WindowHandle window{};
    DeviceContext dc{};
    GdiObject canvas{}, savedBitmap{}, font{}, savedFont{};
};

TEST_F(SdlBackend, RectangleIsABlackOutlineFilledGrayRightAndBottomExcluded) {
    platform::fillRect(dc, {10, 10, 30, 30}, platform::grayBrush());
    EXPECT_EQ(platform::drawRectangle(dc, 10, 20, 20, 25), 1);
    EXPECT_EQ(at(10, 20), 0u);
    EXPECT_EQ(at(19, 24), 0u);
    EXPECT_EQ(at(15, 20), 0u);
    EXPECT_EQ(at(15, 22), gray);  // inside
    EXPECT_EQ(at(20, 22), gray);  // right edge excluded
    EXPECT_EQ(at(15, 25), gray);  // bottom edge excluded
    EXPECT_EQ(at(9, 22), gray);
    // Far outside and across the canvas: clipped, never a fault.
    EXPECT_EQ(platform::drawRectangle(dc, 1, -2147483647, 199, 2147483647), 1);
    EXPECT_EQ(at(1, 500), 0u);
    EXPECT_EQ(at(100, 0), gray);
    EXPECT_EQ(platform::drawRectangle(dc, -5000, -5000, -4000, -4000), 1);
}

TEST_F(SdlBackend, TextSitsInACellOfTheLogfontHeightBelowItsTopLeftCorner) {
    for (int32_t height : {16, 64}) {
        FontFace* face = fontFace(height);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->ascent + face->descent, height);
        const GdiObject sized = platform::createFont(height, 0);
        const GdiObject previous = platform::selectObject(dc, sized);
        platform::fillRect(dc, {0, 0, 900, 1000}, platform::grayBrush());
        EXPECT_EQ(platform::drawText(dc, 100, 200, u"ÉgДй"), 1);
        const auto [first, last] = inkedRows();
        EXPECT_GE(first, 200) << height;
        EXPECT_LT(last, 200 + height) << height;
        EXPECT_LE(first, 200 + height / 4) << height;  // the accent reaches near the top
        EXPECT_GE(last, 200 + height * 3 / 4) << height;  // the descenders near the bottom
        platform::selectObject(dc, previous);
        EXPECT_EQ(platform::deleteObject(sized), 1);
    }
}

TEST_F(SdlBackend, TextHasNoBackgroundBoxAndBlackIsTheColourSet) {
    platform::fillRect(dc, {0, 0, 900, 1000}, platform::grayBrush());
    platform::setTextColor(dc, 0x000000);
    EXPECT_EQ(platform::drawText(dc, 50, 50, u"I I"), 1);
    int black = 0, other = 0;  // dark pixels; pixels not of a gray
    for (int y = 50; y < 66; ++y)
        for (int x = 50; x < 80; ++x) {
            const uint32_t p = at(x, y);
            if ((p & 0xFF) < 0x40) ++black;  // nearly black: stems are not always whole pixels
            else if (p != gray && !((p >> 16) == (p & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF))) ++other;
        }
    EXPECT_GT(black, 10);
    EXPECT_EQ(other, 0);     // only grays: black blended over gray
    EXPECT_EQ(at(58, 52), gray);  // between the letters nothing is painted
    EXPECT_EQ(platform::drawText(dc, 50, 50, u""), 1);
    EXPECT_EQ(platform::drawText(dc, 50, 50, u"\xD800 lone"), 1);
}

TEST_F(SdlBackend, CopyShowsTheCanvasWhateverChangedBetweenFrames) {
    const DeviceContext windowDc = platform::getWindowContext(window);
    SDL_Surface* surface = SDL_GetWindowSurface(windowOf(window)->sdl.get());
    ASSERT_NE(surface, nullptr);
    auto surfaceEqualsCanvas = [&] {
        for (int y = 0; y < 1000; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
            for (int x = 0; x < 900; ++x)
                if ((row[x] & 0xFFFFFF) != at(x, y)) return false;
        }
        return true;
    };
    const std::u16string texts[] = {u"12:00:01", u"12:00:02", u"12:00:02", u"", u"Frame rate 1001"};
    for (int frame = 0; frame < 5; ++frame) {
        platform::fillRect(dc, {0, 0, 900, 1000}, platform::grayBrush());
        platform::drawRectangle(dc, 250 + frame, 156, 460, 256);
        platform::drawText(dc, 250, 46 + 3 * (frame % 2), texts[frame]);
        ASSERT_EQ(platform::copyBlock(windowDc, 0, 0, 900, 1000, dc, 0, 0), 1);
        ASSERT_TRUE(surfaceEqualsCanvas()) << "frame " << frame;
    }
    // A part of the canvas to a place in the window.
    platform::drawText(dc, 0, 0, u"corner");
    ASSERT_EQ(platform::copyBlock(windowDc, 10, 10, 50, 20, dc, 0, 0), 1);
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(surface->pixels) + 19 * surface->pitch);
    bool inked = false;
    for (int x = 10; x < 60; ++x) inked = inked || (row[x] & 0xFFFFFF) != gray;
    EXPECT_TRUE(inked);
    // Whole copies are right again after that.
    ASSERT_EQ(platform::copyBlock(windowDc, 0, 0, 900, 1000, dc, 0, 0), 1);
    EXPECT_TRUE(surfaceEqualsCanvas());
}

TEST_F(SdlBackend, EveryCallReportsFailureTruthfully) {
    const DeviceContext bogus{reinterpret_cast<void*>(0x1234)};
    const GdiObject bogusObject{reinterpret_cast<void*>(0x5678)};
    EXPECT_FALSE(platform::getWindowContext(WindowHandle{}));
    EXPECT_FALSE(platform::createMemoryContext(bogus));
    EXPECT_FALSE(platform::createCanvas(DeviceContext{}, 10, 10));
    EXPECT_FALSE(platform::createCanvas(dc, 0, 10));
    EXPECT_EQ(platform::drawRectangle(bogus, 0, 0, 5, 5), 0);
    EXPECT_EQ(platform::drawText(DeviceContext{}, 0, 0, u"x"), 0);
    EXPECT_EQ(platform::fillRect(dc, {0, 0, 5, 5}, bogusObject), 0);
    EXPECT_EQ(platform::copyBlock(bogus, 0, 0, 5, 5, dc, 0, 0), 0);
    EXPECT_EQ(platform::deleteObject(bogusObject), 0);
    EXPECT_EQ(platform::deleteMemoryContext(bogus), 0);
    EXPECT_EQ(platform::releaseWindowContext(window, bogus), 0);
    EXPECT_EQ(platform::setTransparentBackground(bogus), 0);
    EXPECT_FALSE(platform::selectObject(dc, bogusObject));
    // A selected canvas or font cannot be deleted; the stock brush always can.
    EXPECT_EQ(platform::deleteObject(canvas), 0);
    EXPECT_EQ(platform::deleteObject(font), 0);
    EXPECT_EQ(platform::deleteObject(platform::grayBrush()), 1);
    // A canvas goes into one memory context at a time.
    const DeviceContext other = platform::createMemoryContext(dc);
    EXPECT_FALSE(platform::selectObject(other, canvas));
    EXPECT_EQ(platform::setTransparentBackground(other), 2);  // was OPAQUE
    EXPECT_EQ(platform::setTransparentBackground(other), 1);
    EXPECT_EQ(platform::deleteMemoryContext(other), 1);
    EXPECT_EQ(platform::deleteMemoryContext(other), 0);
}

// The events SDL hears, as the window procedure hears them.
TEST_F(SdlBackend, PointerEventsBecomeWin32MessagesWithPackedClientPositions) {
    Message message;
    while (platform::peekMessage(message, true) && message.message != messagePaint) {}
    platform::defaultWindowProcedure(window, messagePaint, 0, 0);  // validates the window
    const uint32_t id = SDL_GetWindowID(windowOf(window)->sdl.get());
    auto push = [&](uint32_t type, int x, int y, uint8_t button, uint32_t state) {
        SDL_Event event{};
        event.type = type;
        if (type == SDL_MOUSEMOTION) {
            event.motion.windowID = id, event.motion.x = x, event.motion.y = y, event.motion.state = state;
        } else {
            event.button.windowID = id, event.button.x = x, event.button.y = y, event.button.button = button;
        }
        SDL_PushEvent(&event);
    };
    push(SDL_MOUSEMOTION, 5, 6, 0, 0);
    push(SDL_MOUSEMOTION, 220, 300, 0, 0);  // replaces the move still waiting
    push(SDL_MOUSEBUTTONDOWN, 220, 300, SDL_BUTTON_LEFT, 0);
    push(SDL_MOUSEMOTION, 220, 360, 0, SDL_BUTTON_LMASK);
    push(SDL_MOUSEBUTTONDOWN, 220, 360, SDL_BUTTON_RIGHT, 0);  // not a left press: nothing
    push(SDL_MOUSEMOTION, 950, 360, 0, SDL_BUTTON_LMASK);      // outside the client area: nothing
    push(SDL_MOUSEBUTTONUP, 899, 999, SDL_BUTTON_LEFT, 0);
    struct Expected { uint32_t message; uintptr_t wParam; intptr_t lParam; };
    const Expected expected[] = {
        {messageMouseMove, 0, packPoint(220, 300)},
        {messageLeftButtonDown, 1, packPoint(220, 300)},
        {messageMouseMove, 1, packPoint(220, 360)},
        {messageLeftButtonUp, 0, packPoint(899, 999)},
    };
    ASSERT_TRUE(platform::peekMessage(message, false));
    EXPECT_EQ(message.message, messageMouseMove);  // looked at, left in the queue
    for (const Expected& e : expected) {
        ASSERT_TRUE(platform::peekMessage(message, true));
        EXPECT_EQ(message.message, e.message);
        EXPECT_EQ(message.wParam, e.wParam);
        EXPECT_EQ(message.lParam, e.lParam);
        EXPECT_EQ(message.window, window);
    }
    EXPECT_FALSE(platform::peekMessage(message, true));
}

// Children of this process that still exist, running or ended and not yet
// reaped (a zombie), as /proc lists them.
int childProcesses() {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc")) {
        std::ifstream status(entry.path() / "stat");
        std::string line;
        if (!std::getline(status, line)) continue;
        const size_t nameEnd = line.rfind(')');  // the command name may hold anything
        if (nameEnd == std::string::npos) continue;
        std::istringstream fields(line.substr(nameEnd + 1));
        char state = 0;
        long parent = 0;
        if (fields >> state >> parent && parent == static_cast<long>(getpid())) ++count;
    }
    return count;
}

// The opener is found on PATH's absolute folders only: with empty and "."
// entries first, an xdg-open planted in the browsed folder never runs.
class SdlShellOpen : public FreshBackend {};

TEST_F(SdlShellOpen, StartsXdgOpenOnDotSlashNameInTheBrowsedFolderAndReapsIt) {
    const fs::path root = fs::temp_directory_path() / ("orvane-shell-" + std::to_string(getpid()));
    fs::create_directories(root / "tools");
    fs::create_directories(root / "Catalog" / "Sub folder");
    const fs::path record = root / "record";
    const fs::path planted = root / "planted";
    const auto writeScript = [](const fs::path& script, const fs::path& log) {
        std::ofstream(script) << "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '" << log.string()
                              << ".part'\nmv '" << log.string() << ".part' '" << log.string() << "'\n";
        fs::permissions(script, fs::perms::owner_all);
    };
    writeScript(root / "tools" / "xdg-open", record);
    writeScript(root / "Catalog" / "Sub folder" / "xdg-open", planted);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", ("::.:" + (root / "tools").string() + ":" + oldPath).c_str(), 1);
    const fs::path oldFolder = fs::current_path();
    fs::current_path(root);

    struct Case { std::u16string name; std::string argument; };
    const Case cases[] = {
        {u"-rf.txt", "./-rf.txt"},                         // never an option
        {u"a b;$(x).txt", "./a b;$(x).txt"},               // never a shell
        {u"\xDCFF\x0416.txt", std::string("./\xFF\xD0\x96.txt")},  // an undecodable byte goes back as itself
        {u"..\uF05C..\uF05Cx.txt", "./..\\..\\x.txt"},     // a backslash of the name stays in it
    };
    for (const Case& c : cases) {
        fs::remove(record);
        platform::shellOpen(WindowHandle{}, c.name, u"Catalog\\\\Sub folder");
        for (int i = 0; i < 250 && !fs::exists(record); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(record);
        std::string folder, argument, extra;
        std::getline(in, folder);
        std::getline(in, argument);
        EXPECT_EQ(folder, (root / "Catalog" / "Sub folder").string());
        EXPECT_EQ(argument, c.argument);
        EXPECT_FALSE(std::getline(in, extra));
    }
    for (int i = 0; i < 250 && childProcesses() > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        reapOpeners();
    }
    EXPECT_EQ(childProcesses(), 0);
    EXPECT_FALSE(fs::exists(planted));

    // Without an opener on PATH nothing starts, and that is said once.
    setenv("PATH", ".:/nonexistent", 1);
    ::testing::internal::CaptureStderr();
    platform::shellOpen(WindowHandle{}, u"x.txt", u"Catalog");
    platform::shellOpen(WindowHandle{}, u"y.txt", u"Catalog");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "orvane: cannot open files: no xdg-open in PATH's absolute folders\n");
    EXPECT_EQ(childProcesses(), 0);

    fs::current_path(oldFolder);
    setenv("PATH", oldPath.c_str(), 1);
    fs::remove_all(root);
}

// With no descriptor left (as under `ulimit -n 6`) a file click cannot reach
// the browsed folder, so no opener starts: that is said on standard error,
// once a run however often it happens.
TEST_F(SdlShellOpen, OpenerThatCannotStartIsSaidOnce) {
    const fs::path root = fs::temp_directory_path() / ("orvane-shell-fds-" + std::to_string(getpid()));
    fs::create_directories(root / "Catalog");
    std::ofstream(root / "xdg-open") << "#!/bin/sh\n";
    fs::permissions(root / "xdg-open", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", root.c_str(), 1);
    const std::u16string folder = root.u16string() + u"\\Catalog";

    ::testing::internal::CaptureStderr();
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    int lowestFree = 0;
    while (fcntl(lowestFree, F_GETFD) != -1) ++lowestFree;
    rlimit exhausted = saved;
    exhausted.rlim_cur = static_cast<rlim_t>(lowestFree);  // every number below it is taken
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &exhausted), 0);
    platform::shellOpen(WindowHandle{}, u"a.txt", folder);
    platform::shellOpen(WindowHandle{}, u"b.txt", folder);
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              std::string("orvane: cannot open files: the browsed folder cannot be reached: ") +
                  std::strerror(EMFILE) + "\n");
    EXPECT_EQ(childProcesses(), 0);

    setenv("PATH", oldPath.c_str(), 1);
    fs::remove_all(root);
}

// Closing destroys the window for good.
TEST_F(SdlBackend, CloseRequestDestroysTheWindowAndQuitFollows) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = SDL_GetWindowID(windowOf(window)->sdl.get());
    SDL_PushEvent(&event);
    Message message;
    ASSERT_TRUE(platform::peekMessage(message, true));
    EXPECT_EQ(message.message, messageQuit);
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_FALSE(windowOf(window));
    EXPECT_FALSE(platform::getWindowContext(window));
    EXPECT_FALSE(platform::peekMessage(message, true));
}

}  // namespace
}  // namespace orvane
