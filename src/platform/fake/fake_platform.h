#pragma once
// The fake backend for unit tests: it records every drawing call with its
// arguments, can be told to fail any chosen call, and scripts the clocks, the
// tick count and the message queue. Folder calls go to the real POSIX layer
// (tests use real temporary folders) unless told to fail or given a scripted
// folder.

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/types.h"
#include "platform/window.h"

namespace orvane::fake {

// Every call of the seam that a test can observe or make fail.
enum class Call {
    getWindowContext,
    releaseWindowContext,
    createMemoryContext,
    deleteMemoryContext,
    clientRect,
    createCanvas,
    grayBrush,
    fillRect,
    setTransparentBackground,
    setTextColor,
    createFont,
    selectObject,
    drawRectangle,
    drawText,
    copyBlock,
    deleteObject,
    getCurrentFolder,
    setCurrentFolder,
    findFirstEntryIn,
    findNextEntry,
    findClose,
    probeFile,
    shellOpen,
    writeDiagnostic,
    // The window, its messages and the cursor.
    createMainWindow,
    showWindow,
    updateWindow,
    closeWindow,
    peekMessage,
    translateMessage,
    dispatchMessage,
    defaultWindowProcedure,
    postQuitMessage,
    loadArrowCursor,
    setCursor,
    destroyCursor,
    count_,
};

// One observed call: which call, its numeric arguments in the order of the
// seam's declaration (handles as their integer values), and its text, if any.
struct RecordedCall {
    Call call = Call::count_;
    std::vector<int64_t> args;
    std::u16string text;
    std::u16string secondText;  // a second text argument (shellOpen: the working folder)
};

// A message that joins the end of the queue once the tick count has reached
// `atTick`, so a test can end or interrupt the main loop at a chosen time.
struct ScheduledMessage {
    uint64_t atTick = 0;
    Message message;
};

struct FailureRule {
    Call call = Call::count_;
    int occurrence = 0;  // 1-based count of calls from when it was set; 0 = every call
    int seen = 0;
};

// What a drawing handle of the fake stands for. Stock objects exist for the
// whole run; the others are alive from their creation to their release.
enum class HandleKind {
    windowContext,
    memoryContext,
    canvas,
    font,
    stockBrush,
    stockBitmap,
    stockFont,
};

// The window createMainWindow makes; tests pass it wherever a window is needed.
constexpr int64_t windowHandleValue = 0x900;
inline const WindowHandle mainWindow{reinterpret_cast<void*>(static_cast<uintptr_t>(windowHandleValue))};

// A message for that window, as tests and benchmarks queue them.
inline Message windowMessage(uint32_t number, intptr_t lParam = 0) { return Message{mainWindow, number, 0, lParam}; }

// The stock objects' handle values. A new context holds the default bitmap,
// brush and font, as a GDI context does.
constexpr int64_t grayBrushHandle = 0x10;
constexpr int64_t defaultBitmapHandle = 0x11;
constexpr int64_t defaultBrushHandle = 0x12;
constexpr int64_t defaultFontHandle = 0x13;

// The bitmap, brush and font selected into one live drawing context.
struct ContextSelection {
    int64_t bitmap = defaultBitmapHandle;
    int64_t brush = defaultBrushHandle;
    int64_t font = defaultFontHandle;
};

// A folder whose enumeration a test writes itself: the names in the order a
// file system delivers them, and whether the folder is a volume's root.
struct ScriptedFolder {
    std::vector<std::u16string> names;
    bool volumeRoot = false;
};

// Everything the fake knows. Tests read and set it directly.
struct FakePlatform {
    std::vector<RecordedCall> calls;
    std::vector<FailureRule> failures;
    SYSTEMTIME systemTime{};  // what systemTime() returns
    SYSTEMTIME localTime{};   // what localTime() returns
    uint64_t tick = 0;        // what tickCount() returns
    uint64_t tickStep = 0;    // added to `tick` after every tickCount() call
    bool realTime = false;    // tickCount() reads the steady clock instead, and scheduled
                              // messages fall due by it (benchmarks of the real loop)
    std::deque<Message> queue;  // the scripted message queue
    std::vector<ScheduledMessage> scheduled;  // moved into `queue` by peekMessage when due
    WindowHandle window{};      // what createMainWindow made; null before
    platform::WindowProcedure procedure = nullptr;  // what it was made with; tests may set it
    std::u16string windowTitle;  // the caption it was made with
    bool windowDestroyed = false;  // the default handling of WM_CLOSE destroyed it
    int quitCode = -1;          // the exit code of the last postQuitMessage; -1 before
    Rect client{0, 0, 884, 961};  // what clientRect() returns

    // Drawing. Every created context, canvas and font gets a new handle value
    // and stays in liveObjects until it is released or deleted; a context's
    // selections are kept in `selections`. Deleting an object that is still
    // selected into a live context fails and leaves it alive, as it does for
    // a GDI bitmap, so a wrong release order shows in tests.
    bool recordDrawing = true;  // false: drawing calls do nothing and succeed (benchmarks)
    int64_t nextHandle = 0x10000;  // apart from the window handle values
    std::map<int64_t, HandleKind> liveObjects;
    std::map<int64_t, ContextSelection> selections;
    std::map<int64_t, int32_t> fontHeights;  // every font made, by handle: its height

    // Folders. findFirstEntryIn on a path named here searches the scripted
    // folder instead of the disk and hands its names out as the Windows
    // backend does ("." and ".." first). Names are judged by Windows' rule
    // (isSingleEntryName), so the tests see what the Windows program does.
    std::map<std::u16string, ScriptedFolder> scriptedFolders;
    std::set<const void*> scriptedSearches;  // searches over them not yet closed
};

FakePlatform& fakePlatform();

// Makes the `occurrence`-th call of `call` from now on fail (1 = the next
// one); 0 makes every call of that kind fail until reset().
void failCall(Call call, int occurrence = 0);

// For the fake's own functions: counts one call of `call` and tells whether
// the test asked for it to fail.
bool shouldFail(Call call);

// The recorded calls of one kind, in order.
std::vector<RecordedCall> callsOf(Call call);

// The created drawing objects (contexts, canvases, fonts) not yet released.
int liveDrawingObjects();

// Forgets every recorded call, failure, scripted value and queued message.
void reset();

}  // namespace orvane::fake
