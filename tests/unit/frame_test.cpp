// drawFrame: set-up and release of the frame's drawing objects, the fonts,
// the failure handling on every path, the frame counter and the guard.
#include <optional>

#include "screen/frame.h"
#include "screen_test_support.h"

namespace orvane::screen_test {
namespace {

using fake::Call;

class FrameTest : public ScreenTest {};

int64_t value(const void* handle) { return static_cast<int64_t>(reinterpret_cast<uintptr_t>(handle)); }

std::vector<std::u16string> diagnostics() {
    std::vector<std::u16string> texts;
    for (const fake::RecordedCall& call : fake::callsOf(Call::writeDiagnostic)) texts.push_back(call.text);
    return texts;
}

std::u16string failureText(FrameFailure failure) {
    return appState.failureTexts[static_cast<size_t>(failure)];
}

TEST_F(FrameTest, SuccessfulFrameSetsUpDrawsCopiesAndReleasesInOrder) {
    const uint32_t counter = appState.frameCounter;
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 0);
    EXPECT_EQ(appState.frameCounter, counter + 1);
    EXPECT_FALSE(appState.frameInProgress);
    EXPECT_EQ(fake::liveDrawingObjects(), 0);
    EXPECT_TRUE(diagnostics().empty());

    // The calls around the panels, without the panels' own drawing.
    std::vector<fake::RecordedCall> frame;
    for (const fake::RecordedCall& call : fake::fakePlatform().calls) {
        if (call.call != Call::drawText && call.call != Call::drawRectangle &&
            call.call != Call::writeDiagnostic && call.call != Call::clientRect) {
            frame.push_back(call);
        }
    }
    ASSERT_GE(frame.size(), 22u);
    const int64_t window = value(testWindow.value);
    const int64_t windowDC = 0x10000, memoryDC = 0x10001, canvas = 0x10002, smallFont = 0x10003,
                  largeFont = 0x10004;
    const int64_t charSet = russianBuild() ? 204 : 0;
    const int64_t gray = fake::grayBrushHandle;
    const std::vector<std::pair<Call, std::vector<int64_t>>> expected = {
        {Call::getWindowContext, {window}},
        {Call::createMemoryContext, {windowDC}},
        {Call::createCanvas, {windowDC, 884, 960}},
        {Call::selectObject, {memoryDC, canvas}},
        {Call::grayBrush, {}},
        {Call::fillRect, {memoryDC, 0, 0, 884, 960, gray}},
        {Call::setTransparentBackground, {memoryDC}},
        {Call::selectObject, {memoryDC, gray}},
        {Call::setTextColor, {memoryDC, 0}},
        {Call::createFont, {16, charSet}},
        {Call::selectObject, {memoryDC, smallFont}},
        {Call::createFont, {64, charSet}},  // the working date panel's day number
        {Call::selectObject, {memoryDC, largeFont}},
        {Call::selectObject, {memoryDC, smallFont}},
        {Call::selectObject, {memoryDC, largeFont}},  // month and year
        {Call::selectObject, {memoryDC, smallFont}},
        {Call::deleteObject, {largeFont}},
        {Call::selectObject, {memoryDC, fake::defaultFontHandle}},
        {Call::selectObject, {memoryDC, fake::defaultBrushHandle}},
        {Call::copyBlock, {windowDC, 0, 0, 884, 960, memoryDC, 0, 0}},
        {Call::deleteObject, {smallFont}},
        {Call::deleteObject, {gray}},
        {Call::selectObject, {memoryDC, fake::defaultBitmapHandle}},
        {Call::deleteObject, {canvas}},
        {Call::deleteMemoryContext, {memoryDC}},
        {Call::releaseWindowContext, {window, windowDC}},
    };
    ASSERT_EQ(frame.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(frame[i].call, expected[i].first) << "call " << i;
        EXPECT_EQ(frame[i].args, expected[i].second) << "call " << i;
    }
}

TEST_F(FrameTest, OnlyDayNumberMonthAndYearUseTheLargeFont) {
    drawFrame(testWindow, 22, 16);
    std::vector<std::u16string> large;
    for (const Drawn& d : drawnTexts()) {
        if (d.fontHeight == 64) large.push_back(d.text);
        else EXPECT_EQ(d.fontHeight, 16);
    }
    const std::vector<std::u16string> expected = {u"09", nominativeWord(appState.monthKeys[11]), u"2026"};
    EXPECT_EQ(large, expected);
}

// One row of the failure table: the call made to fail, and what follows.
struct FailureCase {
    const char* name;
    Call call;
    int occurrence;  // which call of that kind fails (1 = the first)
    int result;
    std::optional<FrameFailure> message;
    bool counted;  // frameCounter went up
    bool drawn;    // the panels drew and the image was copied
    int leftAlive; // drawing objects still alive afterwards (the one whose release failed)
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

const FailureCase failureCases[] = {
    {"windowContext", Call::getWindowContext, 1, 1, FrameFailure::getWindowContext, false, false, 0},
    {"memoryContext", Call::createMemoryContext, 1, 1, FrameFailure::getMemoryContext, false, false, 0},
    {"canvas", Call::createCanvas, 1, 0, std::nullopt, false, false, 0},
    {"firstText", Call::drawText, 1, 1, FrameFailure::draw, true, true, 0},
    {"firstRectangle", Call::drawRectangle, 1, 1, FrameFailure::draw, true, true, 0},
    {"largeFontDelete", Call::deleteObject, 1, 1, FrameFailure::deleteFont, true, true, 1},
    {"smallFontDelete", Call::deleteObject, 2, 1, FrameFailure::deleteFont, true, true, 1},
    {"brushDelete", Call::deleteObject, 3, 1, FrameFailure::removeBrush, true, true, 0},
    {"canvasDelete", Call::deleteObject, 4, 1, FrameFailure::deleteCanvas, true, true, 1},
    {"copy", Call::copyBlock, 1, 1, FrameFailure::copyFromMemory, true, true, 0},
    {"memoryContextDelete", Call::deleteMemoryContext, 1, 1, FrameFailure::deleteMemoryContext, true, true, 1},
    {"windowContextRelease", Call::releaseWindowContext, 1, 1, FrameFailure::releaseWindowContext, true, true, 1},
};

class FrameFailureTest : public FrameTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FrameFailureTest, MarksReportsReleasesAndGoesOn) {
    const FailureCase& c = GetParam();
    fake::failCall(c.call, c.occurrence);
    const uint32_t counter = appState.frameCounter;

    EXPECT_EQ(drawFrame(testWindow, 22, 16), c.result);
    EXPECT_FALSE(appState.frameInProgress);
    EXPECT_EQ(appState.frameCounter, counter + (c.counted ? 1 : 0));
    EXPECT_EQ(fake::liveDrawingObjects(), c.leftAlive);
    if (c.message) {
        EXPECT_EQ(diagnostics(), std::vector<std::u16string>{failureText(*c.message)});
    } else {
        EXPECT_TRUE(diagnostics().empty());
    }
    EXPECT_EQ(callCount(Call::copyBlock) == 1, c.drawn);
    EXPECT_EQ(callCount(Call::drawText) > 0, c.drawn);
    // Whatever was obtained is given back, each exactly once.
    const int contexts = c.call == Call::getWindowContext ? 0 : 1;
    EXPECT_EQ(callCount(Call::releaseWindowContext), contexts);
    EXPECT_EQ(callCount(Call::deleteMemoryContext),
              c.call == Call::createMemoryContext ? 0 : contexts);
}

INSTANTIATE_TEST_SUITE_P(EveryFailedCall, FrameFailureTest, ::testing::ValuesIn(failureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameTest, FailedTextStillDrawsEveryLaterElement) {
    drawFrame(testWindow, 22, 16);
    const std::vector<Drawn> whole = drawnElements();
    startOver();

    // The London label: the first text after the file list.
    const int listTexts = static_cast<int>(appState.fileEntries.size());
    fake::failCall(Call::drawText, listTexts + 1);
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 1);
    EXPECT_TRUE(sameDrawing(drawnElements(), whole));
    EXPECT_EQ(callCount(Call::copyBlock), 1);
}

TEST_F(FrameTest, FailureTextIsWrittenAtMostOnceASecond) {
    fake::failCall(Call::drawText);  // every text of every frame fails
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(diagnostics().size(), 1u);

    fake::fakePlatform().tick = 999;
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(diagnostics().size(), 1u);

    fake::fakePlatform().tick = 1000;
    fake::failCall(Call::copyBlock);  // a second text is written on its own schedule
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(diagnostics(), (std::vector<std::u16string>{failureText(FrameFailure::draw),
                                                          failureText(FrameFailure::draw),
                                                          failureText(FrameFailure::copyFromMemory)}));
}

TEST_F(FrameTest, FontCreationFailuresNeverLeaveObjectsBehind) {
    fake::failCall(Call::createFont);
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 1);  // deleting the missing fonts fails
    EXPECT_EQ(diagnostics(), std::vector<std::u16string>{failureText(FrameFailure::deleteFont)});
    EXPECT_EQ(fake::liveDrawingObjects(), 0);
    EXPECT_EQ(callCount(Call::copyBlock), 1);
}

TEST_F(FrameTest, MakesTheProgramFolderCurrent) {
    platform::setCurrentFolder(catalog().u16string());
    drawFrame(testWindow, 22, 16);
    std::u16string current;
    platform::getCurrentFolder(current);
    EXPECT_EQ(fs::path(current), root_);
}

TEST_F(FrameTest, FrameAskedForDuringAFrameDoesNothing) {
    appState.frameInProgress = true;
    const uint32_t counter = appState.frameCounter;
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 0);
    EXPECT_TRUE(appState.frameInProgress);
    EXPECT_EQ(appState.frameCounter, counter);
    EXPECT_TRUE(fake::fakePlatform().calls.empty());
}

TEST_F(FrameTest, ClientSizeGivesCanvasFillAndCopy) {
    fake::fakePlatform().client = Rect{0, 0, 300, 200};
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(fake::callsOf(Call::createCanvas).at(0).args[1], 300);
    EXPECT_EQ(fake::callsOf(Call::createCanvas).at(0).args[2], 200);
    const std::vector<int64_t> fill = fake::callsOf(Call::fillRect).at(0).args;
    EXPECT_EQ(std::vector<int64_t>(fill.begin() + 1, fill.end() - 1), (std::vector<int64_t>{0, 0, 300, 200}));
    const std::vector<int64_t> copy = fake::callsOf(Call::copyBlock).at(0).args;
    EXPECT_EQ(copy[3], 300);
    EXPECT_EQ(copy[4], 200);
}

}  // namespace
}  // namespace orvane::screen_test
